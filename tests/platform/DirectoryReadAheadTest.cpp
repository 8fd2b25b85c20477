#include "platform/DirectoryReadAhead.h"

#include "platform/FaultInjection.h"
#include "platform/LastError.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using namespace platform;

namespace {

// What a listing says about each entry, independent of the order the file system returns.
QStringList Describe(const QList<DirectoryEntry> &entries)
{
    QStringList lines;
    for (const DirectoryEntry &entry : entries) {
        lines.append(QStringLiteral("%1 %2 %3 %4 %5")
                         .arg(entry.name)
                         .arg(int(entry.info.type))
                         .arg(entry.info.size)
                         .arg(entry.info.lastWriteTime)
                         .arg(entry.info.inode));
    }
    lines.sort();
    return lines;
}

struct FaultGuard {
    ~FaultGuard() { fault::Disarm(); }
};

class DirectoryReadAheadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // Three levels, so that listings are made ahead while others are taken.
        for (int a = 0; a < 4; ++a) {
            MakeDir(Path(a));
            testfiles::WriteFile(Path(a) + QStringLiteral("/f"), QByteArray(a, 'x'));
            for (int b = 0; b < 3; ++b) {
                MakeDir(Path(a, b));
                testfiles::WriteFile(Path(a, b) + QStringLiteral("/g %1").arg(b), QByteArray(b + 10, 'y'));
            }
        }
    }

    QString Path(int a) const { return dir.path() + QStringLiteral("/d%1").arg(a); }
    QString Path(int a, int b) const { return Path(a) + QStringLiteral("/e%1").arg(b); }

    static void MakeDir(const QString &path) { ASSERT_EQ(::mkdir(testfiles::Bytes(path).constData(), 0755), 0); }

    static QStringList Subdirectories(const QString &directory, const QList<DirectoryEntry> &entries)
    {
        QStringList paths;
        for (const DirectoryEntry &entry : entries) {
            if (entry.info.type == FileType::Directory)
                paths.append(directory + u'/' + entry.name);
        }
        return paths;
    }

    // Walks the tree depth-first as the job walk does and gives every directory's listing.
    QStringList Walk(DirectoryReadAhead &reader, const QString &directory)
    {
        QList<DirectoryEntry> entries;
        const bool ok = reader.Take(directory, &entries);
        QStringList lines{directory + (ok ? QStringLiteral(": ok") : QStringLiteral(": %1").arg(LastError()))};
        lines += Describe(entries);
        const QStringList subdirectories = Subdirectories(directory, entries);
        reader.Announce(subdirectories);
        for (const QString &subdirectory : subdirectories)
            lines += Walk(reader, subdirectory);
        return lines;
    }

    QStringList WalkDirectly(const QString &directory)
    {
        QList<DirectoryEntry> entries;
        const bool ok = ListDirectory(directory, &entries);
        QStringList lines{directory + (ok ? QStringLiteral(": ok") : QStringLiteral(": %1").arg(LastError()))};
        lines += Describe(entries);
        for (const QString &subdirectory : Subdirectories(directory, entries))
            lines += WalkDirectly(subdirectory);
        return lines;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(DirectoryReadAheadTest, WalkSeesWhatDirectListingsSee)
{
    const QStringList expected = WalkDirectly(dir.path());
    ASSERT_EQ(expected.filter(QStringLiteral(": ok")).size(), 1 + 4 + 12);
    for (ArchiveMarker marker : {ArchiveMarker::Read, ArchiveMarker::Ignore}) {
        // Several rounds, because how far the thread gets ahead differs from round to round.
        for (int round = 0; round < 20; ++round) {
            DirectoryReadAhead reader(marker);
            ASSERT_EQ(Walk(reader, dir.path()), expected) << "round " << round;
        }
    }
}

TEST_F(DirectoryReadAheadTest, ListingErrorReachesTheWalkWithItsReason)
{
    // A directory that vanishes after it was announced, and a file announced as a directory.
    testfiles::WriteFile(dir.path() + QStringLiteral("/plain"), "x");
    for (int round = 0; round < 10; ++round) {
        DirectoryReadAhead reader(ArchiveMarker::Ignore);
        const QString gone = dir.path() + QStringLiteral("/gone");
        MakeDir(gone);
        reader.Announce({gone, dir.path() + QStringLiteral("/plain"), Path(0)});
        ASSERT_EQ(::rmdir(testfiles::Bytes(gone).constData()), 0);
        QList<DirectoryEntry> entries;
        // The thread may have listed "gone" before it was removed; then it is an empty directory.
        if (!reader.Take(gone, &entries)) {
            EXPECT_EQ(LastError(), ENOENT);
        }
        EXPECT_TRUE(entries.isEmpty());
        EXPECT_FALSE(reader.Take(dir.path() + QStringLiteral("/plain"), &entries));
        EXPECT_EQ(LastError(), ENOTDIR);
        EXPECT_TRUE(entries.isEmpty());
        EXPECT_TRUE(reader.Take(Path(0), &entries));
        EXPECT_EQ(entries.size(), 1 + 3);
    }
}

TEST_F(DirectoryReadAheadTest, FaultSeamCountsTakesInTheWalksOrder)
{
    for (int nth = 1; nth <= 4; ++nth) {
        DirectoryReadAhead reader(ArchiveMarker::Ignore);
        reader.Announce({Path(0), Path(1), Path(2), Path(3)});
        FaultGuard guard;
        fault::Arm(fault::Operation::ListDirectory, nth, EIO);
        for (int a = 0; a < 4; ++a) {
            QList<DirectoryEntry> entries;
            const bool ok = reader.Take(Path(a), &entries);
            EXPECT_EQ(ok, a + 1 != nth) << "take " << a + 1 << ", fault at " << nth;
            if (!ok) {
                EXPECT_EQ(LastError(), EIO);
                EXPECT_TRUE(entries.isEmpty());
            }
        }
    }
}

TEST_F(DirectoryReadAheadTest, WithdrawnAndUntakenDirectoriesEndCleanly)
{
    for (int round = 0; round < 20; ++round) {
        DirectoryReadAhead reader(ArchiveMarker::Read);
        QStringList all;
        for (int a = 0; a < 4; ++a) {
            all.append(Path(a));
            for (int b = 0; b < 3; ++b)
                all.append(Path(a, b));
        }
        reader.Announce(all);
        reader.Withdraw(Path(1));
        reader.Withdraw(Path(2, 2));
        QList<DirectoryEntry> entries;
        ASSERT_TRUE(reader.Take(Path(1), &entries)) << "a withdrawn directory can still be listed";
        EXPECT_EQ(entries.size(), 1 + 3);
        ASSERT_TRUE(reader.Take(Path(3, 1), &entries));
        EXPECT_EQ(Describe(entries).size(), 1);
        // The reader goes out of scope with listings pending, under way and done.
    }
}
