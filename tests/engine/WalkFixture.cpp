#include "engine/WalkFixture.h"

#include "engine/RunContext.h"
#include "engine/RunController.h"
#include "platform/FileName.h"

#include <QDir>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace walktest {

QByteArray Encoded(const QString &path)
{
    return platform::EncodeFileName(path);
}

void WriteFile(const QString &path, const QByteArray &content, mode_t mode)
{
    const QByteArray name = Encoded(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    ASSERT_GE(fd, 0) << name.constData();
    ASSERT_EQ(::write(fd, content.constData(), size_t(content.size())), content.size());
    ASSERT_EQ(::close(fd), 0);
    ASSERT_EQ(::chmod(name.constData(), mode), 0);
}

QByteArray ReadFile(const QString &path)
{
    QByteArray content;
    const int fd = ::open(Encoded(path).constData(), O_RDONLY);
    if (fd < 0)
        return content;
    char buffer[65536];
    for (ssize_t got = ::read(fd, buffer, sizeof buffer); got > 0; got = ::read(fd, buffer, sizeof buffer))
        content.append(buffer, got);
    ::close(fd);
    return content;
}

void MakeDirectory(const QString &path)
{
    ASSERT_TRUE(QDir().mkpath(path)) << path.toStdString();
}

bool Exists(const QString &path)
{
    struct stat st{};
    return ::lstat(Encoded(path).constData(), &st) == 0;
}

void SetMtime(const QString &path, qint64 seconds, qint64 nanoseconds)
{
    const struct timespec times[2] = {{time_t(seconds), long(nanoseconds)}, {time_t(seconds), long(nanoseconds)}};
    ASSERT_EQ(::utimensat(AT_FDCWD, Encoded(path).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
}

qint64 MtimeNs(const QString &path)
{
    struct stat st{};
    if (::lstat(Encoded(path).constData(), &st) != 0)
        return -1;
    return qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

namespace {

void snapshotInto(const QString &root, const QString &relative, std::map<QString, QByteArray> &out)
{
    const QString directory = relative.isEmpty() ? root : root + u'/' + relative;
    DIR *dir = ::opendir(Encoded(directory).constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray raw(entry->d_name);
        if (raw == "." || raw == "..")
            continue;
        const QString name = platform::DecodeFileName(raw);
        const QString child = relative.isEmpty() ? name : relative + u'/' + name;
        struct stat st{};
        ::lstat(Encoded(root + u'/' + child).constData(), &st);
        if (S_ISDIR(st.st_mode)) {
            out[child + u'/'] = QByteArray();
            snapshotInto(root, child, out);
        } else if (S_ISREG(st.st_mode)) {
            out[child] = ReadFile(root + u'/' + child);
        } else {
            out[child] = S_ISLNK(st.st_mode) ? QByteArray("->link") : QByteArray("->special");
        }
    }
    ::closedir(dir);
}

} // namespace

std::map<QString, QByteArray> Snapshot(const QString &root)
{
    std::map<QString, QByteArray> out;
    snapshotInto(root, QString(), out);
    return out;
}

QByteArray RecordBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        for (QChar c : line + QStringLiteral("\r\n")) {
            bytes.append(char(c.unicode() & 0xff));
            bytes.append(char(c.unicode() >> 8));
        }
    }
    return bytes;
}

QStringList RecordLines(const QString &path)
{
    const QByteArray bytes = ReadFile(path);
    if (bytes.isEmpty())
        return {};
    EXPECT_EQ(bytes.size() % 2, 0) << "odd length: " << path.toStdString();
    EXPECT_FALSE(bytes.startsWith("\xff\xfe")) << "byte-order mark: " << path.toStdString();
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(quint8(bytes[2 * i]) | (quint8(bytes[2 * i + 1]) << 8)));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n"))) << path.toStdString();
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    for (const QString &line : std::as_const(lines)) {
        EXPECT_FALSE(line.contains(u'\r') || line.contains(u'\n'))
            << "a record holds a lone line break: " << path.toStdString();
    }
    EXPECT_EQ(RecordBytes(lines), bytes);
    return lines;
}

QStringList Sorted(QStringList lines)
{
    lines.sort();
    return lines;
}

void WalkTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    auto keep = [](const char *name) -> std::optional<QByteArray> {
        return qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name)) : std::nullopt;
    };
    m_oldTmp = keep("TMPDIR");
    m_oldConfig = keep("XDG_CONFIG_HOME");
    m_oldU3 = keep("U3_APP_DATA_PATH");
    MakeDirectory(Root() + QStringLiteral("/tmp"));
    MakeDirectory(Root() + QStringLiteral("/config"));
    MakeDirectory(Root() + QStringLiteral("/lists"));
    MakeDirectory(Source());
    qputenv("TMPDIR", Encoded(Root() + QStringLiteral("/tmp")));
    qputenv("XDG_CONFIG_HOME", Encoded(Root() + QStringLiteral("/config")));
    qunsetenv("U3_APP_DATA_PATH");
    m_params->ThreadCount = 1;
}

void WalkTest::TearDown()
{
    auto restore = [](const char *name, const std::optional<QByteArray> &value) {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    };
    restore("TMPDIR", m_oldTmp);
    restore("XDG_CONFIG_HOME", m_oldConfig);
    restore("U3_APP_DATA_PATH", m_oldU3);
}

void WalkTest::Put(const QString &relative, const QByteArray &content)
{
    const QString path = Source() + u'/' + relative;
    const qsizetype slash = relative.lastIndexOf(u'/');
    if (slash > 0)
        MakeDirectory(Source() + u'/' + relative.left(slash));
    WriteFile(path, content);
}

CListData &WalkTest::AddJob(const QString &source, const QString &target, bool withSubdirs)
{
    auto job = std::make_unique<CListData>();
    job->Active = 1;
    job->WithSubdirs = withSubdirs ? 1 : 0;
    job->SourceDir = source;
    job->TargetDir = target;
    m_params->Jobs.push_back(std::move(job));
    m_params->LogFile = LogPath();
    m_params->CopiedListFile = CopiedPath();
    m_params->RetryListFile = RetryPath();
    m_params->SkippedListFile = SkippedPath();
    return *m_params->Jobs.back();
}

void WalkTest::Run()
{
    RunContext run(*m_params, Observer(), Presentation::Headless);
    RunController(run).Run();
    m_runErrors = run.ErrorCount();
    m_runSkippedFiles = run.SkippedFiles();
    m_runSkippedDirectories = run.SkippedDirectories();
}

CProgressData WalkTest::FinalRecord(int pane) const
{
    CProgressData last;
    for (const auto &event : Observer().Panes()) {
        if (event.pane == pane && event.mask == UPD_ACT_DONE)
            last = event.record;
    }
    return last;
}

QStringList WalkTest::MessagesOfKind(MessageKind kind) const
{
    QStringList texts;
    for (const auto &message : Observer().Messages()) {
        if (message.kind == kind)
            texts << message.text;
    }
    return texts;
}

QStringList WalkTest::LogBlock(int job) const
{
    const QStringList lines = RecordLines(LogPath());
    const QString header = QStringLiteral("Job %1 - ").arg(job);
    const QString stars(81, u'*');
    QStringList block;
    bool inside = false;
    for (const QString &line : lines) {
        if (inside && line == stars)
            break;
        if (inside)
            block << line;
        if (!inside && line.startsWith(header))
            inside = true;
    }
    return block;
}

QStringList WalkTest::LeftoverTempFiles() const
{
    return QDir(ProgramTemp()).entryList({QStringLiteral("~*.tmp")}, QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace walktest
