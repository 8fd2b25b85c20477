#include "zip/CZipInternalInfo.h"

#include "zip/CZipMemoryTracker.h"
#include "zip/ZipConstants.h"

CZipInternalInfo::CZipInternalInfo(CZipMemoryTracker &tracker)
{
    Stream.zalloc = &CZipMemoryTracker::Allocate;
    Stream.zfree = &CZipMemoryTracker::Free;
    Stream.opaque = &tracker;
    Buffer.Allocate(ZipConst::DataBufferSize);
}

void CZipInternalInfo::ResetOutput()
{
    Stream.next_out = Buffer.Data();
    Stream.avail_out = static_cast<uInt>(Buffer.Size());
}

size_t CZipInternalInfo::OutputFill() const
{
    return Buffer.Size() - Stream.avail_out;
}
