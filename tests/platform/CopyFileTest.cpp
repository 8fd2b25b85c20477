#include "platform/CopyFile.h"

#include "platform/Attributes.h"
#include "platform/FileTime.h"
#include "platform/LastError.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <utility>
#include <vector>

using namespace platform;

namespace {

constexpr qint64 kChunk = 64 * 1024;

struct Progress {
    std::vector<std::pair<qint64, qint64>> calls;
    int cancelAfter = -1;

    CopyProgressCallback Callback()
    {
        return [this](qint64 total, qint64 done) {
            calls.emplace_back(total, done);
            return int(calls.size()) == cancelAfter ? CopyProgressAction::Cancel : CopyProgressAction::Continue;
        };
    }
};

class CopyFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        source = dir.path() + QStringLiteral("/source");
        target = dir.path() + QStringLiteral("/target");
    }

    bool Copy(Progress *progress = nullptr, const std::atomic<bool> *cancel = nullptr)
    {
        return CopyFileWithProgress(source, target, progress ? progress->Callback() : CopyProgressCallback(), cancel,
                                    kChunk);
    }

    QTemporaryDir dir;
    QString source;
    QString target;
    testfiles::FaultGuard guard;
};

TEST_F(CopyFileTest, CopiesContentPermissionsTimeAndUserAttributes)
{
    const QByteArray content = testfiles::Pattern(300 * 1024 + 17);
    ASSERT_TRUE(testfiles::WriteFile(source, content, 0640));
    const bool xattrs = testfiles::SetXattr(source, "user.note", "hello")
        && testfiles::SetXattr(source, "user.binary", QByteArray("a\0b", 3));
    const qint64 stamp = FileTimeFromUnix(1600000000, 987654300);
    ASSERT_TRUE(SetModificationTime(source, stamp));

    ASSERT_TRUE(Copy());

    EXPECT_EQ(testfiles::ReadFile(target), content);
    EXPECT_EQ(testfiles::Mode(target), 0640u);
    qint64 copiedStamp = 0;
    ASSERT_TRUE(GetModificationTime(target, &copiedStamp));
    EXPECT_EQ(copiedStamp, stamp);
    if (xattrs) {
        EXPECT_EQ(testfiles::Xattr(target, "user.note"), QByteArray("hello"));
        EXPECT_EQ(testfiles::Xattr(target, "user.binary"), QByteArray("a\0b", 3));
    }
}

// More names than fit into the first buffer the list is read into.
TEST_F(CopyFileTest, LongListOfUserAttributesIsCopiedWhole)
{
    ASSERT_TRUE(testfiles::WriteFile(source, "content"));
    ASSERT_TRUE(testfiles::WriteFile(target, "old"));
    if (!testfiles::SetXattr(target, "user.stale", "old"))
        GTEST_SKIP() << "no user extended attributes on this file system";
    QList<QByteArray> names;
    for (int i = 0; i < 60; ++i) {
        names.append("user.an-attribute-with-a-rather-long-name-" + QByteArray::number(i));
        ASSERT_TRUE(testfiles::SetXattr(source, names.back().constData(), QByteArray::number(i * 7)));
    }
    ASSERT_TRUE(Copy());
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(testfiles::Xattr(target, names[i].constData()), QByteArray::number(i * 7)) << names[i].constData();
    EXPECT_TRUE(testfiles::Xattr(target, "user.stale").isEmpty());
}

TEST_F(CopyFileTest, CopyShowsTheArchiveAttributeEvenWhenTheSourceIsArchived)
{
    ASSERT_TRUE(testfiles::WriteFile(source, "content"));
    quint32 attributes = 0;
    ASSERT_TRUE(GetAttributes(source, &attributes));
    if (!SetAttributes(source, attributes & ~kAttributeArchive))
        GTEST_SKIP() << "no user extended attributes on this file system";
    ASSERT_TRUE(Copy());
    ASSERT_TRUE(GetAttributes(target, &attributes));
    EXPECT_TRUE(attributes & kAttributeArchive);
    EXPECT_TRUE(testfiles::Xattr(target, kArchivedMarkerName).isEmpty());
}

