#pragma once

#include "zip/CCentralDir.h"
#include "zip/CFileHeader.h"
#include "zip/CZipMemoryTracker.h"
#include "zip/CZipStorage.h"
#include "zip/ZipConstants.h"
#include "zip/ZipModes.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>

class CZipAttributeAccess;
class CZipInternalInfo;

// Outcome of BeginEntry.
struct ZipBeginResult {
    enum class Status {
        Begun,              // the entry was begun with the source's time and attributes
        SourceUnreadable,   // the entry was begun, but the source's status was not readable
        Refused,            // nothing was begun
    };
    Status Outcome = Status::Refused;
    int ErrorCode = 0;   // errno for SourceUnreadable

    explicit operator bool() const { return Outcome == Status::Begun; }
};

// Reader and writer of one ZIP archive (no encryption, no ZIP64, one volume; methods stored and
// deflated). An archive belongs to one thread. Errors other than the false results documented
// below are thrown as CZipException or CZipFileException; after a throw the archive must be
// closed with ZipCloseMode::AfterError. Exceptions never leave the ZIP module: CCompressZip is
// the interface for the rest of the program.
class CZipArchive
{
public:
    CZipArchive();
    ~CZipArchive();
    CZipArchive(const CZipArchive &) = delete;
    CZipArchive &operator=(const CZipArchive &) = delete;

    // The access used for file attributes; it must outlive the archive.
    void SetAttributeAccess(const CZipAttributeAccess &access);

    // Create: a new archive (file created or truncated). Open and OpenReadOnly: an existing
    // archive whose central directory is read at once.
    void OpenArchive(const QString &path, ZipOpenMode mode);
    // Does nothing when the archive is closed. A failing normal close releases everything
    // and then throws.
    void CloseArchive(ZipCloseMode mode = ZipCloseMode::Normal);
    bool IsArchiveClosed() const;

    // False when closed; otherwise used at the next directory write.
    bool SetArchiveComment(const QString &comment);
    QString GetArchiveComment() const;
    int GetEntryCount() const;
    bool GetEntryInfo(int index, CFileHeader &header) const;
    bool IsEntryDirectory(int index) const;
    // Bytes of other data in front of the archive in its file.
    int64_t BytesBeforeZip() const;

    // Begins an entry named by header.Name with the time and attributes of `sourcePath`
    // (when given). Refused when closed, read-only, an entry is open, or 65535 entries exist.
    ZipBeginResult BeginEntry(const CFileHeader &header, int level = ZipConst::DefaultCompressionLevel,
                              const QString &sourcePath = QString());
    // False unless an entry is being written. Refuses (TooLarge) data that would make the
    // entry 4 GiB or larger.
    bool WriteEntryData(const void *data, size_t count);
    bool EndEntry();

    // False for a bad index or when an entry is open; throws for a corrupt entry.
    bool OpenEntry(int index);
    // Uncompressed bytes delivered; fewer than `capacity` only at the end of the entry.
    size_t ReadEntryData(void *buffer, size_t capacity);
    // False when no entry is open, or when the output's time or attributes could not be set.
    // Throws on a CRC mismatch after a complete read and on a wrong data descriptor.
    bool CloseEntry(const QString &outputPath = QString());

private:
    enum class State { Idle, Writing, Reading };

    void ReleaseAll();
    bool IsIndexValid(int index) const;
    ZipBeginResult ReadSourceInfo(CFileHeader &header, const QString &sourcePath) const;
    void FillNewHeader(CFileHeader &header, int level) const;
    void PrepareAppend();
    void StartDeflate(int level);
    void WriteDeflated(const void *data, size_t count);
    void FinishDeflate();
    void PatchLocalHeader(const CFileHeader &header);
    void CheckLocalHeader(const CFileHeader &header);
    size_t ReadStored(uint8_t *buffer, size_t count);
    size_t ReadDeflated(uint8_t *buffer, size_t count);
    void ReadCompressedInput();
    bool ApplyEntryMetadata(const CFileHeader &header, const QString &outputPath) const;
    void CheckDataDescriptor(const CFileHeader &header);
    CFileHeader &CurrentHeader();

    CZipMemoryTracker m_tracker;
    CZipStorage m_storage;
    CCentralDir m_centralDir;
    std::unique_ptr<CZipInternalInfo> m_info;
    const CZipAttributeAccess *m_attributes;
    State m_state = State::Idle;
    int m_currentEntry = -1;
    int64_t m_dataOffset = 0;
    bool m_hasDataDescriptor = false;
};
