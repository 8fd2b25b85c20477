#include "zip/CCompressZip.h"

#include "zip/CBigFile.h"
#include "zip/CZipAttributeAccess.h"
#include "zip/CZipException.h"
#include "zip/CZipFileException.h"
#include "zip/ZipSystemError.h"

#include <QFile>

#include <unistd.h>

CCompressZip::CCompressZip() : m_attributes(&CZipAttributeAccess::Default())
{
}

CCompressZip::~CCompressZip() = default;

void CCompressZip::SetAttributeAccess(const CZipAttributeAccess &access)
{
    m_attributes = &access;
    m_archive.SetAttributeAccess(access);
}

QString CCompressZip::OwnArchiveComment()
{
    return QStringLiteral("Compressed by Zelvaron");
}

bool CCompressZip::IsOwnArchiveComment(const QString &comment)
{
    const auto foldAscii = [](QChar c) {
        const char16_t unit = c.unicode();
        return unit >= u'a' && unit <= u'z' ? char16_t(unit - u'a' + u'A') : unit;
    };
    const QString own = OwnArchiveComment();
    if (comment.size() != own.size())
        return false;
    for (qsizetype i = 0; i < own.size(); ++i) {
        if (foldAscii(comment.at(i)) != foldAscii(own.at(i)))
            return false;
    }
    return true;
}

ZipResult CCompressZip::Compress(CompressionRequest &request)
{
    Begin(request, CompressionMode::Compress);
    return Finish(request, Guarded([&] { return CompressInto(request); }));
}

void CCompressZip::Begin(CompressionRequest &request, CompressionMode mode)
{
    m_errorText.clear();
    request.ErrorText.clear();
    request.Mode = mode;
    m_archive.CloseArchive(ZipCloseMode::AfterError);
    m_partial = PartialOutput();
}

ZipResult CCompressZip::Guarded(const std::function<ZipResult()> &operation)
{
    try {
        ZipResult result = operation();
        if (!result)
            DiscardAfterFailure();
        return result;
    } catch (const CZipException &error) {
        DiscardAfterFailure();
        return ZipResult::MakeFailure(ZipFailure::ArchiveError, error.Description(), static_cast<int>(error.Cause()));
    } catch (const CZipFileException &error) {
        DiscardAfterFailure();
        return ZipResult::MakeFailure(ZipFailure::FileError, error.Description(), error.ErrorCode());
    } catch (const std::exception &) {
        DiscardAfterFailure();
        return ZipResult::MakeFailure(ZipFailure::ArchiveError, QString(), static_cast<int>(ZipCause::Generic));
    }
}

ZipResult CCompressZip::Finish(CompressionRequest &request, ZipResult result)
{
    if (!result) {
        m_errorText = result.Text();
        request.ErrorText = result.Text();
        if (request.ProgressCallback)
            request.ProgressCallback(request);
    }
    return result;
}

void CCompressZip::DiscardAfterFailure()
{
    m_archive.CloseArchive(ZipCloseMode::AfterError);
    if (m_partial.Path.isEmpty())
        return;
    const QByteArray path = QFile::encodeName(m_partial.Path);
    // Failing to clean up changes nothing about the failure already being reported.
    if (m_partial.How == Disposal::Remove)
        (void)::unlink(path.constData());
    else
        (void)::truncate(path.constData(), 0);
    m_partial = PartialOutput();
}

uint8_t *CCompressZip::Chunk()
{
    m_chunk.Allocate(ChunkSize);
    return m_chunk.Data();
}

ZipResult CCompressZip::CompressInto(CompressionRequest &request)
{
    m_archive.OpenArchive(request.ArchivePath, ZipOpenMode::Create);
    m_partial = PartialOutput{request.ArchivePath, Disposal::Empty};
    m_archive.SetArchiveComment(OwnArchiveComment());
    if (request.EntryName.isEmpty())
        return ZipResult::MakeFailure(ZipFailure::NoEntryName, QString());
    CFileHeader header;
    header.Name = request.EntryName;
    const ZipBeginResult begun = m_archive.BeginEntry(header, ZipConst::DefaultCompressionLevel, request.FilePath);
    if (!begun) {
        const bool unreadable = begun.Outcome == ZipBeginResult::Status::SourceUnreadable;
        return ZipResult::MakeFailure(ZipFailure::SourceUnreadable,
                                      unreadable ? ZipSystemErrorText(begun.ErrorCode) : QString(), begun.ErrorCode);
    }
    CBigFile source;
    source.Open(request.FilePath, BigFileMode::OpenRead);
    const ZipResult copied = CopySourceIntoEntry(request, source);
    source.Abandon();
    if (!copied)
        return copied;
    m_archive.EndEntry();
    m_archive.CloseArchive(ZipCloseMode::Normal);
    m_partial = PartialOutput();
    return ZipResult::Success();
}

ZipResult CCompressZip::CopySourceIntoEntry(CompressionRequest &request, CBigFile &source)
{
    uint8_t *chunk = Chunk();
    request.BytesDone = 0;
    for (;;) {
        const size_t count = source.Read(chunk, ChunkSize);
        if (count > 0) {
            m_archive.WriteEntryData(chunk, count);
            request.BytesDone += static_cast<int64_t>(count);
            if (request.ProgressCallback)
                request.ProgressCallback(request);
        }
        if (count < ChunkSize)
            return ZipResult::Success();
        if (request.Cancel)
            return ZipResult::MakeFailure(ZipFailure::Cancelled, QString());
    }
}