TEST_F(CopyFileTest, ExistingTargetLosesStaleAttributesAndContent)
{
    ASSERT_TRUE(testfiles::WriteFile(source, "short"));
    ASSERT_TRUE(testfiles::WriteFile(target, testfiles::Pattern(200000)));
    const bool xattrs = testfiles::SetXattr(target, "user.stale", "old");
    ASSERT_TRUE(Copy());
    EXPECT_EQ(testfiles::ReadFile(target), QByteArray("short"));
    if (xattrs) {
        EXPECT_TRUE(testfiles::Xattr(target, "user.stale").isEmpty());
    }
}

// New targets are created with the source's bits, existing ones keep theirs until the end;
// either way the finished copy has exactly the source's bits, whatever the umask took away.
TEST_F(CopyFileTest, TargetEndsWithTheSourcesPermissionBits)
{
    constexpr mode_t kNoTarget = 01000000;
    const struct {
        mode_t source;
        mode_t umask;
        mode_t existingTarget;
    } rows[] = {
        {0640, 022, kNoTarget}, {0666, 022, kNoTarget}, {0444, 022, kNoTarget}, {0755, 077, kNoTarget},
        {0600, 022, 0644},      {0644, 022, 0644},      {0664, 002, 0600},
    };
    for (const auto &row : rows) {
        const mode_t previous = ::umask(row.umask);
        ::unlink(testfiles::Bytes(source).constData());
        ::unlink(testfiles::Bytes(target).constData());
        const QByteArray content = "mode " + QByteArray::number(row.source, 8);
        ASSERT_TRUE(testfiles::WriteFile(source, content, row.source));
        if (row.existingTarget != kNoTarget) {
            ASSERT_TRUE(testfiles::WriteFile(target, testfiles::Pattern(5000), row.existingTarget));
        }
        const bool copied = Copy();
        ::umask(previous);
        ASSERT_TRUE(copied) << std::oct << row.source;
        EXPECT_EQ(testfiles::ReadFile(target), content);
        EXPECT_EQ(testfiles::Mode(target), row.source) << std::oct << row.source << " " << row.existingTarget;
    }
}

