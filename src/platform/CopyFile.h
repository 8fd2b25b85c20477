#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <functional>

// Copying one regular file with progress and cancel.

namespace platform {

enum class CopyProgressAction {
    Continue,
    Cancel,
};

// Called after every chunk with the source's size at the start of the copy (or the bytes
// done, when the file has grown since) and the bytes written so far.
using CopyProgressCallback = std::function<CopyProgressAction(qint64 totalBytes, qint64 bytesDone)>;

inline constexpr qint64 kDefaultCopyChunkBytes = 8 * 1024 * 1024;

// The times the target takes from the source: the modification time as the copy began, or
// both the access and the modification time as the source shows them once its data has been
// read, which is what a separate transfer of the file times right after the copy would set.
enum class CopyTimes {
    Modification,
    AccessAndModification,
};

// Copies `source` onto `target`, replacing the content of an existing target.
//
// Symbolic links are followed on both sides; whether to copy a link is the caller's choice.
// Only a regular source is copied: a directory fails with EISDIR, any other kind (FIFO,
// socket, device) with EINVAL, and neither is ever read or waited on. An existing target
// whose owner write bit is clear fails with EACCES, also for root, because root ignores the
// permission bits; the caller clears the read-only attribute and tries again. A target that
// is the source itself fails with EINVAL and is left intact.
//
// The data moves in chunks of `chunkBytes` (copy_file_range, or read and write where the
// kernel cannot copy between the two files). Before every chunk `cancelFlag` (may be null)
// is read; after every chunk `callback` (may be empty) is called. A set flag or a Cancel
// answer ends the copy with ECANCELED.
//
// On success the target receives the source's permission bits (without set-user-ID and
// set-group-ID), its user extended attributes and the times `times` names; the archive marker
// (see Attributes.h) is not copied and a stale one of the target is removed, so a freshly
// written copy shows the archive attribute set. A target file system that cannot store
// extended attributes or permission bits keeps the data without them.
// On failure or cancel a target that was opened is removed and the last error tells why.
//
// Fault-injection points: Open (source), Open (target), CopyData (every chunk) and
// SetFileTime (the final time transfer).
bool CopyFileWithProgress(const QString &source, const QString &target, const CopyProgressCallback &callback,
                          const std::atomic<bool> *cancelFlag, qint64 chunkBytes = kDefaultCopyChunkBytes,
                          CopyTimes times = CopyTimes::Modification);

} // namespace platform
