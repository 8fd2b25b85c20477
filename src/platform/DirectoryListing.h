#pragma once

#include "platform/FileInfo.h"

#include <QList>
#include <QString>

// One directory's entries, for walking a tree. Symbolic links are listed as links and never
// followed.

namespace platform {

struct DirectoryEntry {
    QString name; // decoded with DecodeFileName, so every name round-trips
    FileInfo info;
};

// Lists the entries of `directory` except "." and "..", in the order the file system
// returns them. An entry that vanishes while it is listed is left out.
bool ListDirectory(const QString &directory, QList<DirectoryEntry> *entries,
                   ArchiveMarker marker = ArchiveMarker::Read);

// The same listing without asking the fault seam: for a listing made ahead of time, whose
// hand-over is counted instead (DirectoryReadAhead).
bool ListDirectoryUncounted(const QString &directory, QList<DirectoryEntry> *entries, ArchiveMarker marker);

} // namespace platform
