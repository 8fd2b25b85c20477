#pragma once

#include "platform/FileInfo.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

struct stat;

// The DOS attribute word on Linux.
//
// Read-only is the owner's write permission bit being clear. Directory is the file type.
// Archive is emulated: it is set unless the extended attribute `user.zelvaron.archived`
// holds the file's current modification time and size, so any change of content or time
// sets it again. The marker's value is ASCII text: the modification time in nanoseconds since
// the Unix epoch and the size in bytes, both decimal, separated by one blank, without a
// terminating NUL (for example "1712345678123456789 4096").
// On a file system without user extended attributes the archive attribute is always set and
// cannot be cleared. Symbolic links themselves, FIFOs, sockets and devices cannot carry the
// marker either.

namespace platform {

inline constexpr quint32 kAttributeReadOnly = 0x01;
inline constexpr quint32 kAttributeDirectory = 0x10;
inline constexpr quint32 kAttributeArchive = 0x20;

inline constexpr char kArchivedMarkerName[] = "user.zelvaron.archived";

// The marker value that describes the state in `st`.
QByteArray ArchivedMarkerValue(const struct stat &st);

// The attribute word of the file `encodedPath` whose stat result is `st`.
quint32 AttributesFromStat(const QByteArray &encodedPath, const struct stat &st, LinkMode linkMode,
                           ArchiveMarker marker = ArchiveMarker::Read);

// Both follow symbolic links.
bool GetAttributes(const QString &path, quint32 *attributes);

// Applies the read-only and archive bits of `attributes`; the directory bit is ignored.
// Clearing read-only sets the owner's write bit, setting it clears that bit; clearing
// archive writes the marker, setting it removes the marker. A read-only file's marker is
// written by lending the owner the write bit for that moment.
bool SetAttributes(const QString &path, quint32 attributes);

} // namespace platform
