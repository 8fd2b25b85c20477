#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// Removing the empty subdirectories below a root.

struct EmptyDirCleanup;

// Receives the path of every removed directory, or an empty text as a heartbeat at most every
// 3000 ms while the walk goes on.
using EmptyDirCallback = std::function<void(const QString &text, EmptyDirCleanup &cleanup)>;

// Parameters and running state of DeleteEmptyDirectories.
struct EmptyDirCleanup {
    EmptyDirCallback Callback;         // may be empty
    void *Owner = nullptr;             // opaque, for the callback
    void *ProgressRecord = nullptr;    // opaque, for the callback
    QString CurrentPath;               // in: the root; during the walk the directory entered last
    std::function<bool()> Cancelled;   // may be empty; true ends the walk between two entries
    // Front-end sinks, may be empty: every removed directory (the list of removed directories)
    // and every subdirectory entered (the status line).
    std::function<void(const QString &removed)> RemovedList;
    std::function<void(const QString &entered)> StatusText;
    int DeletedCount = 0;              // incremented per removed directory
    int SearchedCount = 0;             // incremented per directory entered, the root included
    quint32 LastCallbackTime = 0;      // tick of the last callback
    std::function<quint32()> Clock;    // the tick source; CurrentTick() when empty
};

// Walks CurrentPath depth-first and removes every subdirectory that holds nothing but empty
// directories. True when the root holds no files afterwards; the root itself is never removed.
//
// Anything that is not a directory counts as a file and is left alone: symbolic links (also
// links to directories, which are never followed), FIFOs, sockets and devices. A directory
// whose path with a '/' is so long that 10 more bytes would exceed PATH_MAX is kept, and so
// are its ancestors. A directory that cannot be listed counts as empty (its removal then
// fails); a failed removal changes neither the counts nor the result. Errors are never
// reported: they only show in the counts.
bool DeleteEmptyDirectories(EmptyDirCleanup &cleanup);
