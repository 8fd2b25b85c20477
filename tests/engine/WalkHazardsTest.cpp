#include "engine/WalkFixture.h"

#include "engine/DirectoryEnumeration.h"
#include "engine/TextFormat.h"
#include "platform/FileName.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace walktest;

namespace {

QString ReasonLine(EntryKind kind, const QString &path)
{
    return FormatStr(SkipReasonId(kind), {path});
}

void Symlink(const QString &target, const QString &link)
{
    ASSERT_EQ(::symlink(Encoded(target).constData(), Encoded(link).constData()), 0);
}

} // namespace

TEST_F(WalkTest, SymbolicLinksNeverLoopAndLinkedFilesAreCopied)
{
    Put(QStringLiteral("file.txt"), "content");
    Put(QStringLiteral("sub/inner.txt"), "inner");
    Symlink(QStringLiteral(".."), Source() + QStringLiteral("/sub/loop"));
    Symlink(QStringLiteral("."), Source() + QStringLiteral("/self"));
    Symlink(QStringLiteral("file.txt"), Source() + QStringLiteral("/link.txt"));
    Symlink(QStringLiteral("missing"), Source() + QStringLiteral("/broken"));
    AddJob(Source(), Target());

    Run();

    const std::map<QString, QByteArray> target{{QStringLiteral("file.txt"), "content"},
                                               {QStringLiteral("link.txt"), "content"},
                                               {QStringLiteral("sub/"), QByteArray()},
                                               {QStringLiteral("sub/inner.txt"), "inner"}};
    EXPECT_EQ(Snapshot(Target()), target) << "a linked file arrives as a plain copy of its target";
    const QStringList expected = {ReasonLine(EntryKind::LinkedDirectory, Source() + QStringLiteral("/sub/loop")),
                                  ReasonLine(EntryKind::LinkedDirectory, Source() + QStringLiteral("/self")),
                                  ReasonLine(EntryKind::BrokenLink, Source() + QStringLiteral("/broken"))};
    const QStringList skipped = RecordLines(SkippedPath());
    EXPECT_EQ(Sorted(skipped), Sorted(expected));
    for (const QString &line : skipped)
        EXPECT_TRUE(line.startsWith(u'[')) << "a reason precedes the path: " << line.toStdString();
    const CProgressData record = FinalRecord();
    EXPECT_EQ(record.SkippedDirectories, 2);
    EXPECT_EQ(record.SkippedFiles, 1);
    EXPECT_EQ(record.FilesDone, 3);
    EXPECT_EQ(m_runErrors, 0);
}

TEST_F(WalkTest, SpecialFilesAreSkippedUnopened)
{
    Put(QStringLiteral("a.txt"), "a");
    MakeDirectory(Source() + QStringLiteral("/sub"));
    ASSERT_EQ(::mkfifo(Encoded(Source() + QStringLiteral("/sub/pipe")).constData(), 0644), 0);
    Symlink(QStringLiteral("sub/pipe"), Source() + QStringLiteral("/pipe-link"));

    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = Encoded(Source() + QStringLiteral("/sock"));
    ASSERT_LT(size_t(socketPath.size()), sizeof address.sun_path);
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    m_params->ChecksumEnabled = true;
    m_params->CheckFile = CheckPath();
    m_params->CheckFileData.Load(CheckPath());
    AddJob(Source(), Target());

    Run();
    ::close(fd);

    const std::map<QString, QByteArray> target{{QStringLiteral("a.txt"), "a"}, {QStringLiteral("sub/"), QByteArray()}};
    EXPECT_EQ(Snapshot(Target()), target);
    const QStringList expected = {ReasonLine(EntryKind::Special, Source() + QStringLiteral("/sub/pipe")),
                                  ReasonLine(EntryKind::Special, Source() + QStringLiteral("/pipe-link")),
                                  ReasonLine(EntryKind::Special, Source() + QStringLiteral("/sock"))};
    const QStringList skipped = RecordLines(SkippedPath());
    EXPECT_EQ(Sorted(skipped), Sorted(expected));
    for (const QString &line : skipped)
        EXPECT_TRUE(line.startsWith(u'[')) << "a reason precedes the path: " << line.toStdString();
    EXPECT_EQ(FinalRecord().SkippedFiles, 3);
    EXPECT_EQ(m_runErrors, 0);
}

