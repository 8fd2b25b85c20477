#include "platform/Security.h"

#include "platform/FaultInjection.h"
#include "platform/FileName.h"
#include "platform/LastError.h"

#include <acl/libacl.h>
#include <cerrno>
#include <sys/acl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool NoAclSupport(int err)
{
    return err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS;
}

struct AclHandle {
    acl_t acl = nullptr;
    explicit AclHandle(acl_t value) : acl(value) {}
    AclHandle(const AclHandle &) = delete;
    AclHandle &operator=(const AclHandle &) = delete;
    ~AclHandle()
    {
        if (acl)
            acl_free(acl);
    }
};

QByteArray ExternalForm(acl_t acl)
{
    const ssize_t size = acl_size(acl);
    if (size <= 0)
        return {};
    QByteArray external(size, Qt::Uninitialized);
    if (acl_copy_ext(external.data(), acl, size) < 0)
        return {};
    return external;
}

int EntryCount(acl_t acl)
{
    int count = 0;
    acl_entry_t entry;
    for (int rc = acl_get_entry(acl, ACL_FIRST_ENTRY, &entry); rc == 1; rc = acl_get_entry(acl, ACL_NEXT_ENTRY, &entry))
        ++count;
    return count;
}

// Reads one ACL; `keep` decides whether it says more than nothing (or than the mode bits).
template<typename Keep>
bool ReadAcl(const QByteArray &path, acl_type_t type, QByteArray *out, Keep keep)
{
    out->clear();
    AclHandle handle(acl_get_file(path.constData(), type));
    if (!handle.acl)
        return NoAclSupport(errno) || FailFromErrno();
    if (keep(handle.acl)) {
        *out = ExternalForm(handle.acl);
        if (out->isEmpty())
            return FailFromErrno();
    }
    return true;
}

mode_t ApplicableMode(const SecurityDescriptor &descriptor, bool targetIsDirectory)
{
    mode_t mode = descriptor.mode & 07777 & ~S_ISUID;
    if (!targetIsDirectory)
        mode &= ~S_ISGID;
    return mode;
}

// Returns 0 on success, else the errno to report. Without ACL support a descriptor
// without ACL entries loses nothing.
int WriteAccessAcl(const QByteArray &path, const SecurityDescriptor &descriptor, mode_t mode)
{
    AclHandle handle(descriptor.accessAcl.isEmpty() ? acl_from_mode(mode)
                                                    : acl_copy_int(descriptor.accessAcl.constData()));
    if (!handle.acl)
        return errno;
    if (acl_set_file(path.constData(), ACL_TYPE_ACCESS, handle.acl) == 0)
        return 0;
    if (NoAclSupport(errno))
        return descriptor.accessAcl.isEmpty() ? 0 : ENOTSUP;
    return errno;
}

int WriteDefaultAcl(const QByteArray &path, const SecurityDescriptor &descriptor)
{
    if (descriptor.defaultAcl.isEmpty()) {
        if (acl_delete_def_file(path.constData()) == 0 || NoAclSupport(errno))
            return 0;
        return errno;
    }
    AclHandle handle(acl_copy_int(descriptor.defaultAcl.constData()));
    if (!handle.acl)
        return errno;
    if (acl_set_file(path.constData(), ACL_TYPE_DEFAULT, handle.acl) == 0)
        return 0;
    return NoAclSupport(errno) ? ENOTSUP : errno;
}

} // namespace

bool GetSecurity(const QString &path, SecurityDescriptor *descriptor)
{
    if (fault::Fails(fault::Operation::GetSecurity))
        return false;
    const QByteArray encoded = EncodeFileName(path);
    struct stat st{};
    if (stat(encoded.constData(), &st) != 0)
        return FailFromErrno();
    SecurityDescriptor result;
    result.isDirectory = S_ISDIR(st.st_mode);
    result.group = st.st_gid;
    result.mode = st.st_mode & 07777;
    if (!ReadAcl(encoded, ACL_TYPE_ACCESS, &result.accessAcl, [](acl_t acl) { return acl_equiv_mode(acl, nullptr) != 0; }))
        return false;
    if (result.isDirectory
        && !ReadAcl(encoded, ACL_TYPE_DEFAULT, &result.defaultAcl, [](acl_t acl) { return EntryCount(acl) > 0; }))
        return false;
    result.valid = true;
    *descriptor = result;
    return true;
}

bool SetSecurity(const QString &path, const SecurityDescriptor &descriptor)
{
    if (fault::Fails(fault::Operation::SetSecurity))
        return false;
    if (!descriptor.valid)
        return FailWith(EINVAL);
    const QByteArray encoded = EncodeFileName(path);
    struct stat st{};
    if (stat(encoded.constData(), &st) != 0)
        return FailFromErrno();
    if (st.st_gid != descriptor.group && chown(encoded.constData(), uid_t(-1), gid_t(descriptor.group)) != 0)
        return FailFromErrno();
    const bool isDirectory = S_ISDIR(st.st_mode);
    const mode_t mode = ApplicableMode(descriptor, isDirectory);
    int err = WriteAccessAcl(encoded, descriptor, mode);
    if (err != 0 && err != ENOTSUP)
        return FailWith(err);
    if (chmod(encoded.constData(), mode) != 0)
        return FailFromErrno();
    const int defaultErr = isDirectory ? WriteDefaultAcl(encoded, descriptor) : 0;
    if (defaultErr != 0)
        err = defaultErr;
    return err == 0 || FailWith(err);
}

} // namespace platform
