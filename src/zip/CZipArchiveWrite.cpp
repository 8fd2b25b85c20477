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

// Deflate runs on as many threads as the machine has processors (ParallelDeflate), and its
// output goes straight to the storage, which buffers it.
void CZipArchive::StartDeflate(int level)
{
    m_info->Deflater = std::make_unique<ParallelDeflate>(level, ParallelDeflate::DefaultThreads(),
                                                         [this](const uint8_t *data, size_t count) {
                                                             m_storage.Write(data, count);
                                                             m_info->CompressedCount += count;
                                                         });
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
    const int code = m_info->Deflater->Write(static_cast<const uint8_t *>(data), count);
    CZipException::ThrowOnZlibError(code, m_storage.Path());
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
    const int code = m_info->Deflater->Finish();
    m_info->Deflater.reset();
    CZipException::ThrowOnZlibError(code, m_storage.Path());
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
