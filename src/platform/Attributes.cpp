#include "platform/Attributes.h"

#include "platform/FaultInjection.h"
#include "platform/FileName.h"
#include "platform/LastError.h"

#include <cerrno>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace platform {

namespace {

bool IsReadOnly(const struct stat &st)
{
    return (st.st_mode & S_IWUSR) == 0;
}

bool CanCarryMarker(const struct stat &st)
{
    return S_ISREG(st.st_mode) || S_ISDIR(st.st_mode);
}

bool MarkerMatches(const QByteArray &encodedPath, const struct stat &st, LinkMode linkMode)
{
    char value[64];
    const ssize_t length = linkMode == LinkMode::Follow
        ? getxattr(encodedPath.constData(), kArchivedMarkerName, value, sizeof value)
        : lgetxattr(encodedPath.constData(), kArchivedMarkerName, value, sizeof value);
    if (length < 0)
        return false;
    return QByteArrayView(value, length) == ArchivedMarkerValue(st);
}

// Runs an extended-attribute change; when the owner is refused because the file is
// read-only, lends the owner the write bit for the change and takes it back afterwards.
template<typename Change>
bool ChangeMarker(const QByteArray &encodedPath, const struct stat &st, Change change)
{
    if (change() == 0)
        return true;
    if (errno != EACCES || !IsReadOnly(st))
        return FailFromErrno();
    const mode_t permissions = st.st_mode & 07777;
    if (chmod(encodedPath.constData(), permissions | S_IWUSR) != 0)
        return FailFromErrno();
    const int rc = change();
    const int changeError = errno;
    if (chmod(encodedPath.constData(), permissions) != 0)
        return FailFromErrno();
    return rc == 0 || FailWith(changeError);
}

bool WriteMarker(const QByteArray &encodedPath, const struct stat &st)
{
    const QByteArray value = ArchivedMarkerValue(st);
    return ChangeMarker(encodedPath, st, [&] {
        return setxattr(encodedPath.constData(), kArchivedMarkerName, value.constData(), value.size(), 0);
    });
}

bool RemoveMarker(const QByteArray &encodedPath, const struct stat &st)
{
    return ChangeMarker(encodedPath, st, [&] {
        const int rc = removexattr(encodedPath.constData(), kArchivedMarkerName);
        return rc != 0 && errno == ENODATA ? 0 : rc;
    });
}

bool ApplyArchive(const QByteArray &encodedPath, const struct stat &st, bool archive)
{
    const bool isSet = !CanCarryMarker(st) || !MarkerMatches(encodedPath, st, LinkMode::Follow);
    if (archive == isSet)
        return true;
    return archive ? RemoveMarker(encodedPath, st) : WriteMarker(encodedPath, st);
}

bool ChangeMode(const QByteArray &encodedPath, mode_t mode)
{
    return chmod(encodedPath.constData(), mode & 07777) == 0 || FailFromErrno();
}

} // namespace

QByteArray ArchivedMarkerValue(const struct stat &st)
{
    const qint64 nanoseconds = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return QByteArray::number(nanoseconds) + ' ' + QByteArray::number(qint64(st.st_size));
}

quint32 AttributesFromStat(const QByteArray &encodedPath, const struct stat &st, LinkMode linkMode,
                           ArchiveMarker marker)
{
    quint32 attributes = 0;
    if (IsReadOnly(st) && !S_ISLNK(st.st_mode))
        attributes |= kAttributeReadOnly;
    if (S_ISDIR(st.st_mode))
        attributes |= kAttributeDirectory;
    if (marker == ArchiveMarker::Ignore || !CanCarryMarker(st) || !MarkerMatches(encodedPath, st, linkMode))
        attributes |= kAttributeArchive;
    return attributes;
}

bool GetAttributes(const QString &path, quint32 *attributes)
{
    if (fault::Fails(fault::Operation::Stat))
        return false;
    const QByteArray encoded = EncodeFileName(path);
    struct stat st{};
    if (stat(encoded.constData(), &st) != 0)
        return FailFromErrno();
    *attributes = AttributesFromStat(encoded, st, LinkMode::Follow);
    return true;
}

bool SetAttributes(const QString &path, quint32 attributes)
{
    if (fault::Fails(fault::Operation::SetAttributes))
        return false;
    const QByteArray encoded = EncodeFileName(path);
    struct stat st{};
    if (stat(encoded.constData(), &st) != 0)
        return FailFromErrno();
    const bool readOnly = attributes & kAttributeReadOnly;
    if (!readOnly && IsReadOnly(st)) {
        if (!ChangeMode(encoded, st.st_mode | S_IWUSR))
            return false;
        st.st_mode |= S_IWUSR;
    }
    if (!ApplyArchive(encoded, st, attributes & kAttributeArchive))
        return false;
    if (readOnly && !IsReadOnly(st))
        return ChangeMode(encoded, st.st_mode & ~S_IWUSR);
    return true;
}

} // namespace platform
