#pragma once

#include "zip/CAutoBuffer.h"

#include <cstdint>
#include <zlib.h>

class CZipMemoryTracker;

// The working state of the one entry an archive has open: the zlib stream, the data buffer
// between zlib and the file, and the running counts. Exists only while an entry is open.
class CZipInternalInfo
{
public:
    explicit CZipInternalInfo(CZipMemoryTracker &tracker);
    CZipInternalInfo(const CZipInternalInfo &) = delete;
    CZipInternalInfo &operator=(const CZipInternalInfo &) = delete;

    // Points the stream's output at the empty data buffer.
    void ResetOutput();
    // Bytes the stream has put into the data buffer since the last ResetOutput.
    size_t OutputFill() const;

    z_stream Stream {};
    CAutoBuffer Buffer;
    // True between a successful deflateInit2/inflateInit2 and the matching End call.
    bool StreamActive = false;
    // Reading: the deflate stream reported its end.
    bool StreamEnded = false;
    uint32_t Crc = 0;
    uint64_t CompressedCount = 0;     // writing: bytes produced
    uint64_t UncompressedCount = 0;   // writing: bytes consumed
    uint64_t CompressedLeft = 0;      // reading: bytes still in the file
    uint64_t UncompressedLeft = 0;    // reading: bytes still to deliver
};
