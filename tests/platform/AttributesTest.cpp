#include "platform/Attributes.h"

#include "platform/FileTime.h"
#include "platform/LastError.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/wait.h>

using namespace platform;

namespace {

class AttributesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        file = dir.path() + QStringLiteral("/file");
        ASSERT_TRUE(testfiles::WriteFile(file, "data", 0644));
    }

    quint32 Attributes(const QString &path)
    {
        quint32 attributes = 0xFFFFFFFF;
        EXPECT_TRUE(GetAttributes(path, &attributes));
        return attributes;
    }

    // Whether the temporary directory's file system stores user extended attributes.
    bool XattrsSupported()
    {
        if (testfiles::SetXattr(file, "user.probe", "1"))
            return ::removexattr(testfiles::Bytes(file).constData(), "user.probe") == 0;
        return errno != ENOTSUP;
    }

    QTemporaryDir dir;
    QString file;
};

TEST_F(AttributesTest, ReadOnlyIsTheOwnerWriteBit)
{
    EXPECT_FALSE(Attributes(file) & kAttributeReadOnly);

    ASSERT_TRUE(SetAttributes(file, Attributes(file) | kAttributeReadOnly));
    EXPECT_EQ(testfiles::Mode(file), 0444u);
    EXPECT_TRUE(Attributes(file) & kAttributeReadOnly);

    ASSERT_TRUE(SetAttributes(file, Attributes(file) & ~kAttributeReadOnly));
    EXPECT_EQ(testfiles::Mode(file), 0644u);
    EXPECT_FALSE(Attributes(file) & kAttributeReadOnly);
}

TEST_F(AttributesTest, OnlyTheOwnerBitDecides)
{
    ASSERT_EQ(::chmod(testfiles::Bytes(file).constData(), 0466), 0);
    EXPECT_TRUE(Attributes(file) & kAttributeReadOnly);
    ASSERT_EQ(::chmod(testfiles::Bytes(file).constData(), 0200), 0);
    EXPECT_FALSE(Attributes(file) & kAttributeReadOnly);
}

TEST_F(AttributesTest, DirectoryBit)
{
    EXPECT_TRUE(Attributes(dir.path()) & kAttributeDirectory);
    EXPECT_FALSE(Attributes(file) & kAttributeDirectory);
    // The directory bit of the word is not something SetAttributes can change.
    ASSERT_TRUE(SetAttributes(file, Attributes(file) | kAttributeDirectory));
    EXPECT_FALSE(Attributes(file) & kAttributeDirectory);
}

TEST_F(AttributesTest, ArchiveEmulationCycle)
{
    if (!XattrsSupported()) {
        EXPECT_FALSE(SetAttributes(file, Attributes(file) & ~kAttributeArchive));
        EXPECT_EQ(LastError(), ENOTSUP);
        EXPECT_TRUE(Attributes(file) & kAttributeArchive);
        return;
    }
    EXPECT_TRUE(Attributes(file) & kAttributeArchive);

    ASSERT_TRUE(SetAttributes(file, Attributes(file) & ~kAttributeArchive));
    EXPECT_FALSE(Attributes(file) & kAttributeArchive);

    ASSERT_TRUE(testfiles::WriteFile(file, "changed content", 0644));
    EXPECT_TRUE(Attributes(file) & kAttributeArchive);

    ASSERT_TRUE(SetAttributes(file, Attributes(file) & ~kAttributeArchive));
    EXPECT_FALSE(Attributes(file) & kAttributeArchive);

    // Setting the attribute again removes the marker.
    ASSERT_TRUE(SetAttributes(file, Attributes(file) | kAttributeArchive));
    EXPECT_TRUE(Attributes(file) & kAttributeArchive);
    EXPECT_TRUE(testfiles::Xattr(file, kArchivedMarkerName).isEmpty());
}

TEST_F(AttributesTest, MarkerHoldsNanosecondTimeAndSize)
{
    if (!XattrsSupported())
        GTEST_SKIP() << "no user extended attributes on this file system";
    ASSERT_TRUE(SetFileTimes(file, std::nullopt, FileTimeFromUnix(1700000000, 123456700)));
    ASSERT_TRUE(SetAttributes(file, Attributes(file) & ~kAttributeArchive));
    EXPECT_EQ(testfiles::Xattr(file, kArchivedMarkerName), QByteArray("1700000000123456700 4"));
}

TEST_F(AttributesTest, ModificationTimeChangeAloneSetsTheArchiveAgain)
{
    if (!XattrsSupported())
        GTEST_SKIP() << "no user extended attributes on this file system";
    ASSERT_TRUE(SetAttributes(file, Attributes(file) & ~kAttributeArchive));
    qint64 lastWrite = 0;
    ASSERT_TRUE(GetModificationTime(file, &lastWrite));
    ASSERT_TRUE(SetModificationTime(file, lastWrite + 1));
    EXPECT_TRUE(Attributes(file) & kAttributeArchive);
}

TEST_F(AttributesTest, ClearingReadOnlyAndArchiveTogether)
{
    if (!XattrsSupported())
        GTEST_SKIP() << "no user extended attributes on this file system";
    ASSERT_EQ(::chmod(testfiles::Bytes(file).constData(), 0444), 0);
    ASSERT_TRUE(SetAttributes(file, 0));
    EXPECT_EQ(Attributes(file), 0u);
    EXPECT_EQ(testfiles::Mode(file), 0644u);
}

TEST_F(AttributesTest, ArchiveOfAReadOnlyFileClearsForItsNonRootOwner)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to hand the file to another user";
    if (!XattrsSupported())
        GTEST_SKIP() << "no user extended attributes on this file system";
    const uid_t nobody = 65534;
    ASSERT_EQ(::chmod(testfiles::Bytes(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(::chown(testfiles::Bytes(file).constData(), nobody, nobody), 0);
    ASSERT_EQ(::chmod(testfiles::Bytes(file).constData(), 0444), 0);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(nobody) != 0 || ::setuid(nobody) != 0)
            ::_exit(2);
        ::_exit(SetAttributes(file, kAttributeReadOnly) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Attributes(file), kAttributeReadOnly);
    EXPECT_EQ(testfiles::Mode(file), 0444u);
}

TEST_F(AttributesTest, SymbolicLinkItselfAlwaysShowsArchive)
{
    const QString link = dir.path() + QStringLiteral("/link");
    ASSERT_EQ(::symlink("file", testfiles::Bytes(link).constData()), 0);
    FileInfo info;
    ASSERT_TRUE(GetFileInfo(link, LinkMode::DoNotFollow, &info));
    EXPECT_EQ(info.attributes, kAttributeArchive);
}

TEST_F(AttributesTest, InjectedUnsupportedFileSystemIsReported)
{
    testfiles::FaultGuard guard;
    fault::Arm(fault::Operation::SetAttributes, 1, ENOTSUP);
    EXPECT_FALSE(SetAttributes(file, Attributes(file) & ~kAttributeArchive));
    EXPECT_EQ(LastError(), ENOTSUP);
    EXPECT_TRUE(Attributes(file) & kAttributeArchive);
}

TEST_F(AttributesTest, MissingFileFails)
{
    quint32 attributes = 0;
    EXPECT_FALSE(GetAttributes(file + QStringLiteral(".missing"), &attributes));
    EXPECT_EQ(LastError(), ENOENT);
    EXPECT_FALSE(SetAttributes(file + QStringLiteral(".missing"), 0));
    EXPECT_EQ(LastError(), ENOENT);
}

} // namespace
