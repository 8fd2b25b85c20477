#include "platform/UserXattrs.h"

#include "platform/LastError.h"

#include <cerrno>
#include <sys/xattr.h>

namespace platform {

namespace {

bool NotSupported(int err)
{
    return err == ENOTSUP || err == EOPNOTSUPP;
}

// Calls `query(buffer, size)` with a growing buffer until the whole value fits.
template<typename Query>
bool ReadGrowing(QByteArray *out, Query query)
{
    out->resize(1024);
    for (;;) {
        const ssize_t length = query(out->data(), size_t(out->size()));
        if (length >= 0) {
            out->resize(length);
            return true;
        }
        if (errno != ERANGE)
            return false;
        const ssize_t needed = query(nullptr, 0);
        if (needed < 0)
            return false;
        out->resize(qMax<qsizetype>(needed, out->size() * 2));
    }
}

bool ReadValue(int fd, const QByteArray &name, QByteArray *value)
{
    const bool ok = ReadGrowing(value, [&](char *buffer, size_t size) {
        return fgetxattr(fd, name.constData(), buffer, size);
    });
    return ok || FailFromErrno();
}

bool RemoveStale(int target, const QList<QByteArray> &keep)
{
    QList<QByteArray> present;
    if (!ListUserXattrs(target, &present))
        return false;
    for (const QByteArray &name : present) {
        if (keep.contains(name))
            continue;
        if (fremovexattr(target, name.constData()) != 0 && errno != ENODATA)
            return FailFromErrno();
    }
    return true;
}

} // namespace

bool ListUserXattrs(int fd, QList<QByteArray> *names)
{
    names->clear();
    // Most files have no attributes or a few short ones: a buffer on the stack takes them
    // without an allocation.
    char small[1024];
    QByteArray large;
    QByteArrayView list;
    const ssize_t length = flistxattr(fd, small, sizeof small);
    if (length >= 0) {
        list = QByteArrayView(small, length);
    } else {
        const bool ok = errno == ERANGE
            && ReadGrowing(&large, [&](char *buffer, size_t size) { return flistxattr(fd, buffer, size); });
        if (!ok)
            return NotSupported(errno) || FailFromErrno();
        list = large;
    }
    for (qsizetype start = 0; start < list.size();) {
        qsizetype end = list.indexOf('\0', start);
        if (end < 0)
            end = list.size();
        const QByteArrayView name = list.sliced(start, end - start);
        if (name.startsWith("user."))
            names->append(name.toByteArray());
        start = end + 1;
    }
    return true;
}

bool CopyUserXattrs(int source, int target, const char *excludedName, TargetXattrs targetXattrs)
{
    QList<QByteArray> names;
    if (!ListUserXattrs(source, &names))
        return false;
    names.removeAll(QByteArray(excludedName));
    QByteArray value;
    for (const QByteArray &name : names) {
        if (!ReadValue(source, name, &value))
            return false;
        if (fsetxattr(target, name.constData(), value.constData(), size_t(value.size()), 0) != 0)
            return NotSupported(errno) || FailFromErrno();
    }
    return targetXattrs == TargetXattrs::None || RemoveStale(target, names);
}

} // namespace platform
