#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// File times as FILETIME values: 100-ns ticks since 1601-01-01 UTC in a signed 64-bit integer.
// All operations here follow symbolic links.

namespace platform {

// FILETIME of the Unix epoch, 1970-01-01 00:00:00 UTC.
inline constexpr qint64 kFileTimeOfUnixEpoch = 116444736000000000LL;

// Converts a Unix time; nanoseconds below the 100-ns tick are dropped.
qint64 FileTimeFromUnix(qint64 seconds, qint64 nanoseconds);

// The Unix time of `fileTime`; the nanoseconds are always in [0, 999999900].
void UnixFromFileTime(qint64 fileTime, qint64 *seconds, qint64 *nanoseconds);

struct FileTimes {
    qint64 lastWrite = 0;
    qint64 lastAccess = 0;
    // The birth time where the file system records it and the kernel reports it (statx);
    // it cannot be set.
    std::optional<qint64> creation;
};

bool GetFileTimes(const QString &path, FileTimes *times);

bool GetModificationTime(const QString &path, qint64 *lastWrite);

// Sets the modification time and leaves the access time as it is.
bool SetModificationTime(const QString &path, qint64 lastWrite);

// Sets the modification time and, when given, the access time.
bool SetFileTimes(const QString &path, std::optional<qint64> lastAccess, qint64 lastWrite);

} // namespace platform
