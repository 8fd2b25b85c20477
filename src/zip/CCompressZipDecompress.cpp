// Unpacking: every entry of an archive into a directory, or the single entry into a file.
#include "zip/CCompressZip.h"

#include "zip/CBigFile.h"
#include "zip/CZipAttributeAccess.h"
#include "zip/CZipFileException.h"
#include "zip/ZipFileSystem.h"
#include "zip/ZipStringId.h"

#include "resources/Strings.h"

namespace {

// Fills the "%s" places of a string-table text in order.
QString fillText(const QString &format, const QStringList &values)
{
    QString result;
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format.at(i) == QLatin1Char('%') && i + 1 < format.size() && format.at(i + 1) == QLatin1Char('s')) {
            result += values.value(next++);
            ++i;
        } else {
            result += format.at(i);
        }
    }
    return result;
}

// The last part of an entry name. Names that would step out of the destination directory
// or cannot be file names are refused.
bool isUsableLeaf(const QString &leaf, bool directoryEntry)
{
    if (leaf == QStringLiteral(".") || leaf == QStringLiteral("..") || leaf.contains(QChar(u'\0')))
        return false;
    return directoryEntry || !leaf.isEmpty();
}

QString outputPathFor(const QString &directory, const QString &leaf)
{
    const QString base = ZipFileSystem::WithoutTrailingSlashes(directory);
    return base.endsWith(QLatin1Char('/')) ? base + leaf : base + QLatin1Char('/') + leaf;
}

} // namespace

ZipResult CCompressZip::Decompress(CompressionRequest &request)
{
    Begin(request, CompressionMode::Decompress);
    return Finish(request, Guarded([&] { return DecompressAll(request); }));
}

ZipResult CCompressZip::DecompressAll(CompressionRequest &request)
{
    m_archive.OpenArchive(request.ArchivePath, ZipOpenMode::OpenReadOnly);
    if (request.OwnArchivesOnly && !IsOwnArchiveComment(m_archive.GetArchiveComment())) {
        request.OwnArchivesOnly = false;
        m_archive.CloseArchive(ZipCloseMode::Normal);
        return ZipResult::Success();
    }
    const int count = m_archive.GetEntryCount();
    for (int index = 0; index < count; ++index) {
        const ZipResult entry = DecompressEntry(request, index);
        if (!entry)
            return entry;
        if (request.Cancel && index + 1 < count)
            return ZipResult::MakeFailure(ZipFailure::Cancelled, QString());
    }
    m_archive.CloseArchive(ZipCloseMode::Normal);
    return ZipResult::Success();
}

ZipResult CCompressZip::DecompressEntry(CompressionRequest &request, int index)
{
    CFileHeader header;
    m_archive.GetEntryInfo(index, header);
    request.Size = header.UncompressedSize;
    request.BytesDone = 0;
    const bool directoryEntry = m_archive.IsEntryDirectory(index);
    QString outputPath = request.FilePath;
    if (!request.DestinationDir.isEmpty()) {
        const QString leaf = header.Name.mid(header.Name.lastIndexOf(QLatin1Char('/')) + 1);
        if (!isUsableLeaf(leaf, directoryEntry))
            return EntryNotOpened(header, request);
        outputPath = outputPathFor(request.DestinationDir, leaf);
    }
    if (directoryEntry) {
        // Only the directory is made; permission bits of directories do not follow DOS
        // attributes, where read-only has no meaning for a directory.
        const ZipSystemStatus status = ZipFileSystem::CreateDirectoryTree(outputPath);
        if (!status.Ok())
            throw CZipFileException(status.ErrorCode, outputPath);
        return ZipResult::Success();
    }
    if (!m_archive.OpenEntry(index))
        return EntryNotOpened(header, request);
    return UnpackFileEntry(request, outputPath);
}

ZipResult CCompressZip::UnpackFileEntry(CompressionRequest &request, const QString &outputPath)
{
    const QString parent = ZipFileSystem::ParentOf(outputPath);
    const ZipSystemStatus status = ZipFileSystem::CreateDirectoryTree(parent);
    if (!status.Ok())
        throw CZipFileException(status.ErrorCode, parent);
    // A missing file needs no clearing, and a file that stays read-only fails the open below.
    (void)m_attributes->ClearReadOnly(outputPath);
    request.FilePath = outputPath;
    CBigFile output;
    output.Open(outputPath, BigFileMode::CreateWrite);
    m_partial = PartialOutput{outputPath, request.DestinationDir.isEmpty() ? Disposal::Empty : Disposal::Remove};
    const ZipResult copied = CopyEntryIntoFile(request, output);
    output.Close();
    if (!copied)
        return copied;
    // The data is complete; a time or attribute that could not be set does not undo it.
    (void)m_archive.CloseEntry(outputPath);
    m_partial = PartialOutput();
    return ZipResult::Success();
}

ZipResult CCompressZip::CopyEntryIntoFile(CompressionRequest &request, CBigFile &output)
{
    uint8_t *chunk = Chunk();
    for (;;) {
        const size_t count = m_archive.ReadEntryData(chunk, ChunkSize);
        if (count > 0) {
            output.Write(chunk, count);
            request.BytesDone += static_cast<int64_t>(count);
            if (request.ProgressCallback)
                request.ProgressCallback(request);
        }
        if (count < ChunkSize)
            return ZipResult::Success();
        if (request.Cancel && request.BytesDone < request.Size)
            return ZipResult::MakeFailure(ZipFailure::Cancelled, QString());
        if (request.Cancel)
            return ZipResult::Success();
    }
}

ZipResult CCompressZip::EntryNotOpened(const CFileHeader &header, const CompressionRequest &request)
{
    const QString text = fillText(LoadStr(ZipStringId::EntryNotOpened), {header.Name, request.ArchivePath});
    return ZipResult::MakeFailure(ZipFailure::EntryNotOpened, text);
}
