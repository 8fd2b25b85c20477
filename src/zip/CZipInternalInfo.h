#pragma once

#include "zip/CAutoBuffer.h"
#include "zip/ParallelDeflate.h"

#include <cstdint>
#include <memory>
#include <zlib.h>

class CZipMemoryTracker;

// The working state of the one entry an archive has open: the inflate stream and its input
// buffer or the deflater, and the running counts. Exists only while an entry is open.
class CZipInternalInfo
{
public:
    explicit CZipInternalInfo(CZipMemoryTracker &tracker);
    CZipInternalInfo(const CZipInternalInfo &) = delete;
    CZipInternalInfo &operator=(const CZipInternalInfo &) = delete;

    z_stream Stream {};       // reading: the inflate stream
    std::unique_ptr<ParallelDeflate> Deflater; // writing a deflated entry
    CAutoBuffer Buffer;
    // True between a successful inflateInit2 and the matching inflateEnd.
    bool StreamActive = false;
    // Reading: the deflate stream reported its end.
    bool StreamEnded = false;
    uint32_t Crc = 0;
    uint64_t CompressedCount = 0;     // writing: bytes produced
    uint64_t UncompressedCount = 0;   // writing: bytes consumed
    uint64_t CompressedLeft = 0;      // reading: bytes still in the file
    uint64_t UncompressedLeft = 0;    // reading: bytes still to deliver
};
