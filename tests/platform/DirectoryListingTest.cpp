#include "platform/DirectoryListing.h"

#include "platform/Attributes.h"
#include "platform/LastError.h"
#include "TestFiles.h"

#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using namespace platform;

namespace {

class DirectoryListingTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString Path(const char *name) const { return dir.path() + u'/' + QString::fromUtf8(name); }

    QMap<QString, DirectoryEntry> List()
    {
        QList<DirectoryEntry> entries;
        EXPECT_TRUE(ListDirectory(dir.path(), &entries));
        QMap<QString, DirectoryEntry> byName;
        for (const DirectoryEntry &entry : entries)
            byName.insert(entry.name, entry);
        EXPECT_EQ(byName.size(), entries.size());
        return byName;
    }

    QTemporaryDir dir;
};

TEST_F(DirectoryListingTest, ListsEveryKindWithoutFollowingLinks)
{
    ASSERT_TRUE(testfiles::WriteFile(Path("file"), "abc", 0444));
    ASSERT_EQ(::mkdir(testfiles::Bytes(Path("sub")).constData(), 0755), 0);
    ASSERT_TRUE(testfiles::WriteFile(Path("sub/inner"), "x"));
    ASSERT_EQ(::symlink("sub", testfiles::Bytes(Path("link")).constData()), 0);
    ASSERT_EQ(::mkfifo(testfiles::Bytes(Path("fifo")).constData(), 0644), 0);

    const QMap<QString, DirectoryEntry> entries = List();
    ASSERT_EQ(entries.keys(), (QStringList{QStringLiteral("fifo"), QStringLiteral("file"), QStringLiteral("link"),
                                           QStringLiteral("sub")}));
    const FileInfo &file = entries[QStringLiteral("file")].info;
    EXPECT_EQ(file.type, FileType::Regular);
    EXPECT_EQ(file.size, 3);
    EXPECT_EQ(file.attributes, kAttributeReadOnly | kAttributeArchive);
    EXPECT_EQ(entries[QStringLiteral("sub")].info.type, FileType::Directory);
    EXPECT_TRUE(entries[QStringLiteral("sub")].info.attributes & kAttributeDirectory);
    EXPECT_EQ(entries[QStringLiteral("link")].info.type, FileType::Symlink);
    EXPECT_EQ(entries[QStringLiteral("fifo")].info.type, FileType::Fifo);
}

TEST_F(DirectoryListingTest, EntryTimesComeFromTheFiles)
{
    ASSERT_TRUE(testfiles::WriteFile(Path("file"), "abc"));
    FileInfo direct;
    ASSERT_TRUE(GetFileInfo(Path("file"), LinkMode::DoNotFollow, &direct));
    const DirectoryEntry listed = List().value(QStringLiteral("file"));
    EXPECT_EQ(listed.info.lastWriteTime, direct.lastWriteTime);
    EXPECT_EQ(listed.info.inode, direct.inode);
}

// The marker is only read when asked for; an ignored marker leaves the archive attribute set.
TEST_F(DirectoryListingTest, ArchiveMarkerIsReadOnlyWhenAskedFor)
{
    ASSERT_TRUE(testfiles::WriteFile(Path("file"), "abc"));
    quint32 attributes = 0;
    ASSERT_TRUE(GetAttributes(Path("file"), &attributes));
    if (!SetAttributes(Path("file"), attributes & ~kAttributeArchive))
        GTEST_SKIP() << "no user extended attributes in the temporary directory";
    const struct {
        ArchiveMarker marker;
        quint32 attributes;
    } rows[] = {
        {ArchiveMarker::Read, 0},
        {ArchiveMarker::Ignore, kAttributeArchive},
    };
    for (const auto &row : rows) {
        QList<DirectoryEntry> entries;
        ASSERT_TRUE(ListDirectory(dir.path(), &entries, row.marker));
        ASSERT_EQ(entries.size(), 1);
        EXPECT_EQ(entries[0].info.attributes, row.attributes) << int(row.marker);
        EXPECT_EQ(entries[0].info.size, 3);
    }
}

TEST_F(DirectoryListingTest, EmptyDirectoryHasNoEntries)
{
    EXPECT_TRUE(List().isEmpty());
}

TEST_F(DirectoryListingTest, MissingOrWrongPathFails)
{
    QList<DirectoryEntry> entries;
    EXPECT_FALSE(ListDirectory(Path("missing"), &entries));
    EXPECT_EQ(LastError(), ENOENT);
    ASSERT_TRUE(testfiles::WriteFile(Path("file"), "abc"));
    EXPECT_FALSE(ListDirectory(Path("file"), &entries));
    EXPECT_EQ(LastError(), ENOTDIR);
}

TEST_F(DirectoryListingTest, InjectedFailure)
{
    testfiles::FaultGuard guard;
    ASSERT_TRUE(testfiles::WriteFile(Path("file"), "abc"));
    fault::Arm(fault::Operation::ListDirectory, 1, EACCES);
    QList<DirectoryEntry> entries;
    EXPECT_FALSE(ListDirectory(dir.path(), &entries));
    EXPECT_EQ(LastError(), EACCES);
    EXPECT_TRUE(entries.isEmpty());
}

} // namespace
