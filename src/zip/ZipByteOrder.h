#pragma once

#include <QByteArray>

#include <cstdint>

// Little-endian reading and writing of the fixed-size fields of ZIP records.
namespace ZipBytes {

inline void Append16(QByteArray &out, uint16_t value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>(value >> 8));
}

inline void Append32(QByteArray &out, uint32_t value)
{
    Append16(out, static_cast<uint16_t>(value & 0xFFFF));
    Append16(out, static_cast<uint16_t>(value >> 16));
}

inline uint16_t Get16(const uint8_t *data)
{
    return static_cast<uint16_t>(data[0] | (data[1] << 8));
}

inline uint32_t Get32(const uint8_t *data)
{
    return static_cast<uint32_t>(Get16(data)) | (static_cast<uint32_t>(Get16(data + 2)) << 16);
}

inline uint16_t Get16(const QByteArray &data, qsizetype offset)
{
    return Get16(reinterpret_cast<const uint8_t *>(data.constData()) + offset);
}

inline uint32_t Get32(const QByteArray &data, qsizetype offset)
{
    return Get32(reinterpret_cast<const uint8_t *>(data.constData()) + offset);
}

} // namespace ZipBytes
