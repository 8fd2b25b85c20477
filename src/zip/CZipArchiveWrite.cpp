// Writing entries: local header, deflate through zlib, in-place patch of CRC and sizes.
#include "zip/CZipArchive.h"

#include "zip/CZipAttributeAccess.h"
#include "zip/CZipCodePage.h"
#include "zip/CZipException.h"
#include "zip/CZipInternalInfo.h"
#include "zip/ZipByteOrder.h"
#include "zip/ZipDosTime.h"
#include "zip/ZipUnicodePath.h"

#include <QFile>

#include <sys/stat.h>

namespace {

constexpr int kWindowBits = -15;   // raw deflate: no zlib header or trailer, 32 KiB window
constexpr int kMemoryLevel = 8;

// General purpose bits 1 and 2 tell readers how hard the entry was compressed.
uint16_t flagsForLevel(int level)
{
    switch (level) {
    case 1: return 6;
    case 2: return 4;
    case 8:
    case 9: return 2;
    default: return 0;
    }
}

QDateTime modificationTime(const struct stat &status)
{
    const qint64 milliseconds = qint64(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1000000;
    return QDateTime::fromMSecsSinceEpoch(milliseconds);
}

} // namespace

ZipBeginResult CZipArchive::BeginEntry(const CFileHeader &source, int level, const QString &sourcePath)
{
    if (IsArchiveClosed() || m_storage.IsReadOnly() || m_state != State::Idle
        || GetEntryCount() >= ZipConst::MaxEntries)
        return {};
    CFileHeader header = source;
    const ZipBeginResult result = ReadSourceInfo(header, sourcePath);
    PrepareAppend();
    if (header.Name.isEmpty())
        header.Name = QStringLiteral("file%1").arg(GetEntryCount() + 1);
    FillNewHeader(header, level);
    header.LocalHeaderOffset = static_cast<uint32_t>(m_storage.Position() - m_centralDir.BytesBeforeZip());
    m_info = std::make_unique<CZipInternalInfo>(m_tracker);
    m_centralDir.Headers().push_back(header);
    m_currentEntry = GetEntryCount() - 1;
    const QByteArray local = header.LocalRecord();
    m_storage.Write(local.constData(), static_cast<size_t>(local.size()));
    if (header.Method == ZipConst::MethodDeflated)
        StartDeflate(level);
    m_state = State::Writing;
    return result;
}

ZipBeginResult CZipArchive::ReadSourceInfo(CFileHeader &header, const QString &sourcePath) const
{
    ZipBeginResult result;
    result.Outcome = ZipBeginResult::Status::Begun;
    if (sourcePath.isEmpty())
        return result;
    struct stat status {};
    if (::stat(QFile::encodeName(sourcePath).constData(), &status) != 0) {
        result.Outcome = ZipBeginResult::Status::SourceUnreadable;
        result.ErrorCode = ZipSystemStatus::LastError().ErrorCode;
    } else {
        const ZipDosDateTime stamp = ToDosDateTime(modificationTime(status));
        header.DosTime = stamp.Time;
        header.DosDate = stamp.Date;
    }
    const ZipAttributeRead attributes = m_attributes->Read(sourcePath);
    header.ExternalAttributes = attributes.Status.Ok() ? attributes.Attributes : ZipConst::AttributeArchive;
    if (!attributes.Status.Ok() && result) {
        result.Outcome = ZipBeginResult::Status::SourceUnreadable;
        result.ErrorCode = attributes.Status.ErrorCode;
    }
    return result;
}

void CZipArchive::FillNewHeader(CFileHeader &header, int level) const
{
    header.StoredName = CZipCodePage::ToOem(header.Name);
    if (header.StoredName.size() > static_cast<qsizetype>(ZipConst::MaxFieldLength))
        throw CZipException(ZipCause::NameTooLong, m_storage.Path());
    header.Extra = ZipUnicodePath::WithUnicodePath(header.Extra, header.StoredName, header.Name);
    if (header.Extra.size() > static_cast<qsizetype>(ZipConst::MaxFieldLength))
        throw CZipException(ZipCause::Generic, m_storage.Path());
    header.Comment.truncate(static_cast<qsizetype>(ZipConst::MaxFieldLength));
    header.Signature = ZipConst::CentralHeaderSignature;
    header.VersionMadeBy = ZipConst::VersionMadeBy;
    header.VersionNeeded = ZipConst::VersionNeeded;
    // Directories are stored; the local header is written with the final method.
    const bool stored = header.Method == ZipConst::MethodStored || header.IsDirectory();
    header.Method = stored ? ZipConst::MethodStored : ZipConst::MethodDeflated;
    header.Flags = stored ? 0 : flagsForLevel(level);
    header.Crc32 = header.CompressedSize = header.UncompressedSize = 0;
    header.NameLength = static_cast<uint16_t>(header.StoredName.size());
    header.ExtraLength = static_cast<uint16_t>(header.Extra.size());
    header.CommentLength = static_cast<uint16_t>(CZipCodePage::ToAnsi(header.Comment).size());
    header.DiskNumberStart = 0;
}

void CZipArchive::PrepareAppend()
{
    if (m_centralDir.IsDirectoryOnDisk()) {
        // The new entries go where the old directory was; it is written anew at the close.
        m_storage.Flush();
        m_storage.File().Truncate(m_centralDir.DirectoryPosition());
        m_centralDir.MarkDirectoryChanged();
    }
    m_storage.Flush();
    m_storage.File().Seek(0, SEEK_END);
}

void CZipArchive::StartDeflate(int level)
{
    const int code = deflateInit2(&m_info->Stream, level, Z_DEFLATED, kWindowBits, kMemoryLevel,
                                  Z_DEFAULT_STRATEGY);
    CZipException::ThrowOnZlibError(code, m_storage.Path());
    m_info->StreamActive = true;
    m_info->ResetOutput();
}

bool CZipArchive::WriteEntryData(const void *data, size_t count)
{
    if (m_state != State::Writing)
        return false;
    if (m_info->UncompressedCount + count > ZipConst::MaxZip32Value)
        throw CZipException(ZipCause::TooLarge, m_storage.Path());
    if (count == 0)
        return true;
    m_info->Crc = static_cast<uint32_t>(
        crc32_z(m_info->Crc, static_cast<const Bytef *>(data), count));
    if (CurrentHeader().Method == ZipConst::MethodDeflated) {
        WriteDeflated(data, count);
    } else {
        m_storage.Write(data, count);
        m_info->CompressedCount += count;
    }
    m_info->UncompressedCount += count;
    return true;
}

void CZipArchive::WriteDeflated(const void *data, size_t count)
{
    z_stream &stream = m_info->Stream;
    stream.next_in = static_cast<Bytef *>(const_cast<void *>(data));
    stream.avail_in = static_cast<uInt>(count);
    while (stream.avail_in > 0) {
        if (stream.avail_out == 0)
            FlushDataBuffer();
        CZipException::ThrowOnZlibError(deflate(&stream, Z_NO_FLUSH), m_storage.Path());
    }
}

void CZipArchive::FlushDataBuffer()
{
    const size_t fill = m_info->OutputFill();
    if (fill > 0)
        m_storage.Write(m_info->Buffer.Data(), fill);
    m_info->CompressedCount += fill;
    m_info->ResetOutput();
}

bool CZipArchive::EndEntry()
{
    if (m_state != State::Writing)
        return false;
    if (CurrentHeader().Method == ZipConst::MethodDeflated)
        FinishDeflate();
    CFileHeader &header = CurrentHeader();
    header.Crc32 = m_info->Crc;
    header.CompressedSize = static_cast<uint32_t>(m_info->CompressedCount);
    header.UncompressedSize = static_cast<uint32_t>(m_info->UncompressedCount);
    PatchLocalHeader(header);
    m_info.reset();
    m_state = State::Idle;
    m_currentEntry = -1;
    return true;
}

void CZipArchive::FinishDeflate()
{
    z_stream &stream = m_info->Stream;
    stream.next_in = nullptr;
    stream.avail_in = 0;
    for (;;) {
        if (stream.avail_out == 0)
            FlushDataBuffer();
        const int code = deflate(&stream, Z_FINISH);
        if (code == Z_STREAM_END)
            break;
        CZipException::ThrowOnZlibError(code, m_storage.Path());
    }
    FlushDataBuffer();
    m_info->StreamActive = false;
    CZipException::ThrowOnZlibError(deflateEnd(&stream), m_storage.Path());
}

void CZipArchive::PatchLocalHeader(const CFileHeader &header)
{
    QByteArray fields;
    ZipBytes::Append32(fields, header.Crc32);
    ZipBytes::Append32(fields, header.CompressedSize);
    ZipBytes::Append32(fields, header.UncompressedSize);
    m_storage.Flush();
    CBigFile &file = m_storage.File();
    file.Seek(m_centralDir.BytesBeforeZip() + header.LocalHeaderOffset + int64_t(ZipConst::LocalCrcOffset),
              SEEK_SET);
    file.Write(fields.constData(), static_cast<size_t>(fields.size()));
    file.Seek(0, SEEK_END);
}
