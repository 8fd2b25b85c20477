#include "engine/SecurityTransfer.h"

#include "DirectoryTreeFixture.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace treefixture;

namespace {

class SecurityTransfer : public TreeTest {};

} // namespace

TEST_F(SecurityTransfer, ReadingAMissingPathGivesNoneWithTheError)
{
    int code = 0;
    EXPECT_FALSE(GetFileSecurityDescriptor(Path(u"missing"_qs), &code).has_value());
    EXPECT_EQ(code, ENOENT);
    EXPECT_FALSE(GetFileSecurityDescriptor(Path(u"missing"_qs)).has_value());
}

TEST_F(SecurityTransfer, ReadingLeavesTheErrorCodeAloneOnSuccess)
{
    ASSERT_TRUE(MakeFile(PathBytes(u"f"_qs), "x"));
    ASSERT_EQ(chmod(PathBytes(u"f"_qs).constData(), 0640), 0);
    int code = 77;
    const std::optional<platform::SecurityDescriptor> descriptor = GetFileSecurityDescriptor(Path(u"f"_qs), &code);
    ASSERT_TRUE(descriptor.has_value());
    EXPECT_EQ(code, 77);
    EXPECT_TRUE(descriptor->valid);
    EXPECT_EQ(descriptor->mode, 0640u);
}

TEST_F(SecurityTransfer, WritingNothingSucceedsAndAnUnreadDescriptorFails)
{
    ASSERT_TRUE(MakeFile(PathBytes(u"f"_qs), "x"));
    ASSERT_EQ(chmod(PathBytes(u"f"_qs).constData(), 0600), 0);
    int code = 77;
    EXPECT_TRUE(SetFileSecurityDescriptor(Path(u"f"_qs), nullptr, &code));
    EXPECT_EQ(code, 0);

    platform::SecurityDescriptor unread;
    unread.mode = 0777;
    EXPECT_FALSE(SetFileSecurityDescriptor(Path(u"f"_qs), &unread, &code));
    EXPECT_EQ(code, EINVAL);
    EXPECT_EQ(ModeOf(PathBytes(u"f"_qs)), mode_t(0600));
}

TEST_F(SecurityTransfer, WritingToAMissingPathReportsTheError)
{
    ASSERT_TRUE(MakeFile(PathBytes(u"f"_qs), "x"));
    const std::optional<platform::SecurityDescriptor> descriptor = GetFileSecurityDescriptor(Path(u"f"_qs));
    ASSERT_TRUE(descriptor.has_value());
    int code = 0;
    EXPECT_FALSE(SetFileSecurityDescriptor(Path(u"missing"_qs), &*descriptor, &code));
    EXPECT_EQ(code, ENOENT);
}

TEST_F(SecurityTransfer, ModeGroupAndAclsTravelBetweenDirectories)
{
    const QByteArray source = PathBytes(u"src"_qs);
    const QByteArray target = PathBytes(u"dst"_qs);
    ASSERT_TRUE(MakeDir(source));
    ASSERT_TRUE(MakeDir(target));
    ASSERT_EQ(chmod(source.constData(), 02750), 0);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(source.constData(), uid_t(-1), gid_t(4321)), 0);
    }
    const bool withAcl = SetAclText(source, "u::rwx,u:12345:r-x,g::r-x,m::r-x,o::---", ACL_TYPE_ACCESS)
                         && SetAclText(source, "u::rwx,g::r-x,g:2345:rwx,m::rwx,o::---", ACL_TYPE_DEFAULT);

    const std::optional<platform::SecurityDescriptor> descriptor = GetFileSecurityDescriptor(Path(u"src"_qs));
    ASSERT_TRUE(descriptor.has_value());
    int code = 99;
    EXPECT_TRUE(SetFileSecurityDescriptor(Path(u"dst"_qs), &*descriptor, &code));
    EXPECT_EQ(code, 0);

    const std::optional<platform::SecurityDescriptor> copied = GetFileSecurityDescriptor(Path(u"dst"_qs));
    ASSERT_TRUE(copied.has_value());
    EXPECT_EQ(*copied, *descriptor);
    EXPECT_EQ(copied->mode, 02750u);
    if (geteuid() == 0) {
        EXPECT_EQ(copied->group, 4321u);
    }
    if (!withAcl)
        GTEST_SKIP() << "the temporary file system keeps no ACLs";
    EXPECT_FALSE(copied->accessAcl.isEmpty());
    EXPECT_FALSE(copied->defaultAcl.isEmpty());
}

TEST_F(SecurityTransfer, ATargetLosesAclEntriesTheSourceDoesNotHave)
{
    const QByteArray source = PathBytes(u"src"_qs);
    const QByteArray target = PathBytes(u"dst"_qs);
    ASSERT_TRUE(MakeDir(source));
    ASSERT_TRUE(MakeDir(target));
    ASSERT_EQ(chmod(source.constData(), 0755), 0);
    if (!SetAclText(target, "u::rwx,u:12345:rwx,g::r-x,m::rwx,o::---", ACL_TYPE_ACCESS)
        || !SetAclText(target, "u::rwx,g::r-x,o::---", ACL_TYPE_DEFAULT))
        GTEST_SKIP() << "the temporary file system keeps no ACLs";

    const std::optional<platform::SecurityDescriptor> descriptor = GetFileSecurityDescriptor(Path(u"src"_qs));
    ASSERT_TRUE(descriptor.has_value());
    ASSERT_TRUE(descriptor->accessAcl.isEmpty());
    EXPECT_TRUE(SetFileSecurityDescriptor(Path(u"dst"_qs), &*descriptor));

    const std::optional<platform::SecurityDescriptor> copied = GetFileSecurityDescriptor(Path(u"dst"_qs));
    ASSERT_TRUE(copied.has_value());
    EXPECT_TRUE(copied->accessAcl.isEmpty());
    EXPECT_TRUE(copied->defaultAcl.isEmpty());
    EXPECT_EQ(copied->mode, 0755u);
}
