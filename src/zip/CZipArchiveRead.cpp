// Reading entries: local-header checks, stored and deflated data, CRC and data descriptor.
#include "zip/CZipArchive.h"

#include "zip/CZipAttributeAccess.h"
#include "zip/CZipException.h"
#include "zip/CZipInternalInfo.h"
#include "zip/ZipByteOrder.h"
#include "zip/ZipDosTime.h"
#include "zip/ZipFileSystem.h"

#include <algorithm>

namespace {

constexpr int kWindowBits = -15;

} // namespace

bool CZipArchive::OpenEntry(int index)
{
    if (!IsIndexValid(index) || m_state != State::Idle)
        return false;
    m_storage.Flush();
    const CFileHeader &header = m_centralDir.Headers()[static_cast<size_t>(index)];
    const bool knownMethod = header.Method == ZipConst::MethodStored || header.Method == ZipConst::MethodDeflated;
    const bool storedSizesAgree = header.Method != ZipConst::MethodStored
                                  || header.CompressedSize == header.UncompressedSize;
    if ((header.Flags & ZipConst::FlagEncrypted) != 0 || !knownMethod || !storedSizesAgree)
        throw CZipException(ZipCause::BadArchive, m_storage.Path());
    m_info = std::make_unique<CZipInternalInfo>(m_tracker);
    m_currentEntry = index;
    m_state = State::Reading;
    CheckLocalHeader(header);
    m_storage.File().Seek(m_dataOffset, SEEK_SET);
    if (header.Method == ZipConst::MethodDeflated) {
        CZipException::ThrowOnZlibError(inflateInit2(&m_info->Stream, kWindowBits), m_storage.Path());
        m_info->StreamActive = true;
    }
    m_info->CompressedLeft = header.CompressedSize;
    m_info->UncompressedLeft = header.UncompressedSize;
    return true;
}

void CZipArchive::CheckLocalHeader(const CFileHeader &header)
{
    const int64_t position = m_centralDir.BytesBeforeZip() + header.LocalHeaderOffset;
    uint8_t local[ZipConst::LocalHeaderSize];
    CBigFile &file = m_storage.File();
    file.Seek(position, SEEK_SET);
    if (file.Read(local, sizeof local) != sizeof local)
        throw CZipException(ZipCause::BadArchive, m_storage.Path());
    const uint16_t flags = ZipBytes::Get16(local + 6);
    m_hasDataDescriptor = (flags & ZipConst::FlagDataDescriptor) != 0;
    const bool sizesAgree = m_hasDataDescriptor
                            || (ZipBytes::Get32(local + 14) == header.Crc32
                                && ZipBytes::Get32(local + 18) == header.CompressedSize
                                && ZipBytes::Get32(local + 22) == header.UncompressedSize);
    if (ZipBytes::Get32(local) != ZipConst::LocalHeaderSignature || ZipBytes::Get16(local + 8) != header.Method
        || ZipBytes::Get16(local + 26) != header.NameLength || !sizesAgree)
        throw CZipException(ZipCause::BadArchive, m_storage.Path());
    const int64_t nameAndExtra = int64_t(ZipBytes::Get16(local + 26)) + ZipBytes::Get16(local + 28);
    m_dataOffset = position + int64_t(ZipConst::LocalHeaderSize) + nameAndExtra;
}

size_t CZipArchive::ReadEntryData(void *buffer, size_t capacity)
{
    if (m_state != State::Reading)
        return 0;
    const auto wanted = static_cast<size_t>(std::min<uint64_t>(capacity, m_info->UncompressedLeft));
    if (wanted == 0)
        return 0;
    auto *bytes = static_cast<uint8_t *>(buffer);
    const size_t produced = CurrentHeader().Method == ZipConst::MethodDeflated ? ReadDeflated(bytes, wanted)
                                                                               : ReadStored(bytes, wanted);
    m_info->Crc = static_cast<uint32_t>(crc32_z(m_info->Crc, bytes, produced));
    m_info->UncompressedLeft -= produced;
    return produced;
}

