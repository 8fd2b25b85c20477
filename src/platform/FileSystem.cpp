#include "platform/FileSystem.h"

#include "platform/FaultInjection.h"
#include "platform/FileName.h"
#include "platform/LastError.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool RemoveFile(const QString &path)
{
    if (fault::Fails(fault::Operation::RemoveFile))
        return false;
    return ::unlink(EncodeFileName(path).constData()) == 0 || FailFromErrno();
}

bool RenameFile(const QString &from, const QString &to, RenameMode mode)
{
    if (fault::Fails(fault::Operation::Rename))
        return false;
    const unsigned flags = mode == RenameMode::KeepExisting ? RENAME_NOREPLACE : 0;
    const int rc = ::renameat2(AT_FDCWD, EncodeFileName(from).constData(), AT_FDCWD, EncodeFileName(to).constData(), flags);
    return rc == 0 || FailFromErrno();
}

bool CreateDirectory(const QString &path)
{
    if (fault::Fails(fault::Operation::CreateDirectory))
        return false;
    return ::mkdir(EncodeFileName(path).constData(), 0777) == 0 || FailFromErrno();
}

bool RemoveDirectory(const QString &path)
{
    if (fault::Fails(fault::Operation::RemoveDirectory))
        return false;
    return ::rmdir(EncodeFileName(path).constData()) == 0 || FailFromErrno();
}

} // namespace platform
