#include "engine/CUtil.h"

#include "platform/Attributes.h"
#include "platform/ErrorText.h"
#include "platform/FaultInjection.h"
#include "platform/FileName.h"
#include "platform/FileTime.h"
#include "resources/Strings.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <ostream>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

QByteArray Bytes(const QString &path)
{
    return platform::EncodeFileName(path);
}

bool WriteFile(const QString &path, const QByteArray &content, mode_t mode = 0644)
{
    const QByteArray name = Bytes(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, content.constData(), size_t(content.size())) == content.size();
    return ::close(fd) == 0 && ok && ::chmod(name.constData(), mode) == 0;
}

bool Present(const QString &path)
{
    struct stat st{};
    return ::lstat(Bytes(path).constData(), &st) == 0;
}

mode_t Mode(const QString &path)
{
    struct stat st{};
    return ::stat(Bytes(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Sets or removes an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char *name, std::optional<QByteArray> value) : name_(name)
    {
        if (const char *old = std::getenv(name))
            old_ = QByteArray(old);
        if (value)
            ::setenv(name, value->constData(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_)
            ::setenv(name_, old_->constData(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char *name_;
    std::optional<QByteArray> old_;
};

// ---- wildcards ----

struct PatternRow {
    const char16_t *name;
    const char16_t *pattern;
    bool matches;
};

void PrintTo(const PatternRow &row, std::ostream *os)
{
    *os << QString::fromUtf16(row.name).toStdString() << " against " << QString::fromUtf16(row.pattern).toStdString();
}

class MatchesPatternTest : public ::testing::TestWithParam<PatternRow> {};

TEST_P(MatchesPatternTest, Row)
{
    const PatternRow &row = GetParam();
    EXPECT_EQ(CUtil::MatchesPattern(QString::fromUtf16(row.name), QString::fromUtf16(row.pattern)), row.matches);
}

INSTANTIATE_TEST_SUITE_P(Wildcards, MatchesPatternTest,
                         ::testing::Values(PatternRow{u"Readme.TXT", u"*.txt", true},
                                           PatternRow{u"a.txt.bak", u"*.txt", false},
                                           PatternRow{u"a.txt.txt", u"*.txt", true},
                                           PatternRow{u"abc", u"a?c", true},
                                           PatternRow{u"ac", u"a?c", false},
                                           PatternRow{u"\u00C4x", u"\u00E4x", false},
                                           PatternRow{u"\u00E4x", u"\u00E4X", true},
                                           PatternRow{u"", u"", true},
                                           PatternRow{u"a", u"", false},
                                           PatternRow{u"", u"*", true},
                                           PatternRow{u"anything at all", u"*", true},
                                           PatternRow{u"", u"?", false},
                                           PatternRow{u"abc", u"a**c", true},
                                           PatternRow{u"abc", u"abc*", true},
                                           PatternRow{u"abcd", u"abc", false},
                                           PatternRow{u"abc", u"abcd", false},
                                           PatternRow{u"abc", u"*b", false},
                                           PatternRow{u"abcbd", u"*b?", true},
                                           PatternRow{u"mississippi", u"m*iss*ppi", true},
                                           PatternRow{u"mississippi", u"m*iss*x", false},
                                           PatternRow{u"[x]", u"[X]", true},
                                           // A fold by masking bit 0x20 would wrongly pair these.
                                           PatternRow{u"@", u"`", false},
                                           PatternRow{u"[", u"{", false}));

TEST(MatchesPattern, PathologicalPatternEndsWithTheRightAnswer)
{
    const QString name(10000, u'a');
    EXPECT_FALSE(CUtil::MatchesPattern(name, QStringLiteral("*a*a*a*a*b")));
    EXPECT_TRUE(CUtil::MatchesPattern(name + u'b', QStringLiteral("*a*a*a*a*b")));
    EXPECT_FALSE(CUtil::MatchesPattern(name, QStringLiteral("*?*?*?*?*?*?*?*?*?*?*b")));
}

// ---- tokens ----

TEST(ExtractToken, Table)
{
    struct Row {
        const char16_t *text;
        int index;
        bool found;
        const char16_t *token;
    };
    const Row rows[] = {
        {u"a|b|c", 3, true, u"c"},  {u"a|b|c", 4, false, u""}, {u"a|b|c", 0, true, u"a"},
        {u"a|b|c", -5, true, u"a"}, {u"a|b|c", 1, true, u"a"}, {u"a|b|c", 2, true, u"b"},
        {u"a||c", 2, true, u""},    {u"a|", 2, true, u""},      {u"", 1, true, u""},
        {u"", 2, false, u""},       {u"abc", 1, true, u"abc"},
    };
    for (const Row &row : rows) {
        QString token = QStringLiteral("stale");
        EXPECT_EQ(CUtil::ExtractToken(token, QString::fromUtf16(row.text), row.index, u'|'), row.found)
            << QString::fromUtf16(row.text).toStdString() << " " << row.index;
        EXPECT_EQ(token, QString::fromUtf16(row.token)) << QString::fromUtf16(row.text).toStdString() << " " << row.index;
    }
}

// ---- paths ----

TEST(SplitPath, Table)
{
    struct Row {
        const char16_t *path;
        const char16_t *drive, *dir, *fname, *ext;
    };
    const Row rows[] = {
        {u"C:/dir/name.ext", u"C:", u"/dir/", u"name", u".ext"},
        {u"/home/user/archive.tar.gz", u"", u"/home/user/", u"archive.tar", u".gz"},
        {u"name", u"", u"", u"name", u""},
        {u"name.txt", u"", u"", u"name", u".txt"},
        {u"/dir.d/name", u"", u"/dir.d/", u"name", u".d/name"},
        {u"/dir/", u"", u"/dir/", u"", u""},
        {u"C:name.x", u"C:", u"", u"name", u".x"},
        {u"a\\b.c", u"", u"", u"a\\b", u".c"},
        {u"/a:b/c", u"", u"/a:b/", u"c", u""},
        {u"", u"", u"", u"", u""},
    };
    for (const Row &row : rows) {
        CUtil parts;
        parts.SplitPath(QString::fromUtf16(row.path));
        const std::string label = QString::fromUtf16(row.path).toStdString();
        EXPECT_EQ(parts.drive, QString::fromUtf16(row.drive)) << label;
        EXPECT_EQ(parts.dir, QString::fromUtf16(row.dir)) << label;
        EXPECT_EQ(parts.fname, QString::fromUtf16(row.fname)) << label;
        EXPECT_EQ(parts.ext, QString::fromUtf16(row.ext)) << label;
    }
}

TEST(SplitPath, DirectoryPartAndExtension)
{
    struct Row {
        const char16_t *path;
        const char16_t *directory;
        const char16_t *extension;
    };
    const Row rows[] = {
        {u"/data/file.zip", u"/data/", u".zip"},
        {u"bare", u"", u""},
        {u"C:rel.txt", u"C:", u".txt"},
        {u"C:/dir.d/name", u"C:/dir.d/", u".d/name"},
        {u"/", u"/", u""},
    };
    for (const Row &row : rows) {
        const QString path = QString::fromUtf16(row.path);
        EXPECT_EQ(CUtil::GetDirectoryPart(path), QString::fromUtf16(row.directory)) << path.toStdString();
        EXPECT_EQ(CUtil::GetExtension(path), QString::fromUtf16(row.extension)) << path.toStdString();
    }
}

TEST(AddLongPathPrefix, WindowsFormsAreTransformedPosixPathsNot)
{
    ASSERT_EQ(LoadStr(381), QStringLiteral("\\\\?\\"));
    struct Row {
        const char16_t *in;
        const char16_t *out;
    };
    const Row rows[] = {
        {u"D:\\x", u"\\\\?\\D:\\x"},
        {u"D:", u"\\\\?\\D:"},
        {u"\\\\srv\\sh\\x", u"\\\\?\\UNC\\srv\\sh\\x"},
        {u"\\\\\\srv\\sh", u"\\\\?\\UNC\\srv\\sh"},
        {u"rel\\x", u"rel\\x"},
        {u"/home/user/data", u"/home/user/data"},
        {u"//server/share", u"//server/share"},
        {u"relative/path", u"relative/path"},
        {u"\\x", u"\\x"},
        {u"D", u"D"},
        {u"", u""},
    };
    for (const Row &row : rows) {
        QString path = QString::fromUtf16(row.in);
        CUtil::AddLongPathPrefix(path);
        EXPECT_EQ(path, QString::fromUtf16(row.out)) << QString::fromUtf16(row.in).toStdString();
    }
}

// ---- texts ----

QString Printf(const char *format, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return QString::fromUtf8(buffer);
}

TEST(FormatFileSize, Boundaries)
{
    ASSERT_EQ(LoadStr(300), QStringLiteral("%0.2f MB"));
    ASSERT_EQ(LoadStr(301), QStringLiteral("%0.2f GB"));
    ASSERT_EQ(LoadStr(302), QStringLiteral("%0.2f KB"));
    struct Row {
        qint64 size;
        const char16_t *text;
    };
    const Row rows[] = {
        {0, u"0.00 KB"},
        {128, u"0.12 KB"}, // 0.125 is exact: printf rounds the tie to even
        {384, u"0.38 KB"},
        {1023, u"1.00 KB"},
        {1048575, u"1024.00 KB"},
        {1048576, u"1.00 MB"},
        {1073741823, u"1024.00 MB"},
        {1073741824, u"1.00 GB"},
        {5368709120LL + 1048575, u"5.00 GB"},
        {-512, u"-0.50 KB"},
        {-1, u"-0.00 KB"},
        {-5000000, u"-4882.81 KB"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(CUtil::FormatFileSize(row.size), QString::fromUtf16(row.text)) << row.size;
}

TEST(FormatFileSize, SameAsPrintf)
{
    for (qint64 size : {qint64(1), qint64(640), qint64(999999), qint64(123456789), qint64(987654321987LL)}) {
        const double value = size >= (1LL << 30) ? double(size / 1048576) / 1024.0
            : size >= (1LL << 20)                ? double(size / 1024) / 1024.0
                                                 : double(size) / 1024.0;
        const char *format = size >= (1LL << 30) ? "%0.2f GB" : size >= (1LL << 20) ? "%0.2f MB" : "%0.2f KB";
        EXPECT_EQ(CUtil::FormatFileSize(size), Printf(format, value)) << size;
    }
}

TEST(GetErrorText, SystemTextThenCodeThenLineBreak)
{
    const QString text = CUtil::GetErrorText(ENOENT);
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("(Fehlercode=2)")));
    EXPECT_EQ(text, platform::ErrorText(ENOENT) + QStringLiteral("  (Fehlercode=2)\r\n"));
    EXPECT_EQ(text.count(u'\n'), 1);
}

TEST(GetErrorText, UnknownCode)
{
    const QString text = CUtil::GetErrorText(12345);
    EXPECT_TRUE(text.endsWith(QStringLiteral("  (Fehlercode=12345)\r\n")));
}

// ---- files ----

class CUtilFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { platform::fault::Disarm(); }
    QString Path(const char *name) const { return dir.path() + u'/' + QString::fromUtf8(name); }

    bool XattrsSupported()
    {
        const QString probe = Path("probe");
        if (!WriteFile(probe, "p"))
            return false;
        const bool ok = ::setxattr(Bytes(probe).constData(), "user.probe", "1", 1, 0) == 0;
        ::unlink(Bytes(probe).constData());
        return ok;
    }

    QTemporaryDir dir;
};

TEST_F(CUtilFiles, PathExists)
{
    ASSERT_TRUE(WriteFile(Path("file"), "x"));
    ASSERT_EQ(::symlink("nowhere", Bytes(Path("dangling")).constData()), 0);
    EXPECT_TRUE(CUtil::PathExists(Path("file")));
    EXPECT_TRUE(CUtil::PathExists(dir.path()));
    EXPECT_TRUE(CUtil::PathExists(Path("dangling")));
    EXPECT_FALSE(CUtil::PathExists(Path("missing")));
    EXPECT_EQ(CUtil::LastError(), ENOENT);
}

TEST_F(CUtilFiles, PathExistsForAFileHeldOpen)
{
    ASSERT_TRUE(WriteFile(Path("file"), "x"));
    const int fd = ::open(Bytes(Path("file")).constData(), O_RDWR);
    ASSERT_GE(fd, 0);
    EXPECT_TRUE(CUtil::PathExists(Path("file")));
    ::close(fd);
}

TEST_F(CUtilFiles, ClearReadOnlyAttribute)
{
    ASSERT_TRUE(WriteFile(Path("plain"), "x", 0644));
    ASSERT_TRUE(WriteFile(Path("locked"), "x", 0444));

    bool wasReadOnly = true;
    quint32 old = 0;
    EXPECT_TRUE(CUtil::ClearReadOnlyAttribute(Path("plain"), &wasReadOnly, &old));
    EXPECT_FALSE(wasReadOnly);
    EXPECT_FALSE(old & platform::kAttributeReadOnly);

    EXPECT_TRUE(CUtil::ClearReadOnlyAttribute(Path("locked"), &wasReadOnly, &old));
    EXPECT_TRUE(wasReadOnly);
    EXPECT_TRUE(old & platform::kAttributeReadOnly);
    EXPECT_EQ(Mode(Path("locked")), 0644u);

    wasReadOnly = true;
    EXPECT_FALSE(CUtil::ClearReadOnlyAttribute(Path("missing"), &wasReadOnly));
    EXPECT_FALSE(wasReadOnly);
    EXPECT_EQ(CUtil::LastError(), ENOENT);
}

TEST_F(CUtilFiles, ClearArchiveAttributeCycle)
{
    ASSERT_TRUE(WriteFile(Path("file"), "x"));
    bool wasSet = false;
    quint32 old = 0;
    if (!XattrsSupported()) {
        EXPECT_FALSE(CUtil::ClearArchiveAttribute(Path("file"), &wasSet, &old));
        EXPECT_TRUE(wasSet);
        EXPECT_EQ(CUtil::LastError(), ENOTSUP);
        return;
    }
    EXPECT_TRUE(CUtil::ClearArchiveAttribute(Path("file"), &wasSet, &old));
    EXPECT_TRUE(wasSet);
    EXPECT_TRUE(old & platform::kAttributeArchive);

    EXPECT_TRUE(CUtil::ClearArchiveAttribute(Path("file"), &wasSet));
    EXPECT_FALSE(wasSet);

    ASSERT_TRUE(WriteFile(Path("file"), "changed"));
    EXPECT_TRUE(CUtil::ClearArchiveAttribute(Path("file"), &wasSet));
    EXPECT_TRUE(wasSet);
}

TEST_F(CUtilFiles, ClearArchiveAttributeReportsAFileSystemWithoutXattrs)
{
    ASSERT_TRUE(WriteFile(Path("file"), "x"));
    platform::fault::Arm(platform::fault::Operation::SetAttributes, 1, ENOTSUP);
    bool wasSet = false;
    EXPECT_FALSE(CUtil::ClearArchiveAttribute(Path("file"), &wasSet));
    EXPECT_TRUE(wasSet);
    EXPECT_EQ(CUtil::LastError(), ENOTSUP);
    quint32 attributes = 0;
    ASSERT_TRUE(platform::GetAttributes(Path("file"), &attributes));
    EXPECT_TRUE(attributes & platform::kAttributeArchive);
}

TEST_F(CUtilFiles, DeleteFileForced)
{
    bool existed = true;
    EXPECT_TRUE(CUtil::DeleteFileForced(Path("missing"), &existed));
    EXPECT_FALSE(existed);

    ASSERT_TRUE(WriteFile(Path("locked"), "x", 0444));
    EXPECT_TRUE(CUtil::DeleteFileForced(Path("locked"), &existed));
    EXPECT_TRUE(existed);
    EXPECT_FALSE(Present(Path("locked")));
}

TEST_F(CUtilFiles, DeleteFileForcedRemovesALinkButLeavesItsTarget)
{
    ASSERT_TRUE(WriteFile(Path("target"), "x", 0444));
    ASSERT_EQ(::symlink("target", Bytes(Path("link")).constData()), 0);
    ASSERT_EQ(::symlink("nowhere", Bytes(Path("dangling")).constData()), 0);
    bool existed = false;
    EXPECT_TRUE(CUtil::DeleteFileForced(Path("link"), &existed));
    EXPECT_TRUE(existed);
    EXPECT_FALSE(Present(Path("link")));
    EXPECT_EQ(Mode(Path("target")), 0444u);
    EXPECT_TRUE(CUtil::DeleteFileForced(Path("dangling"), &existed));
    EXPECT_TRUE(existed);
    EXPECT_FALSE(Present(Path("dangling")));
}

TEST_F(CUtilFiles, DeleteFileForcedFailures)
{
    bool existed = false;
    ASSERT_EQ(::mkdir(Bytes(Path("dir")).constData(), 0755), 0);
    EXPECT_FALSE(CUtil::DeleteFileForced(Path("dir"), &existed));
    EXPECT_TRUE(existed);
    EXPECT_EQ(CUtil::LastError(), EISDIR);

    ASSERT_TRUE(WriteFile(Path("file"), "x"));
    platform::fault::Arm(platform::fault::Operation::RemoveFile, 1, EBUSY);
    EXPECT_FALSE(CUtil::DeleteFileForced(Path("file"), &existed));
    EXPECT_TRUE(existed);
    EXPECT_EQ(CUtil::LastError(), EBUSY);

    // A path that cannot be examined is not reported as deleted.
    platform::fault::Arm(platform::fault::Operation::Stat, 1, EACCES);
    existed = false;
    EXPECT_FALSE(CUtil::DeleteFileForced(Path("file"), &existed));
    EXPECT_TRUE(existed);
    EXPECT_TRUE(Present(Path("file")));
}

TEST_F(CUtilFiles, GetFileSizeAndTime)
{
    ASSERT_TRUE(WriteFile(Path("file"), "12345"));
    const qint64 stamp = platform::FileTimeFromUnix(1500000000, 123456700);
    ASSERT_TRUE(platform::SetModificationTime(Path("file"), stamp));
    qint64 time = 0;
    qint64 size = 0;
    ASSERT_TRUE(CUtil::GetFileSizeAndTime(Path("file"), &time, &size));
    EXPECT_EQ(size, 5);
    EXPECT_EQ(time, stamp);

    time = size = -7;
    EXPECT_FALSE(CUtil::GetFileSizeAndTime(Path("missing"), &time, &size));
    EXPECT_EQ(CUtil::LastError(), ENOENT);
    EXPECT_FALSE(CUtil::GetFileSizeAndTime(dir.path(), &time, &size));
    EXPECT_EQ(CUtil::LastError(), EISDIR);
    EXPECT_EQ(time, -7);
    EXPECT_EQ(size, -7);
}

// ---- temporary directory and settings ----

TEST_F(CUtilFiles, TempDirectoryFromTheSettings)
{
    ASSERT_EQ(::mkdir(Bytes(Path("chosen")).constData(), 0755), 0);
    const QByteArray ini = "[Allgemein]\r\nTempPath=" + Bytes(Path("chosen")) + "\r\n";
    ASSERT_TRUE(WriteFile(Path("zelvaron.ini"), ini));
    ScopedEnv settings("U3_APP_DATA_PATH", Bytes(dir.path()));
    EXPECT_EQ(CUtil::GetTempDirectory(), Path("chosen"));
}

TEST_F(CUtilFiles, TempDirectoryFallsBackToTheSystemPath)
{
    const QByteArray ini = "[Allgemein]\nTempPath=" + Bytes(Path("gone")) + "\n";
    ASSERT_TRUE(WriteFile(Path("zelvaron.ini"), ini));
    ScopedEnv settings("U3_APP_DATA_PATH", Bytes(dir.path()));
    ScopedEnv tmp("TMPDIR", Bytes(Path("sys/deeper")));
    EXPECT_EQ(CUtil::GetTempDirectory(), Path("sys/deeper/Zelvaron/"));
    struct stat st{};
    ASSERT_EQ(::stat(Bytes(Path("sys/deeper/Zelvaron")).constData(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
}

TEST_F(CUtilFiles, TempDirectoryIsTheSystemPathWhenItsFolderCannotBeMade)
{
    ASSERT_TRUE(WriteFile(Path("blocker"), "x"));
    ScopedEnv settings("U3_APP_DATA_PATH", Bytes(Path("no-settings")));
    ScopedEnv tmp("TMPDIR", Bytes(Path("blocker")));
    EXPECT_EQ(CUtil::GetTempDirectory(), Path("blocker/"));
}

TEST_F(CUtilFiles, MakeTempFileName)
{
    ScopedEnv settings("U3_APP_DATA_PATH", Bytes(Path("no-settings")));
    ScopedEnv tmp("TMPDIR", Bytes(dir.path()));
    const QString path = CUtil::MakeTempFileName();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1/Zelvaron/~[A-Za-z0-9]{6}\\.tmp$")
                                       .arg(QRegularExpression::escape(dir.path())))
                    .match(path)
                    .hasMatch())
        << path.toStdString();
    EXPECT_TRUE(Present(path));
    EXPECT_NE(CUtil::MakeTempFileName(), path);
}

// ---- byte-order mark ----

TEST_F(CUtilFiles, SkipUnicodeBom)
{
    struct Row {
        QByteArray content;
        bool result;
        qint64 position;
    };
    const Row rows[] = {
        {QByteArray("\xFF\xFE" "a\0", 4), true, 2},
        {QByteArray("ab"), false, 0},
        {QByteArray("\xFE\xFF" "a\0", 4), false, 0},
        {QByteArray("x"), true, 1},
        {QByteArray(), true, 0},
    };
    for (const Row &row : rows) {
        ASSERT_TRUE(WriteFile(Path("bom"), row.content));
        QFile file(Path("bom"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(CUtil::SkipUnicodeBom(file), row.result) << row.content.toHex().constData();
        EXPECT_EQ(file.pos(), row.position) << row.content.toHex().constData();
    }
}

// ---- processes ----

TEST_F(CUtilFiles, OpenInNotepadNeedsAnExistingFile)
{
    EXPECT_FALSE(CUtil::OpenInNotepad(Path("missing.txt")));
    EXPECT_EQ(CUtil::LastError(), ENOENT);
}

TEST_F(CUtilFiles, RunProgram)
{
    EXPECT_TRUE(CUtil::RunProgram(QStringLiteral("true")));
    EXPECT_FALSE(CUtil::RunProgram(QStringLiteral("zelvaron-no-such-program")));
    EXPECT_EQ(CUtil::LastError(), ENOENT);
}

} // namespace
