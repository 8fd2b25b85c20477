#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

struct stat;

// What lstat or stat tells about one path, with the DOS attribute word derived from it.

namespace platform {

enum class FileType {
    Regular,
    Directory,
    Symlink,
    Fifo,
    Socket,
    CharacterDevice,
    BlockDevice,
    Other,
};

// Whether a query about a symbolic link describes the link itself or its target.
enum class LinkMode {
    DoNotFollow,
    Follow,
};

// Whether the archive attribute is derived from the file's marker, which costs one more
// look-up per file, or not examined and shown as set (as for a file without a marker).
enum class ArchiveMarker {
    Read,
    Ignore,
};

struct FileInfo {
    FileType type = FileType::Other;
    qint64 size = 0;
    qint64 lastWriteTime = 0; // FILETIME
    quint32 mode = 0;         // st_mode: type and permission bits
    quint32 attributes = 0;   // DOS attribute word, see Attributes.h
    quint64 device = 0;
    quint64 inode = 0;
};

FileType FileTypeFromMode(quint32 mode);

// Builds the information from a stat result for `encodedPath`; used where the stat result is
// at hand already, as in a directory listing.
FileInfo FileInfoFromStat(const QByteArray &encodedPath, const struct stat &st, LinkMode linkMode,
                          ArchiveMarker marker = ArchiveMarker::Read);

bool GetFileInfo(const QString &path, LinkMode linkMode, FileInfo *info);

// True when the path names something; false when it does not or cannot be examined
// (the last error tells which). With LinkMode::DoNotFollow a dangling symbolic link exists.
bool Exists(const QString &path, LinkMode linkMode);

} // namespace platform