TEST_F(WalkTest, NamesWithBarsAndLineBreaksAreCopiedUnderTheirOwnNames)
{
    const QStringList names = {QStringLiteral("a|b.txt"), QStringLiteral("cr\rname.txt"), QStringLiteral("lf\nname.txt"),
                               QStringLiteral("both\r\nname.txt")};
    for (const QString &name : names)
        Put(name, name.toUtf8());
    Put(QStringLiteral("ex\ncluded.tmp"));
    m_params->FileExcludeList = {QStringLiteral("*.tmp")};
    AddJob(Source(), Target());

    Run();

    std::map<QString, QByteArray> target;
    for (const QString &name : names)
        target[name] = name.toUtf8();
    EXPECT_EQ(Snapshot(Target()), target);
    EXPECT_EQ(RecordLines(SkippedPath()),
              QStringList{FormatStr(308, {Source() + QStringLiteral("/ex") + QChar(0x240A) + QStringLiteral("cluded.tmp")})});
    // Every record file still holds one record per line (RecordLines checks it); the names
    // that a line can carry unambiguously are listed as copied.
    EXPECT_TRUE(RecordLines(CopiedPath()).contains(Source() + QStringLiteral("/a|b.txt")));
    RecordLines(LogPath());
    EXPECT_EQ(FinalRecord().FilesDone, 4);
    EXPECT_EQ(m_runErrors, 0);
}

TEST_F(WalkTest, NamesThatAreNotUtf8KeepTheirBytes)
{
    const QByteArray rawDirectory = Encoded(Source()) + "/dir\xe9";
    const QByteArray rawFile = rawDirectory + "/bad\xff\xfe.txt";
    ASSERT_EQ(::mkdir(rawDirectory.constData(), 0755), 0);
    WriteFile(platform::DecodeFileName(rawFile), "latin");
    Put(QStringLiteral("plain.txt"), "p");
    AddJob(Source(), Target());

    Run();

    const QString copiedFile = platform::DecodeFileName(Encoded(Target()) + "/dir\xe9/bad\xff\xfe.txt");
    EXPECT_EQ(ReadFile(copiedFile), QByteArray("latin"));
    EXPECT_EQ(Snapshot(Target()).size(), 3u) << "no second name for the same file";
    EXPECT_EQ(Sorted(RecordLines(CopiedPath())),
              Sorted({platform::DecodeFileName(rawFile), Source() + QStringLiteral("/plain.txt")}));
    EXPECT_EQ(m_runErrors, 0);
}

TEST_F(WalkTest, LargeTreeArrivesWithContentTimesAndPermissions)
{
    constexpr int kDirectories = 20;
    constexpr int kFilesPerDirectory = 100;
    const mode_t modes[] = {0644, 0600, 0755, 0444, 0640};
    for (int d = 0; d < kDirectories; ++d) {
        const QString directory = Source() + QStringLiteral("/d%1/e%2").arg(d / 4).arg(d);
        MakeDirectory(directory);
        for (int f = 0; f < kFilesPerDirectory; ++f) {
            const int n = d * kFilesPerDirectory + f;
            QByteArray content(n % 3000, Qt::Uninitialized);
            for (qsizetype i = 0; i < content.size(); ++i)
                content[i] = char((i * 31 + n) & 0xff);
            const QString path = directory + QStringLiteral("/f%1.bin").arg(f);
            WriteFile(path, content, modes[n % 5]);
            SetMtime(path, 1500000000 + n, (n * 7919 % 10000000) * 100);
        }
    }
    AddJob(Source(), Target());

    Run();

    const auto source = Snapshot(Source());
    ASSERT_EQ(source.size(), size_t(kDirectories * kFilesPerDirectory + kDirectories + 5));
    EXPECT_EQ(Snapshot(Target()), source);
    int mismatches = 0;
    for (const auto &[relative, content] : source) {
        if (relative.endsWith(u'/'))
            continue;
        const QString from = Source() + u'/' + relative;
        const QString to = Target() + u'/' + relative;
        struct stat a{};
        struct stat b{};
        ::stat(Encoded(from).constData(), &a);
        ::stat(Encoded(to).constData(), &b);
        if (MtimeNs(from) != MtimeNs(to) || (a.st_mode & 07777) != (b.st_mode & 07777)) {
            if (++mismatches <= 5)
                ADD_FAILURE() << relative.toStdString() << " mtime " << MtimeNs(from) << " / " << MtimeNs(to)
                              << " mode " << std::oct << (a.st_mode & 07777) << " / " << (b.st_mode & 07777);
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(FinalRecord().FilesDone, kDirectories * kFilesPerDirectory);
    EXPECT_EQ(RecordLines(CopiedPath()).size(), kDirectories * kFilesPerDirectory);
    EXPECT_EQ(m_runErrors, 0);
}
