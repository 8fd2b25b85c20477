#include "engine/SecurityTransfer.h"

#include "platform/LastError.h"

namespace {

void Report(int *errorCode, int value)
{
    if (errorCode)
        *errorCode = value;
}

} // namespace

std::optional<platform::SecurityDescriptor> GetFileSecurityDescriptor(const QString &path, int *errorCode)
{
    platform::SecurityDescriptor descriptor;
    if (!platform::GetSecurity(path, &descriptor)) {
        Report(errorCode, platform::LastError());
        return std::nullopt;
    }
    if (!descriptor.valid)
        return std::nullopt;
    return descriptor;
}

bool SetFileSecurityDescriptor(const QString &path, const platform::SecurityDescriptor *descriptor, int *errorCode)
{
    Report(errorCode, 0);
    if (!descriptor)
        return true;
    if (platform::SetSecurity(path, *descriptor))
        return true;
    Report(errorCode, platform::LastError());
    return false;
}
