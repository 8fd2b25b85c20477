#include "zip/CCentralDir.h"

#include "zip/CAutoBuffer.h"
#include "zip/CZipCodePage.h"
#include "zip/CZipException.h"
#include "zip/CZipStorage.h"
#include "zip/ZipByteOrder.h"
#include "zip/ZipConstants.h"

#include <algorithm>
#include <cstdio>

namespace {

// Neighbouring search blocks share this many bytes, so that a signature cut by a block
// boundary is still seen whole in one of them.
constexpr int64_t kBlockOverlap = 3;

QByteArray readExactly(CBigFile &file, int64_t position, qsizetype count, const QString &path)
{
    QByteArray bytes(count, '\0');
    file.Seek(position, SEEK_SET);
    if (file.Read(bytes.data(), static_cast<size_t>(count)) != static_cast<size_t>(count))
        throw CZipException(ZipCause::BadArchive, path);
    return bytes;
}

} // namespace

void CCentralDir::Clear()
{
    m_end = CEndRecord();
    m_comment.clear();
    m_headers.clear();
    m_endRecordPosition = 0;
    m_bytesBeforeZip = 0;
    m_directoryOnDisk = false;
}

int64_t CCentralDir::FindEndRecord(CBigFile &file)
{
    const int64_t size = file.Size();
    const int64_t searchStart = std::max<int64_t>(0, size - static_cast<int64_t>(ZipConst::EndRecordSearchSize));
    CAutoBuffer buffer(ZipConst::SearchBufferSize);
    int64_t blockEnd = size;
    while (blockEnd - searchStart >= 4) {
        const int64_t blockStart = std::max(searchStart, blockEnd - static_cast<int64_t>(buffer.Size()));
        const auto length = static_cast<size_t>(blockEnd - blockStart);
        file.Seek(blockStart, SEEK_SET);
        if (file.Read(buffer.Data(), length) != length)
            return -1;
        for (int64_t i = static_cast<int64_t>(length) - 4; i >= 0; --i) {
            const bool roomForRecord = blockStart + i + static_cast<int64_t>(ZipConst::EndRecordSize) <= size;
            if (roomForRecord && ZipBytes::Get32(buffer.Data() + i) == ZipConst::EndRecordSignature)
                return blockStart + i;
        }
        if (blockStart == searchStart)
            break;
        blockEnd = blockStart + kBlockOverlap;
    }
    return -1;
}

void CCentralDir::Read(CZipStorage &storage)
{
    Clear();
    CBigFile &file = storage.File();
    m_endRecordPosition = FindEndRecord(file);
    if (m_endRecordPosition < 0)
        throw CZipException(ZipCause::BadArchive, storage.Path());
    ReadEndRecord(file, storage.Path());
    CheckEndRecord(storage.Path());
    ReadHeaders(file, storage.Path());
    m_directoryOnDisk = true;
}

void CCentralDir::ReadEndRecord(CBigFile &file, const QString &path)
{
    const QByteArray record =
        readExactly(file, m_endRecordPosition, static_cast<qsizetype>(ZipConst::EndRecordSize), path);
    m_end.ThisDisk = ZipBytes::Get16(record, 4);
    m_end.DirectoryDisk = ZipBytes::Get16(record, 6);
    m_end.EntriesOnDisk = ZipBytes::Get16(record, 8);
    m_end.TotalEntries = ZipBytes::Get16(record, 10);
    m_end.DirectorySize = ZipBytes::Get32(record, 12);
    m_end.DirectoryOffset = ZipBytes::Get32(record, 16);
    m_end.CommentLength = ZipBytes::Get16(record, 20);
    const int64_t commentPosition = m_endRecordPosition + static_cast<int64_t>(ZipConst::EndRecordSize);
    m_comment = CZipCodePage::FromAnsi(readExactly(file, commentPosition, m_end.CommentLength, path));
}

void CCentralDir::CheckEndRecord(const QString &path)
{
    const int64_t directoryEnd = int64_t(m_end.DirectoryOffset) + m_end.DirectorySize;
    const bool singleVolume = m_end.ThisDisk == 0 && m_end.DirectoryDisk == 0
                              && m_end.EntriesOnDisk == m_end.TotalEntries;
    const bool sizeMatchesCount = (m_end.DirectorySize == 0) == (m_end.TotalEntries == 0);
    if (!singleVolume || !sizeMatchesCount || m_endRecordPosition < directoryEnd)
        throw CZipException(ZipCause::BadArchive, path);
    m_bytesBeforeZip = m_endRecordPosition - directoryEnd;
}

void CCentralDir::ReadHeaders(CBigFile &file, const QString &path)
{
    const QByteArray directory = readExactly(file, DirectoryPosition(), m_end.DirectorySize, path);
    m_headers.reserve(m_end.TotalEntries);
    qsizetype offset = 0;
    for (int i = 0; i < m_end.TotalEntries; ++i) {
        std::optional<CFileHeader> header = CFileHeader::ParseCentral(directory, offset);
        if (!header)
            throw CZipException(ZipCause::BadArchive, path);
        m_headers.push_back(std::move(*header));
    }
}

void CCentralDir::Write(CZipStorage &storage)
{
    if (m_directoryOnDisk)
        return;
    storage.Flush();
    storage.File().Seek(0, SEEK_END);
    const int64_t directoryStart = storage.Position();
    for (const CFileHeader &header : m_headers) {
        const QByteArray record = header.CentralRecord();
        storage.Write(record.constData(), static_cast<size_t>(record.size()));
    }
    m_end = CEndRecord();
    m_end.EntriesOnDisk = m_end.TotalEntries = static_cast<uint16_t>(m_headers.size());
    m_end.DirectorySize = static_cast<uint32_t>(storage.Position() - directoryStart);
    m_end.DirectoryOffset = static_cast<uint32_t>(directoryStart - m_bytesBeforeZip);
    WriteEndRecord(storage);
    m_directoryOnDisk = true;
}

void CCentralDir::WriteEndRecord(CZipStorage &storage)
{
    const QByteArray comment = CZipCodePage::ToAnsi(m_comment).left(ZipConst::MaxFieldLength);
    m_end.CommentLength = static_cast<uint16_t>(comment.size());
    QByteArray record;
    ZipBytes::Append32(record, ZipConst::EndRecordSignature);
    ZipBytes::Append16(record, m_end.ThisDisk);
    ZipBytes::Append16(record, m_end.DirectoryDisk);
    ZipBytes::Append16(record, m_end.EntriesOnDisk);
    ZipBytes::Append16(record, m_end.TotalEntries);
    ZipBytes::Append32(record, m_end.DirectorySize);
    ZipBytes::Append32(record, m_end.DirectoryOffset);
    ZipBytes::Append16(record, m_end.CommentLength);
    record.append(comment);
    storage.Write(record.constData(), static_cast<size_t>(record.size()));
}
