#pragma once

#include "zip/CAutoBuffer.h"
#include "zip/CZipArchive.h"
#include "zip/CompressionRequest.h"
#include "zip/ZipResult.h"

#include <QString>

#include <functional>

class CBigFile;
class CZipAttributeAccess;

// Packs one file into a ZIP archive of its own and unpacks such archives again. One object
// per operation on the calling thread; the archive is closed when an operation ends.
// Nothing here throws: every failure comes back as the result, and the request's error
// text and callback are told as well.
class CCompressZip
{
public:
    // Data moves between files and the archive in chunks of this size in both directions.
    static constexpr size_t ChunkSize = 640000;

    CCompressZip();
    virtual ~CCompressZip();

    // The access used for file attributes; it must outlive this object.
    void SetAttributeAccess(const CZipAttributeAccess &access);

    // Creates the archive at ArchivePath with the single entry EntryName holding FilePath,
    // and the program's comment. On failure or cancel the archive file is left empty; the
    // caller, who named it, removes it.
    ZipResult Compress(CompressionRequest &request);

    // Unpacks every entry of ArchivePath into DestinationDir (or the single entry into
    // FilePath). A foreign archive with OwnArchivesOnly set is left alone: success, and
    // OwnArchivesOnly is cleared. An output that could not be written completely is removed
    // (destination directory) or left empty (FilePath).
    ZipResult Decompress(CompressionRequest &request);

    // The error text of the last failure; empty for archive errors and a cancel.
    const QString &ErrorText() const { return m_errorText; }

    // The comment that marks the program's own archives.
    static QString OwnArchiveComment();
    // Compares with the program's comment, folding only the ASCII letters.
    static bool IsOwnArchiveComment(const QString &comment);

private:
    enum class Disposal { Remove, Empty };
    struct PartialOutput {
        QString Path;
        Disposal How = Disposal::Empty;
    };

    void Begin(CompressionRequest &request, CompressionMode mode);
    ZipResult Guarded(const std::function<ZipResult()> &operation);
    ZipResult Finish(CompressionRequest &request, ZipResult result);
    void DiscardAfterFailure();
    uint8_t *Chunk();

    ZipResult CompressInto(CompressionRequest &request);
    ZipResult CopySourceIntoEntry(CompressionRequest &request, CBigFile &source);

    ZipResult DecompressAll(CompressionRequest &request);
    ZipResult DecompressEntry(CompressionRequest &request, int index);
    ZipResult UnpackFileEntry(CompressionRequest &request, const QString &outputPath);
    ZipResult CopyEntryIntoFile(CompressionRequest &request, CBigFile &output);
    static ZipResult EntryNotOpened(const CFileHeader &header, const CompressionRequest &request);

    CZipArchive m_archive;
    const CZipAttributeAccess *m_attributes;
    CAutoBuffer m_chunk;
    QString m_errorText;
    PartialOutput m_partial;
};