// The copy follows a link at the target's place, also when nothing is at its end yet.
TEST_F(CopyFileTest, LinkAtTheTargetIsFollowed)
{
    ASSERT_TRUE(testfiles::WriteFile(source, "through the link"));
    const QString end = dir.path() + QStringLiteral("/end");
    ASSERT_EQ(::symlink("end", testfiles::Bytes(target).constData()), 0);
    ASSERT_TRUE(Copy());
    EXPECT_EQ(testfiles::ReadFile(end), QByteArray("through the link"));
    struct stat st{};
    ASSERT_EQ(::lstat(testfiles::Bytes(target).constData(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

// The source's access time lies in the future, where reading does not move it on a file
// system mounted with relatime; the target takes it only when asked to.
TEST_F(CopyFileTest, AccessTimeIsTakenOnlyWhenAsked)
{
    const timespec access{::time(nullptr) + 3600, 11};
    const timespec modification{1600000000, 22};
    for (const CopyTimes times : {CopyTimes::AccessAndModification, CopyTimes::Modification}) {
        ::unlink(testfiles::Bytes(target).constData());
        ASSERT_TRUE(testfiles::WriteFile(source, testfiles::Pattern(10000)));
        const timespec stamps[2] = {access, modification};
        ASSERT_EQ(::utimensat(AT_FDCWD, testfiles::Bytes(source).constData(), stamps, 0), 0);

        ASSERT_TRUE(CopyFileWithProgress(source, target, {}, nullptr, kChunk, times));

        struct stat from{};
        struct stat to{};
        ASSERT_EQ(::stat(testfiles::Bytes(source).constData(), &from), 0);
        ASSERT_EQ(::stat(testfiles::Bytes(target).constData(), &to), 0);
        EXPECT_EQ(to.st_mtim.tv_sec, modification.tv_sec);
        EXPECT_EQ(to.st_mtim.tv_nsec, modification.tv_nsec);
        if (times == CopyTimes::AccessAndModification) {
            EXPECT_EQ(to.st_atim.tv_sec, from.st_atim.tv_sec);
            EXPECT_EQ(to.st_atim.tv_nsec, from.st_atim.tv_nsec);
        } else if (from.st_atim.tv_sec == access.tv_sec) {
            EXPECT_NE(to.st_atim.tv_sec, access.tv_sec);
        }
    }
}

TEST_F(CopyFileTest, SetUserIdBitIsNotCopied)
{
    ASSERT_TRUE(testfiles::WriteFile(source, "#!/bin/sh\n", 04755));
    ASSERT_TRUE(Copy());
    EXPECT_EQ(testfiles::Mode(target), 0755u);
}

TEST_F(CopyFileTest, ProgressAfterEveryChunk)
{
    const qint64 size = 3 * kChunk + 100;
    ASSERT_TRUE(testfiles::WriteFile(source, testfiles::Pattern(size)));
    Progress progress;
    ASSERT_TRUE(Copy(&progress));
    ASSERT_GE(progress.calls.size(), 4u);
    qint64 previous = 0;
    for (const auto &[total, done] : progress.calls) {
        EXPECT_EQ(total, size);
        EXPECT_GT(done, previous);
        EXPECT_LE(done - previous, kChunk);
        previous = done;
    }
    EXPECT_EQ(previous, size);
}

TEST_F(CopyFileTest, EmptyFileIsCopied)
{
    ASSERT_TRUE(testfiles::WriteFile(source, QByteArray()));
    Progress progress;
    ASSERT_TRUE(Copy(&progress));
    EXPECT_TRUE(testfiles::PathPresent(target));
    EXPECT_TRUE(testfiles::ReadFile(target).isEmpty());
    EXPECT_TRUE(progress.calls.empty());
}

TEST_F(CopyFileTest, CancelFromTheCallbackRemovesThePartialTarget)
{
    ASSERT_TRUE(testfiles::WriteFile(source, testfiles::Pattern(5 * kChunk)));
    Progress progress;
    progress.cancelAfter = 2;
    EXPECT_FALSE(Copy(&progress));
    EXPECT_EQ(LastError(), ECANCELED);
    EXPECT_EQ(progress.calls.size(), 2u);
    EXPECT_FALSE(testfiles::PathPresent(target));
}

TEST_F(CopyFileTest, CancelFlagStopsTheCopy)
{
    ASSERT_TRUE(testfiles::WriteFile(source, testfiles::Pattern(5 * kChunk)));
    std::atomic<bool> cancel{false};
    Progress progress;
    const bool ok = CopyFileWithProgress(source, target,
                                         [&](qint64 total, qint64 done) {
                                             cancel = true;
                                             return progress.Callback()(total, done);
                                         },
                                         &cancel, kChunk);
    EXPECT_FALSE(ok);
    EXPECT_EQ(LastError(), ECANCELED);
    EXPECT_EQ(progress.calls.size(), 1u);
    EXPECT_FALSE(testfiles::PathPresent(target));
}

TEST_F(CopyFileTest, InjectedWriteFailureRemovesThePartialTarget)
{
    ASSERT_TRUE(testfiles::WriteFile(source, testfiles::Pattern(5 * kChunk)));
    fault::Arm(fault::Operation::CopyData, 2, ENOSPC);
    Progress progress;
    EXPECT_FALSE(Copy(&progress));
    EXPECT_EQ(LastError(), ENOSPC);
    EXPECT_EQ(progress.calls.size(), 1u);
    EXPECT_FALSE(testfiles::PathPresent(target));
}

TEST_F(CopyFileTest, InjectedTimeFailureRemovesTheTarget)
{
    ASSERT_TRUE(testfiles::WriteFile(source, "abc"));
    fault::Arm(fault::Operation::SetFileTime, 1, EIO);
    EXPECT_FALSE(Copy());
    EXPECT_EQ(LastError(), EIO);
    EXPECT_FALSE(testfiles::PathPresent(target));
}

TEST_F(CopyFileTest, FailedTargetOpenLeavesAnExistingTargetAlone)
{
    ASSERT_TRUE(testfiles::WriteFile(source, "new"));
    ASSERT_TRUE(testfiles::WriteFile(target, "old"));
    fault::Arm(fault::Operation::Open, 2, EMFILE);
    EXPECT_FALSE(Copy());
    EXPECT_EQ(LastError(), EMFILE);
    EXPECT_EQ(testfiles::ReadFile(target), QByteArray("old"));
}

TEST_F(CopyFileTest, ReadOnlyTargetIsRefusedEvenForRoot)
{
    ASSERT_TRUE(testfiles::WriteFile(source, "new"));
    ASSERT_TRUE(testfiles::WriteFile(target, "old", 0444));
    EXPECT_FALSE(Copy());
    EXPECT_EQ(LastError(), EACCES);
    EXPECT_EQ(testfiles::ReadFile(target), QByteArray("old"));
}

TEST_F(CopyFileTest, FifoSourceFailsWithoutWaiting)
{
    ASSERT_EQ(::mkfifo(testfiles::Bytes(source).constData(), 0644), 0);
    EXPECT_FALSE(Copy());
    EXPECT_EQ(LastError(), EINVAL);
    EXPECT_FALSE(testfiles::PathPresent(target));
}

TEST_F(CopyFileTest, FifoTargetIsRefusedWithoutWaiting)
{
    ASSERT_TRUE(testfiles::WriteFile(source, "data"));
    ASSERT_EQ(::mkfifo(testfiles::Bytes(target).constData(), 0644), 0);
    EXPECT_FALSE(Copy());
    EXPECT_EQ(LastError(), EINVAL);
}

TEST_F(CopyFileTest, DirectorySourceFails)
{
    EXPECT_FALSE(CopyFileWithProgress(dir.path(), target, {}, nullptr));
    EXPECT_EQ(LastError(), EISDIR);
    EXPECT_FALSE(testfiles::PathPresent(target));
}

TEST_F(CopyFileTest, MissingSourceFails)
{
    EXPECT_FALSE(Copy());
    EXPECT_EQ(LastError(), ENOENT);
    EXPECT_FALSE(testfiles::PathPresent(target));
}

TEST_F(CopyFileTest, CopyOntoItselfKeepsTheFile)
{
    ASSERT_TRUE(testfiles::WriteFile(source, "precious"));
    const QString hardLink = dir.path() + QStringLiteral("/hardlink");
    ASSERT_EQ(::link(testfiles::Bytes(source).constData(), testfiles::Bytes(hardLink).constData()), 0);
    for (const QString &onto : {source, hardLink}) {
        EXPECT_FALSE(CopyFileWithProgress(source, onto, {}, nullptr));
        EXPECT_EQ(LastError(), EINVAL);
        EXPECT_EQ(testfiles::ReadFile(source), QByteArray("precious"));
    }
}

TEST_F(CopyFileTest, SymbolicLinkSourceCopiesTheFileItPointsTo)
{
    ASSERT_TRUE(testfiles::WriteFile(source, "linked"));
    const QString link = dir.path() + QStringLiteral("/link");
    ASSERT_EQ(::symlink("source", testfiles::Bytes(link).constData()), 0);
    ASSERT_TRUE(CopyFileWithProgress(link, target, {}, nullptr));
    EXPECT_EQ(testfiles::ReadFile(target), QByteArray("linked"));
}

// /dev/shm is usually a different file system, where the kernel cannot copy between the
// two files and the read/write path takes over.
TEST_F(CopyFileTest, CopiesAcrossFileSystems)
{
    QTemporaryDir other(QStringLiteral("/dev/shm/copytest-XXXXXX"));
    if (!other.isValid())
        GTEST_SKIP() << "no /dev/shm";
    const QByteArray content = testfiles::Pattern(2 * kChunk + 5);
    ASSERT_TRUE(testfiles::WriteFile(source, content, 0600));
    const QString away = other.path() + QStringLiteral("/copy");
    Progress progress;
    ASSERT_TRUE(CopyFileWithProgress(source, away, progress.Callback(), nullptr, kChunk));
    EXPECT_EQ(testfiles::ReadFile(away), content);
    EXPECT_EQ(testfiles::Mode(away), 0600u);
    ASSERT_FALSE(progress.calls.empty());
    EXPECT_EQ(progress.calls.back().second, content.size());

    ASSERT_TRUE(CopyFileWithProgress(away, target, {}, nullptr, kChunk));
    EXPECT_EQ(testfiles::ReadFile(target), content);
}

} // namespace
