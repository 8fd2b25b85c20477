#include "engine/DirectoryCreation.h"

#include "DirectoryTreeFixture.h"
#include "engine/CUtil.h"
#include "platform/FaultInjection.h"
#include "platform/LastError.h"
#include "platform/Security.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace treefixture;
using platform::fault::Operation;

namespace {

class DirectoryCreation : public TreeTest {};

} // namespace

TEST_F(DirectoryCreation, CreatesEveryMissingLevel)
{
    const struct { const char16_t *path; const char16_t *deepest; } rows[] = {
        {u"a/b/c", u"a/b/c"},
        {u"t1/t2/", u"t1/t2"},
        {u"s1//s2///", u"s1/s2"},
        {u"a/b/c/d", u"a/b/c/d"}, // three levels exist from the first row
    };
    for (const auto &row : rows) {
        const QString path = Path(QString::fromUtf16(row.path));
        EXPECT_TRUE(CreateDirectoryTree(path)) << qPrintable(path);
        EXPECT_TRUE(IsDir(PathBytes(QString::fromUtf16(row.deepest)))) << qPrintable(path);
    }
}

TEST_F(DirectoryCreation, ExistingDirectoryNeedsNoCreation)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"here"_qs)));
    ASSERT_TRUE(MakeLink("here", PathBytes(u"linked"_qs)));
    for (const QString &path : {Path(u"here"_qs), Path(u"here/"_qs), Path(u"linked"_qs), m_root, u"/"_qs, QString()}) {
        platform::fault::Arm(Operation::CreateDirectory, 1, EACCES);
        EXPECT_TRUE(CreateDirectoryTree(path)) << qPrintable(path);
    }
}

TEST_F(DirectoryCreation, LevelsAreCreatedTopDownAndAFailureStopsThere)
{
    const struct { int failingCall; const char16_t *lastCreated; const char16_t *firstMissing; } rows[] = {
        {1, nullptr, u"r1/a"},
        {2, u"r2/a", u"r2/a/b"},
        {3, u"r3/a/b", u"r3/a/b/c"},
    };
    for (const auto &row : rows) {
        const QString root = QString::fromUtf16(row.firstMissing).section(u'/', 0, 0);
        ASSERT_TRUE(MakeDir(PathBytes(root)));
        platform::fault::Arm(Operation::CreateDirectory, row.failingCall, EACCES);
        EXPECT_FALSE(CreateDirectoryTree(Path(root + u"/a/b/c"_qs))) << row.failingCall;
        EXPECT_EQ(platform::LastError(), EACCES) << row.failingCall;
        if (row.lastCreated) {
            EXPECT_TRUE(IsDir(PathBytes(QString::fromUtf16(row.lastCreated)))) << row.failingCall;
        }
        EXPECT_FALSE(Exists(PathBytes(QString::fromUtf16(row.firstMissing)))) << row.failingCall;
        platform::fault::Disarm();
    }
}

TEST_F(DirectoryCreation, SomethingElseInTheWayFails)
{
    ASSERT_TRUE(MakeFile(PathBytes(u"file"_qs), "x"));
    ASSERT_TRUE(MakeLink("nowhere", PathBytes(u"dangling"_qs)));
    const struct { const char16_t *path; int error; } rows[] = {
        {u"file", ENOTDIR},
        {u"file/", ENOTDIR},
        {u"file/sub", ENOTDIR},
        {u"dangling", EEXIST},
    };
    for (const auto &row : rows) {
        const QString path = Path(QString::fromUtf16(row.path));
        EXPECT_FALSE(CreateDirectoryTree(path)) << qPrintable(path);
        EXPECT_EQ(platform::LastError(), row.error) << qPrintable(path);
    }
    EXPECT_FALSE(Exists(PathBytes(u"nowhere"_qs)));
}

TEST_F(DirectoryCreation, WithSecurityRefusesBlanksBesideSlashes)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"src"_qs)));
    for (const char16_t *target : {u"dir /sub", u"dir/ sub", u"dir/sub ", u"dir /"}) {
        int code = 99;
        EXPECT_FALSE(CreateDirectoryTreeWithSecurity(Path(QString::fromUtf16(target)), Path(u"src"_qs), &code))
            << qPrintable(QString::fromUtf16(target));
        EXPECT_EQ(code, 0);
    }
    EXPECT_FALSE(Exists(PathBytes(u"dir"_qs)));
    EXPECT_FALSE(Exists(PathBytes(u"dir "_qs)));
}

