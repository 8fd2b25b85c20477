#include "platform/Security.h"

#include "platform/LastError.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <acl/libacl.h>
#include <cerrno>
#include <sys/acl.h>

using namespace platform;

namespace {

class SecurityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        source = dir.path() + QStringLiteral("/source");
        target = dir.path() + QStringLiteral("/target");
        ASSERT_EQ(::mkdir(testfiles::Bytes(source).constData(), 0755), 0);
        ASSERT_EQ(::mkdir(testfiles::Bytes(target).constData(), 0700), 0);
    }

    // Sets an ACL given as text; false when the file system has no ACLs.
    static bool SetAcl(const QString &path, acl_type_t type, const char *text)
    {
        acl_t acl = acl_from_text(text);
        EXPECT_NE(acl, nullptr) << text;
        const int rc = acl_set_file(testfiles::Bytes(path).constData(), type, acl);
        const int err = errno;
        acl_free(acl);
        EXPECT_TRUE(rc == 0 || err == ENOTSUP) << text;
        return rc == 0;
    }

    static QByteArray AclText(const QString &path, acl_type_t type)
    {
        acl_t acl = acl_get_file(testfiles::Bytes(path).constData(), type);
        if (!acl)
            return {};
        char *text = acl_to_any_text(acl, nullptr, ',', TEXT_NUMERIC_IDS | TEXT_ABBREVIATE);
        const QByteArray result(text);
        acl_free(text);
        acl_free(acl);
        return result;
    }

    static gid_t Group(const QString &path)
    {
        struct stat st{};
        EXPECT_EQ(::stat(testfiles::Bytes(path).constData(), &st), 0);
        return st.st_gid;
    }

    QTemporaryDir dir;
    QString source;
    QString target;
};

TEST_F(SecurityTest, ModeAndGroupTravel)
{
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(testfiles::Bytes(source).constData(), uid_t(-1), 4321), 0);
    }
    ASSERT_EQ(::chmod(testfiles::Bytes(source).constData(), 02750), 0);

    SecurityDescriptor descriptor;
    ASSERT_TRUE(GetSecurity(source, &descriptor));
    EXPECT_TRUE(descriptor.valid);
    EXPECT_TRUE(descriptor.isDirectory);
    EXPECT_EQ(descriptor.mode, 02750u);
    EXPECT_TRUE(descriptor.accessAcl.isEmpty());
    EXPECT_TRUE(descriptor.defaultAcl.isEmpty());

    ASSERT_TRUE(SetSecurity(target, descriptor));
    EXPECT_EQ(testfiles::Mode(target), 02750u);
    EXPECT_EQ(Group(target), Group(source));
    if (root) {
        EXPECT_EQ(Group(target), gid_t(4321));
    }
}

TEST_F(SecurityTest, AccessAndDefaultAclsTravel)
{
    if (!SetAcl(source, ACL_TYPE_ACCESS, "u::rwx,u:1234:r-x,g::r-x,m::r-x,o::---"))
        GTEST_SKIP() << "no ACLs on this file system";
    ASSERT_TRUE(SetAcl(source, ACL_TYPE_DEFAULT, "u::rwx,u:1234:rwx,g::r-x,m::rwx,o::---"));

    SecurityDescriptor descriptor;
    ASSERT_TRUE(GetSecurity(source, &descriptor));
    EXPECT_FALSE(descriptor.accessAcl.isEmpty());
    EXPECT_FALSE(descriptor.defaultAcl.isEmpty());

    ASSERT_TRUE(SetSecurity(target, descriptor));
    EXPECT_EQ(AclText(target, ACL_TYPE_ACCESS), AclText(source, ACL_TYPE_ACCESS));
    EXPECT_EQ(AclText(target, ACL_TYPE_DEFAULT), AclText(source, ACL_TYPE_DEFAULT));
    EXPECT_TRUE(AclText(target, ACL_TYPE_ACCESS).contains("u:1234:r-x"));
    EXPECT_EQ(testfiles::Mode(target), testfiles::Mode(source));

    SecurityDescriptor copied;
    ASSERT_TRUE(GetSecurity(target, &copied));
    EXPECT_EQ(copied, descriptor);
}

TEST_F(SecurityTest, DescriptorWithoutAclsRemovesTheTargetsAcls)
{
    if (!SetAcl(target, ACL_TYPE_ACCESS, "u::rwx,u:1234:r-x,g::r-x,m::r-x,o::---"))
        GTEST_SKIP() << "no ACLs on this file system";
    ASSERT_TRUE(SetAcl(target, ACL_TYPE_DEFAULT, "u::rwx,u:1234:rwx,g::r-x,m::rwx,o::---"));

    SecurityDescriptor descriptor;
    ASSERT_TRUE(GetSecurity(source, &descriptor));
    ASSERT_TRUE(SetSecurity(target, descriptor));

    EXPECT_FALSE(AclText(target, ACL_TYPE_ACCESS).contains("1234"));
    EXPECT_TRUE(AclText(target, ACL_TYPE_DEFAULT).isEmpty());
    EXPECT_EQ(testfiles::Mode(target), 0755u);
}

TEST_F(SecurityTest, SetUserIdIsNeverAppliedAndSetGroupIdOnlyToDirectories)
{
    const QString sourceFile = dir.path() + QStringLiteral("/source-file");
    const QString targetFile = dir.path() + QStringLiteral("/target-file");
    ASSERT_TRUE(testfiles::WriteFile(sourceFile, "x", 06755));
    ASSERT_TRUE(testfiles::WriteFile(targetFile, "y", 0600));
    SecurityDescriptor descriptor;
    ASSERT_TRUE(GetSecurity(sourceFile, &descriptor));
    EXPECT_EQ(descriptor.mode, 06755u);

    ASSERT_TRUE(SetSecurity(targetFile, descriptor));
    EXPECT_EQ(testfiles::Mode(targetFile), 0755u);
    ASSERT_TRUE(SetSecurity(target, descriptor));
    EXPECT_EQ(testfiles::Mode(target), 02755u);
}

TEST_F(SecurityTest, InvalidDescriptorIsRefused)
{
    EXPECT_FALSE(SetSecurity(target, SecurityDescriptor()));
    EXPECT_EQ(LastError(), EINVAL);
    EXPECT_EQ(testfiles::Mode(target), 0700u);
}

TEST_F(SecurityTest, MissingPathsFail)
{
    SecurityDescriptor descriptor;
    EXPECT_FALSE(GetSecurity(dir.path() + QStringLiteral("/missing"), &descriptor));
    EXPECT_EQ(LastError(), ENOENT);
    EXPECT_FALSE(descriptor.valid);
    ASSERT_TRUE(GetSecurity(source, &descriptor));
    EXPECT_FALSE(SetSecurity(dir.path() + QStringLiteral("/missing"), descriptor));
    EXPECT_EQ(LastError(), ENOENT);
}

TEST_F(SecurityTest, InjectedFailures)
{
    testfiles::FaultGuard guard;
    SecurityDescriptor descriptor;
    fault::Arm(fault::Operation::GetSecurity, 1, EIO);
    EXPECT_FALSE(GetSecurity(source, &descriptor));
    EXPECT_EQ(LastError(), EIO);
    ASSERT_TRUE(GetSecurity(source, &descriptor));
    fault::Arm(fault::Operation::SetSecurity, 1, EPERM);
    EXPECT_FALSE(SetSecurity(target, descriptor));
    EXPECT_EQ(LastError(), EPERM);
    EXPECT_EQ(testfiles::Mode(target), 0700u);
}

} // namespace