size_t CZipArchive::ReadStored(uint8_t *buffer, size_t count)
{
    if (m_storage.File().Read(buffer, count) != count)
        throw CZipException(ZipCause::BadArchive, m_storage.Path());
    m_info->CompressedLeft -= count;
    return count;
}

size_t CZipArchive::ReadDeflated(uint8_t *buffer, size_t count)
{
    z_stream &stream = m_info->Stream;
    // A stream that ended before the size the headers announce is corrupt.
    if (m_info->StreamEnded)
        throw CZipException(ZipCause::BadArchive, m_storage.Path());
    size_t produced = 0;
    while (produced < count) {
        if (stream.avail_in == 0 && m_info->CompressedLeft > 0)
            ReadCompressedInput();
        stream.next_out = buffer + produced;
        stream.avail_out = static_cast<uInt>(count - produced);
        const int code = inflate(&stream, Z_SYNC_FLUSH);
        produced = count - stream.avail_out;
        if (code == Z_STREAM_END) {
            m_info->StreamEnded = true;
            break;
        }
        CZipException::ThrowOnZlibError(code, m_storage.Path());
    }
    if (m_info->StreamEnded && produced < m_info->UncompressedLeft)
        throw CZipException(ZipCause::BadArchive, m_storage.Path());
    return produced;
}

void CZipArchive::ReadCompressedInput()
{
    const auto count = static_cast<size_t>(std::min<uint64_t>(m_info->Buffer.Size(), m_info->CompressedLeft));
    if (m_storage.File().Read(m_info->Buffer.Data(), count) != count)
        throw CZipException(ZipCause::BadArchive, m_storage.Path());
    m_info->CompressedLeft -= count;
    m_info->Stream.next_in = m_info->Buffer.Data();
    m_info->Stream.avail_in = static_cast<uInt>(count);
}

bool CZipArchive::CloseEntry(const QString &outputPath)
{
    if (m_state != State::Reading)
        return false;
    const CFileHeader &header = CurrentHeader();
    if (m_info->UncompressedLeft == 0 && m_info->Crc != header.Crc32)
        throw CZipException(ZipCause::BadCrc, m_storage.Path());
    if (m_info->StreamActive) {
        m_info->StreamActive = false;
        inflateEnd(&m_info->Stream);
    }
    const bool metadataSet = outputPath.isEmpty() || ApplyEntryMetadata(header, outputPath);
    if (m_hasDataDescriptor)
        CheckDataDescriptor(header);
    m_info.reset();
    m_state = State::Idle;
    m_currentEntry = -1;
    return metadataSet;
}

bool CZipArchive::ApplyEntryMetadata(const CFileHeader &header, const QString &outputPath) const
{
    const QDateTime lastWrite = FromDosDateTime(header.DosDate, header.DosTime);
    const bool timeSet = lastWrite.isValid() && ZipFileSystem::SetLastWriteTime(outputPath, lastWrite).Ok();
    const bool attributesSet = m_attributes->Apply(outputPath, header.ExternalAttributes).Ok();
    return timeSet && attributesSet;
}

void CZipArchive::CheckDataDescriptor(const CFileHeader &header)
{
    uint8_t record[4 + ZipConst::DataDescriptorSize];
    CBigFile &file = m_storage.File();
    file.Seek(m_dataOffset + int64_t(header.CompressedSize), SEEK_SET);
    const size_t available = file.Read(record, sizeof record);
    // The signature in front of the descriptor is optional.
    const size_t start = available >= 4 && ZipBytes::Get32(record) == ZipConst::DataDescriptorSignature ? 4 : 0;
    if (available < start + ZipConst::DataDescriptorSize || ZipBytes::Get32(record + start) != header.Crc32
        || ZipBytes::Get32(record + start + 4) != header.CompressedSize
        || ZipBytes::Get32(record + start + 8) != header.UncompressedSize)
        throw CZipException(ZipCause::BadArchive, m_storage.Path());
}
