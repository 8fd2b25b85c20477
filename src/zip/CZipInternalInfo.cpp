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
