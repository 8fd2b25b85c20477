#pragma once

#include "engine/CDirStruct.h"
#include "platform/FileInfo.h"

#include <QList>
#include <QString>

#include <functional>

// Listing a directory tree into CDirStruct records, depth-first in pre-order.
//
// Symbolic links and special files are classified, not followed blindly:
// - A symbolic link to a regular file counts as that file: its size and time are the
//   target's, and a copy reads the target's content, as the copy operation follows links.
// - A symbolic link to a directory is never entered, so a link that leads back into the tree
//   cannot make the walk loop, and nothing outside the tree is copied or cleaned through it.
// - A link whose target is missing or cannot be reached (a loop of links among them), and
//   FIFOs, sockets and devices, directly or behind a link, are reported but never opened.
// The callback receives every kind, so the selection can write a skipped-list line for
// each entry that is not copied (SkipReasonId).
//
// Names are decoded losslessly (platform/FileName.h): a name that is not valid UTF-8 is listed
// and its path encodes back to the same bytes.

enum class EntryKind {
    File,            // a regular file, or a symbolic link to one
    Directory,       // a subdirectory (never a symbolic link)
    LinkedDirectory, // a symbolic link to a directory: never entered
    BrokenLink,      // a symbolic link whose target is missing or unreachable
    Special,         // a FIFO, socket or device, or a link to one: never opened
};

enum class LinkState {
    Direct,      // the entry itself
    ThroughLink, // the entry is a symbolic link; Info describes its target when it was reached
};

struct DirEntry {
    QString Name;
    EntryKind Kind = EntryKind::File;
    LinkState Link = LinkState::Direct;
    // What lstat tells about the entry; for a link whose target was reached, what stat tells
    // about the target. Size and LastWriteTime of a File are the bytes a copy reads.
    platform::FileInfo Info;
};

enum class Recursion {
    TopLevelOnly,
    WithSubdirectories,
};

// Called for every entry of a listed directory except "." and ".."; subdirectories (and links
// to directories) only when the request recurses. `directory` is the directory being listed,
// `current` its record (null when the request collects no records).
//
// The result:
// - for a Directory: nonzero skips it (it is not entered and gets no record); zero enters it
//   before the next entry of `directory` is taken;
// - for every other kind: nonzero ends the listing of `directory` at once; the walk goes on
//   in its parent.
// A callback that wants the entry collects it itself (CDirStruct::AddFile). Returning nonzero
// for everything once the user cancels empties the rest of the walk quickly.
using EnumerationCallback =
    std::function<int(const QString &directory, const DirEntry &entry, void *userData, CDirStruct *current)>;

// Called with every listed directory's classified entries before the first of them is
// visited, so that work for them can start ahead.
using ListedCallback = std::function<void(const QString &directory, const QList<DirEntry> &entries)>;

// Tells, without side effects, whether the callback will let the walk enter the subdirectory
// `entry` of `directory`. Only those are listed ahead of the walk, so a directory the user
// excluded (a slow or hanging mount, say) is never touched.
using EnterPredicate = std::function<bool(const QString &directory, const DirEntry &entry)>;

struct EnumerationRequest {
    EnumerationCallback Callback; // may be empty
    ListedCallback Listed;        // may be empty
    EnterPredicate MayEnter;      // empty: every subdirectory is listed ahead
    void *UserData = nullptr;     // handed to the callback unchanged
    CDirStructArray *Records = nullptr; // may be null: nothing is collected
    Recursion Recurse = Recursion::WithSubdirectories;
    // Ignore when no one asks for the archive attribute of the entries.
    platform::ArchiveMarker Archive = platform::ArchiveMarker::Read;
};

// Lists `directory` (trailing '/' removed; the root itself may be a symbolic link) and, when
// the request recurses, its subdirectories. Every directory gets its record before anything
// in it is listed, so the records come in pre-order: a directory before its subdirectories,
// each subtree complete before the next sibling. Entries come in the order the file system
// returns them. A directory that cannot be listed keeps an empty record whose ListError tells
// why; the walk goes on.
//
// Without a callback every File entry is collected with its size, its last-write time, a zero
// flag word and an empty checksum; other kinds are left out.
void EnumerateDirectory(const QString &directory, const EnumerationRequest &request);

// String-table numbers of the skipped-list lines "[reason] - %s" for the kinds that are never
// copied; 0 for File and Directory.
int SkipReasonId(EntryKind kind);
