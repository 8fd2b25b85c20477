#pragma once

#include <cstddef>
#include <cstdint>

// Numbers of the ZIP file format (PKWARE application note, version 2.0 subset) and the
// limits this container works with.
namespace ZipConst {

inline constexpr uint32_t LocalHeaderSignature = 0x04034b50;
inline constexpr uint32_t CentralHeaderSignature = 0x02014b50;
inline constexpr uint32_t EndRecordSignature = 0x06054b50;
inline constexpr uint32_t DataDescriptorSignature = 0x08074b50;

inline constexpr size_t LocalHeaderSize = 30;
inline constexpr size_t CentralHeaderSize = 46;
inline constexpr size_t EndRecordSize = 22;
inline constexpr size_t DataDescriptorSize = 12;
inline constexpr size_t LocalCrcOffset = 14;

inline constexpr uint16_t VersionMadeBy = 20;
inline constexpr uint16_t VersionNeeded = 20;
inline constexpr uint16_t MethodStored = 0;
inline constexpr uint16_t MethodDeflated = 8;

inline constexpr uint16_t FlagEncrypted = 0x0001;
inline constexpr uint16_t FlagDataDescriptor = 0x0008;

inline constexpr uint32_t AttributeReadOnly = 0x01;
inline constexpr uint32_t AttributeDirectory = 0x10;
inline constexpr uint32_t AttributeArchive = 0x20;

inline constexpr size_t MaxFieldLength = 65535;   // names, extra fields, comments
inline constexpr int MaxEntries = 65535;

// Readers take 0xFFFFFFFF in a size or offset as the sign of a ZIP64 record, so the largest
// value written is one less; an archive file stays below 4 GiB.
inline constexpr uint64_t MaxZip32Value = 0xFFFFFFFEu;
inline constexpr uint64_t MaxArchiveSize = 0xFFFFFFFFu;

inline constexpr size_t OutputBufferSize = 65535;
inline constexpr size_t DataBufferSize = 16384;
inline constexpr size_t SearchBufferSize = 32768;
inline constexpr size_t EndRecordSearchSize = MaxFieldLength + EndRecordSize;

// Extra field of Info-ZIP that carries the UTF-8 form of a name stored in a code page.
inline constexpr uint16_t UnicodePathExtraId = 0x7075;

inline constexpr int DefaultCompressionLevel = -1;

} // namespace ZipConst
