#include "platform/TempFile.h"

#include "platform/LastError.h"
#include "TestFiles.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

using namespace platform;

namespace {

class ScopedTmpDir {
public:
    explicit ScopedTmpDir(const char *value)
    {
        const char *old = std::getenv("TMPDIR");
        hadOld_ = old != nullptr;
        if (hadOld_)
            old_ = old;
        if (value)
            ::setenv("TMPDIR", value, 1);
        else
            ::unsetenv("TMPDIR");
    }
    ~ScopedTmpDir()
    {
        if (hadOld_)
            ::setenv("TMPDIR", old_.constData(), 1);
        else
            ::unsetenv("TMPDIR");
    }

private:
    bool hadOld_ = false;
    QByteArray old_;
};

TEST(TempFile, NewEmptyPrivateFileWithTheProgramsNameShape)
{
    QTemporaryDir dir;
    const QString path = MakeTempFile(dir.path());
    ASSERT_FALSE(path.isEmpty());
    ASSERT_TRUE(path.startsWith(dir.path() + u'/'));
    const QString name = path.mid(dir.path().size() + 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^~[A-Za-z0-9]{6}\\.tmp$")).match(name).hasMatch()) << name.toStdString();
    EXPECT_TRUE(testfiles::PathPresent(path));
    EXPECT_TRUE(testfiles::ReadFile(path).isEmpty());
    EXPECT_EQ(testfiles::Mode(path), 0600u);
}

TEST(TempFile, EveryCallMakesANewFile)
{
    QTemporaryDir dir;
    const QString first = MakeTempFile(dir.path() + u'/');
    const QString second = MakeTempFile(dir.path());
    ASSERT_FALSE(first.isEmpty());
    EXPECT_NE(first, second);
    EXPECT_FALSE(first.contains(QStringLiteral("//")));
}

TEST(TempFile, MissingDirectoryGivesAnEmptyPath)
{
    QTemporaryDir dir;
    EXPECT_TRUE(MakeTempFile(dir.path() + QStringLiteral("/missing")).isEmpty());
    EXPECT_EQ(LastError(), ENOENT);
}

TEST(TempFile, SystemTempPathFollowsTmpdir)
{
    {
        ScopedTmpDir tmp("/var/tmp");
        EXPECT_EQ(SystemTempPath(), QStringLiteral("/var/tmp/"));
    }
    {
        ScopedTmpDir tmp("/var/tmp/");
        EXPECT_EQ(SystemTempPath(), QStringLiteral("/var/tmp/"));
    }
    {
        ScopedTmpDir tmp(nullptr);
        EXPECT_EQ(SystemTempPath(), QStringLiteral("/tmp/"));
    }
    {
        ScopedTmpDir tmp("");
        EXPECT_EQ(SystemTempPath(), QStringLiteral("/tmp/"));
    }
}

} // namespace
