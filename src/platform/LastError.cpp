#include "platform/LastError.h"

#include <cerrno>

namespace platform {

namespace {
thread_local int lastError = 0;
}

int LastError()
{
    return lastError;
}

void SetLastError(int err)
{
    lastError = err;
    errno = err;
}

bool FailFromErrno()
{
    lastError = errno;
    return false;
}

bool FailWith(int err)
{
    SetLastError(err);
    return false;
}

} // namespace platform
