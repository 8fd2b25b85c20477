#include "platform/FileInfo.h"

#include "platform/Attributes.h"
#include "platform/FaultInjection.h"
#include "platform/FileName.h"
#include "platform/FileTime.h"
#include "platform/LastError.h"

#include <sys/stat.h>

namespace platform {

namespace {

bool StatPath(const QByteArray &encoded, LinkMode linkMode, struct stat *st)
{
    const int rc = linkMode == LinkMode::Follow ? stat(encoded.constData(), st) : lstat(encoded.constData(), st);
    return rc == 0;
}

} // namespace

FileType FileTypeFromMode(quint32 mode)
{
    switch (mode & S_IFMT) {
    case S_IFREG:
        return FileType::Regular;
    case S_IFDIR:
        return FileType::Directory;
    case S_IFLNK:
        return FileType::Symlink;
    case S_IFIFO:
        return FileType::Fifo;
    case S_IFSOCK:
        return FileType::Socket;
    case S_IFCHR:
        return FileType::CharacterDevice;
    case S_IFBLK:
        return FileType::BlockDevice;
    default:
        return FileType::Other;
    }
}

FileInfo FileInfoFromStat(const QByteArray &encodedPath, const struct stat &st, LinkMode linkMode,
                          ArchiveMarker marker)
{
    FileInfo info;
    info.type = FileTypeFromMode(st.st_mode);
    info.size = st.st_size;
    info.lastWriteTime = FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    info.mode = st.st_mode;
    info.attributes = AttributesFromStat(encodedPath, st, linkMode, marker);
    info.device = st.st_dev;
    info.inode = st.st_ino;
    return info;
}

bool GetFileInfo(const QString &path, LinkMode linkMode, FileInfo *info)
{
    if (fault::Fails(fault::Operation::Stat))
        return false;
    const QByteArray encoded = EncodeFileName(path);
    struct stat st{};
    if (!StatPath(encoded, linkMode, &st))
        return FailFromErrno();
    *info = FileInfoFromStat(encoded, st, linkMode);
    return true;
}

bool Exists(const QString &path, LinkMode linkMode)
{
    if (fault::Fails(fault::Operation::Stat))
        return false;
    struct stat st{};
    if (!StatPath(EncodeFileName(path), linkMode, &st))
        return FailFromErrno();
    return true;
}

} // namespace platform