TEST_F(DirectoryCreation, WithSecurityPairsLevelsFromTheBottom)
{
    const struct { const char16_t *dir; mode_t mode; } sourceLevels[] = {
        {u"s", 0750}, {u"s/a", 0751}, {u"s/a/b", 0705},
    };
    for (const auto &level : sourceLevels) {
        ASSERT_TRUE(MakeDir(PathBytes(QString::fromUtf16(level.dir))));
        ASSERT_EQ(chmod(PathBytes(QString::fromUtf16(level.dir)).constData(), level.mode), 0);
    }
    ASSERT_TRUE(MakeDir(PathBytes(u"t"_qs), 0700));
    ASSERT_EQ(chmod(PathBytes(u"t"_qs).constData(), 0700), 0);

    int code = 99;
    EXPECT_TRUE(CreateDirectoryTreeWithSecurity(Path(u"t/x/a/b/"_qs), Path(u"s/a/b/"_qs), &code));
    EXPECT_EQ(code, 0);

    const struct { const char16_t *dir; mode_t mode; } expected[] = {
        {u"t", 0700}, {u"t/x", 0750}, {u"t/x/a", 0751}, {u"t/x/a/b", 0705},
    };
    for (const auto &row : expected)
        EXPECT_EQ(ModeOf(PathBytes(QString::fromUtf16(row.dir))), row.mode) << qPrintable(QString::fromUtf16(row.dir));
}

TEST_F(DirectoryCreation, WithSecurityLeavesAnExistingTargetAlone)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"src"_qs), 0755));
    ASSERT_TRUE(MakeDir(PathBytes(u"dst"_qs), 0700));
    ASSERT_EQ(chmod(PathBytes(u"dst"_qs).constData(), 0700), 0);
    platform::fault::Arm(Operation::CreateDirectory, 1, EACCES);
    int code = 99;
    EXPECT_TRUE(CreateDirectoryTreeWithSecurity(Path(u"dst"_qs), Path(u"src"_qs), &code));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ModeOf(PathBytes(u"dst"_qs)), mode_t(0700));
}

TEST_F(DirectoryCreation, WithSecurityTellsCreationFailureFromTransferFailure)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"src"_qs)));
    const struct {
        Operation operation;
        int error;
        const char16_t *source;
        int expectedCode;
        bool created;
    } rows[] = {
        {Operation::CreateDirectory, EACCES, u"src", 0, false},
        {Operation::GetSecurity, EIO, u"src", EIO, true},
        {Operation::SetSecurity, EPERM, u"src", EPERM, true},
        {Operation::Stat, 0, u"missing", ENOENT, true}, // error 0: nothing armed, the source is missing
    };
    int index = 0;
    for (const auto &row : rows) {
        const QString target = u"out%1"_qs.arg(index++);
        if (row.error != 0)
            platform::fault::Arm(row.operation, 1, row.error);
        int code = 99;
        EXPECT_FALSE(CreateDirectoryTreeWithSecurity(Path(target), Path(QString::fromUtf16(row.source)), &code))
            << qPrintable(target);
        EXPECT_EQ(code, row.expectedCode) << qPrintable(target);
        if (row.expectedCode == 0) {
            EXPECT_EQ(platform::LastError(), row.error) << qPrintable(target);
        }
        EXPECT_EQ(IsDir(PathBytes(target)), row.created) << qPrintable(target);
        platform::fault::Disarm();
    }
}

TEST_F(DirectoryCreation, WithSecurityCopiesGroupAndAcl)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"src"_qs), 0770));
    const QByteArray source = PathBytes(u"src"_qs);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(source.constData(), uid_t(-1), gid_t(4321)), 0);
    }
    const bool withAcl = SetAclText(source, "u::rwx,u:12345:r-x,g::r-x,m::r-x,o::---", ACL_TYPE_ACCESS)
                         && SetAclText(source, "u::rwx,g::r-x,g:2345:rwx,m::rwx,o::---", ACL_TYPE_DEFAULT);

    int code = 99;
    EXPECT_TRUE(CreateDirectoryTreeWithSecurity(Path(u"dst"_qs), Path(u"src"_qs), &code));
    EXPECT_EQ(code, 0);

    platform::SecurityDescriptor from;
    platform::SecurityDescriptor to;
    ASSERT_TRUE(platform::GetSecurity(Path(u"src"_qs), &from));
    ASSERT_TRUE(platform::GetSecurity(Path(u"dst"_qs), &to));
    EXPECT_EQ(to, from);
    if (geteuid() == 0) {
        EXPECT_EQ(to.group, 4321u);
    }
    if (withAcl) {
        EXPECT_FALSE(to.accessAcl.isEmpty());
        EXPECT_FALSE(to.defaultAcl.isEmpty());
    }
}
