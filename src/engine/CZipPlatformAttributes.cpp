#include "engine/CZipPlatformAttributes.h"

#include "platform/Attributes.h"
#include "platform/LastError.h"

#include <cerrno>

namespace {

// A failure must never reach the archive as a success, even when no reason was recorded.
ZipSystemStatus LastPlatformError()
{
    ZipSystemStatus status;
    status.ErrorCode = platform::LastError() != 0 ? platform::LastError() : EIO;
    return status;
}

} // namespace

ZipAttributeRead CZipPlatformAttributes::Read(const QString &path) const
{
    ZipAttributeRead result;
    quint32 attributes = 0;
    if (!platform::GetAttributes(path, &attributes)) {
        result.Status = LastPlatformError();
        return result;
    }
    result.Attributes = attributes;
    return result;
}

ZipSystemStatus CZipPlatformAttributes::Apply(const QString &path, uint32_t attributes) const
{
    if (!platform::SetAttributes(path, attributes))
        return LastPlatformError();
    return {};
}

const CZipPlatformAttributes &CZipPlatformAttributes::Instance()
{
    static const CZipPlatformAttributes access;
    return access;
}
