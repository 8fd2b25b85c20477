#include "platform/DirectoryListing.h"

#include "platform/FaultInjection.h"
#include "platform/FileName.h"
#include "platform/LastError.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

namespace {

struct DirHandle {
    DIR *dir = nullptr;
    explicit DirHandle(DIR *value) : dir(value) {}
    DirHandle(const DirHandle &) = delete;
    DirHandle &operator=(const DirHandle &) = delete;
    ~DirHandle()
    {
        if (dir)
            closedir(dir);
    }
};

bool IsDotOrDotDot(const char *name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

quint32 ModeFromDirentType(unsigned char type)
{
    switch (type) {
    case DT_REG:
        return S_IFREG;
    case DT_DIR:
        return S_IFDIR;
    case DT_LNK:
        return S_IFLNK;
    case DT_FIFO:
        return S_IFIFO;
    case DT_SOCK:
        return S_IFSOCK;
    case DT_CHR:
        return S_IFCHR;
    case DT_BLK:
        return S_IFBLK;
    default:
        return 0;
    }
}

// Returns false when the entry has vanished. An entry that cannot be examined for another
// reason keeps the type the directory reported and zero for the rest.
bool DescribeEntry(int dirFd, const QByteArray &prefix, const dirent &entry, ArchiveMarker marker,
                   DirectoryEntry *out)
{
    out->name = DecodeFileName(entry.d_name);
    struct stat st{};
    if (fstatat(dirFd, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return false;
        out->info = FileInfo();
        out->info.mode = ModeFromDirentType(entry.d_type);
        out->info.type = FileTypeFromMode(out->info.mode);
        out->info.inode = entry.d_ino;
        return true;
    }
    const QByteArray path = marker == ArchiveMarker::Read ? prefix + entry.d_name : QByteArray();
    out->info = FileInfoFromStat(path, st, LinkMode::DoNotFollow, marker);
    return true;
}

QByteArray EntryPrefix(const QByteArray &directory)
{
    return directory.endsWith('/') ? directory : directory + '/';
}

} // namespace

bool ListDirectory(const QString &directory, QList<DirectoryEntry> *entries, ArchiveMarker marker)
{
    if (fault::Fails(fault::Operation::ListDirectory)) {
        entries->clear();
        return false;
    }
    return ListDirectoryUncounted(directory, entries, marker);
}

bool ListDirectoryUncounted(const QString &directory, QList<DirectoryEntry> *entries, ArchiveMarker marker)
{
    entries->clear();
    const QByteArray encoded = EncodeFileName(directory);
    DirHandle handle(opendir(encoded.constData()));
    if (!handle.dir)
        return FailFromErrno();
    const int dirFd = dirfd(handle.dir);
    const QByteArray prefix = EntryPrefix(encoded);
    DirectoryEntry item;
    for (;;) {
        errno = 0;
        const dirent *entry = readdir(handle.dir);
        if (!entry)
            return errno == 0 || FailFromErrno();
        if (IsDotOrDotDot(entry->d_name))
            continue;
        if (DescribeEntry(dirFd, prefix, *entry, marker, &item))
            entries->append(item);
    }
}

} // namespace platform
