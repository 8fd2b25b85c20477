#include "platform/FileSystem.h"

#include "platform/LastError.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using namespace platform;

namespace {

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path(const char *name) const { return dir.path() + u'/' + QString::fromUtf8(name); }

    QTemporaryDir dir;
    testfiles::FaultGuard guard;
};

TEST_F(FileSystemTest, RenameReplacesOrKeeps)
{
    ASSERT_TRUE(testfiles::WriteFile(Path("a"), "A"));
    ASSERT_TRUE(testfiles::WriteFile(Path("b"), "B"));
    EXPECT_FALSE(RenameFile(Path("a"), Path("b"), RenameMode::KeepExisting));
    EXPECT_EQ(LastError(), EEXIST);
    EXPECT_EQ(testfiles::ReadFile(Path("b")), QByteArray("B"));

    ASSERT_TRUE(RenameFile(Path("a"), Path("b"), RenameMode::ReplaceExisting));
    EXPECT_EQ(testfiles::ReadFile(Path("b")), QByteArray("A"));
    EXPECT_FALSE(testfiles::PathPresent(Path("a")));

    ASSERT_TRUE(RenameFile(Path("b"), Path("c"), RenameMode::KeepExisting));
    EXPECT_EQ(testfiles::ReadFile(Path("c")), QByteArray("A"));
}

TEST_F(FileSystemTest, DirectoriesComeAndGo)
{
    ASSERT_TRUE(CreateDirectory(Path("d")));
    EXPECT_FALSE(CreateDirectory(Path("d")));
    EXPECT_EQ(LastError(), EEXIST);
    EXPECT_FALSE(CreateDirectory(Path("x/y")));
    EXPECT_EQ(LastError(), ENOENT);

    ASSERT_TRUE(testfiles::WriteFile(Path("d/f"), "f"));
    EXPECT_FALSE(RemoveDirectory(Path("d")));
    EXPECT_EQ(LastError(), ENOTEMPTY);
    ASSERT_TRUE(RemoveFile(Path("d/f")));
    ASSERT_TRUE(RemoveDirectory(Path("d")));
    EXPECT_FALSE(testfiles::PathPresent(Path("d")));
}

TEST_F(FileSystemTest, RemoveFileTakesTheLinkNotItsTarget)
{
    ASSERT_TRUE(testfiles::WriteFile(Path("target"), "t"));
    ASSERT_EQ(::symlink("target", testfiles::Bytes(Path("link")).constData()), 0);
    ASSERT_TRUE(RemoveFile(Path("link")));
    EXPECT_FALSE(testfiles::PathPresent(Path("link")));
    EXPECT_TRUE(testfiles::PathPresent(Path("target")));
    EXPECT_FALSE(RemoveFile(Path("link")));
    EXPECT_EQ(LastError(), ENOENT);
}

TEST_F(FileSystemTest, InjectedFailuresLeaveEverythingInPlace)
{
    ASSERT_TRUE(testfiles::WriteFile(Path("f"), "f"));
    ASSERT_TRUE(CreateDirectory(Path("d")));

    fault::Arm(fault::Operation::RemoveFile, 1, EROFS);
    EXPECT_FALSE(RemoveFile(Path("f")));
    EXPECT_EQ(LastError(), EROFS);
    fault::Arm(fault::Operation::Rename, 1, EXDEV);
    EXPECT_FALSE(RenameFile(Path("f"), Path("g"), RenameMode::ReplaceExisting));
    EXPECT_EQ(LastError(), EXDEV);
    fault::Arm(fault::Operation::RemoveDirectory, 1, EBUSY);
    EXPECT_FALSE(RemoveDirectory(Path("d")));
    EXPECT_EQ(LastError(), EBUSY);
    fault::Arm(fault::Operation::CreateDirectory, 1, ENOSPC);
    EXPECT_FALSE(CreateDirectory(Path("e")));
    EXPECT_EQ(LastError(), ENOSPC);

    EXPECT_TRUE(testfiles::PathPresent(Path("f")));
    EXPECT_TRUE(testfiles::PathPresent(Path("d")));
    EXPECT_FALSE(testfiles::PathPresent(Path("g")));
    EXPECT_FALSE(testfiles::PathPresent(Path("e")));
}

} // namespace
