#include "platform/FileTime.h"

#include "platform/FaultInjection.h"
#include "platform/FileName.h"
#include "platform/LastError.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

namespace {

constexpr qint64 kTicksPerSecond = 10000000;

qint64 FileTimeFromStatx(const struct statx_timestamp &stamp)
{
    return FileTimeFromUnix(stamp.tv_sec, stamp.tv_nsec);
}

timespec TimespecFromFileTime(qint64 fileTime)
{
    qint64 seconds = 0;
    qint64 nanoseconds = 0;
    UnixFromFileTime(fileTime, &seconds, &nanoseconds);
    timespec result{};
    result.tv_sec = static_cast<time_t>(seconds);
    result.tv_nsec = static_cast<long>(nanoseconds);
    return result;
}

} // namespace

qint64 FileTimeFromUnix(qint64 seconds, qint64 nanoseconds)
{
    return kFileTimeOfUnixEpoch + seconds * kTicksPerSecond + nanoseconds / 100;
}

void UnixFromFileTime(qint64 fileTime, qint64 *seconds, qint64 *nanoseconds)
{
    const qint64 sinceEpoch = fileTime - kFileTimeOfUnixEpoch;
    qint64 wholeSeconds = sinceEpoch / kTicksPerSecond;
    qint64 ticks = sinceEpoch % kTicksPerSecond;
    if (ticks < 0) {
        ticks += kTicksPerSecond;
        --wholeSeconds;
    }
    *seconds = wholeSeconds;
    *nanoseconds = ticks * 100;
}

bool GetFileTimes(const QString &path, FileTimes *times)
{
    if (fault::Fails(fault::Operation::Stat))
        return false;
    struct statx info{};
    if (statx(AT_FDCWD, EncodeFileName(path).constData(), 0, STATX_BASIC_STATS | STATX_BTIME, &info) != 0)
        return FailFromErrno();
    times->lastWrite = FileTimeFromStatx(info.stx_mtime);
    times->lastAccess = FileTimeFromStatx(info.stx_atime);
    times->creation.reset();
    if (info.stx_mask & STATX_BTIME)
        times->creation = FileTimeFromStatx(info.stx_btime);
    return true;
}

bool GetModificationTime(const QString &path, qint64 *lastWrite)
{
    FileTimes times;
    if (!GetFileTimes(path, &times))
        return false;
    *lastWrite = times.lastWrite;
    return true;
}

bool SetModificationTime(const QString &path, qint64 lastWrite)
{
    return SetFileTimes(path, std::nullopt, lastWrite);
}

bool SetFileTimes(const QString &path, std::optional<qint64> lastAccess, qint64 lastWrite)
{
    if (fault::Fails(fault::Operation::SetFileTime))
        return false;
    timespec stamps[2]{};
    if (lastAccess) {
        stamps[0] = TimespecFromFileTime(*lastAccess);
    } else {
        stamps[0].tv_nsec = UTIME_OMIT;
    }
    stamps[1] = TimespecFromFileTime(lastWrite);
    if (utimensat(AT_FDCWD, EncodeFileName(path).constData(), stamps, 0) != 0)
        return FailFromErrno();
    return true;
}

} // namespace platform
