#include "platform/FileTimeTransfer.h"

#include "platform/FaultInjection.h"
#include "platform/FileName.h"
#include "platform/LastError.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

namespace {

bool ReadTimes(const QString &path, timespec stamps[2])
{
    if (fault::Fails(fault::Operation::Stat))
        return false;
    struct statx info{};
    if (statx(AT_FDCWD, EncodeFileName(path).constData(), 0, STATX_ATIME | STATX_MTIME, &info) != 0)
        return FailFromErrno();
    stamps[0].tv_sec = info.stx_atime.tv_sec;
    stamps[0].tv_nsec = info.stx_atime.tv_nsec;
    stamps[1].tv_sec = info.stx_mtime.tv_sec;
    stamps[1].tv_nsec = info.stx_mtime.tv_nsec;
    return true;
}

bool WriteTimes(const QString &path, const timespec stamps[2])
{
    if (fault::Fails(fault::Operation::SetFileTime))
        return false;
    if (utimensat(AT_FDCWD, EncodeFileName(path).constData(), stamps, 0) != 0)
        return FailFromErrno();
    return true;
}

} // namespace

bool TransferFileTimes(const QString &source, const QString &target, TimeTransferStep *failedStep)
{
    *failedStep = TimeTransferStep::None;
    timespec stamps[2]{};
    if (!ReadTimes(source, stamps)) {
        *failedStep = TimeTransferStep::ReadSource;
        return false;
    }
    if (!WriteTimes(target, stamps)) {
        *failedStep = TimeTransferStep::WriteTarget;
        return false;
    }
    return true;
}

} // namespace platform
