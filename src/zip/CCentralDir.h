#pragma once

#include "zip/CFileHeader.h"

#include <QString>

#include <cstdint>
#include <vector>

class CBigFile;
class CZipStorage;

// Fields of the end of central directory record.
struct CEndRecord {
    uint16_t ThisDisk = 0;
    uint16_t DirectoryDisk = 0;
    uint16_t EntriesOnDisk = 0;
    uint16_t TotalEntries = 0;
    uint32_t DirectorySize = 0;
    uint32_t DirectoryOffset = 0;
    uint16_t CommentLength = 0;
};

// The entry table of an archive with its end record: read from an existing archive, kept
// while entries are added, and written when the archive is closed.
class CCentralDir
{
public:
    void Clear();

    // Finds the end record and reads the comment and every central header (throws).
    void Read(CZipStorage &storage);
    // Writes every central header and the end record at the end of the archive, unless the
    // directory read from the file is still there unchanged.
    void Write(CZipStorage &storage);

    std::vector<CFileHeader> &Headers() { return m_headers; }
    const std::vector<CFileHeader> &Headers() const { return m_headers; }
    const QString &Comment() const { return m_comment; }
    void SetComment(const QString &comment) { m_comment = comment; }
    const CEndRecord &EndRecord() const { return m_end; }

    // Number of bytes in front of the archive (a self-extractor stub, for example); every
    // stored offset is relative to the first byte after them.
    int64_t BytesBeforeZip() const { return m_bytesBeforeZip; }
    int64_t EndRecordPosition() const { return m_endRecordPosition; }
    // Absolute file position of the directory that was read.
    int64_t DirectoryPosition() const { return m_bytesBeforeZip + m_end.DirectoryOffset; }
    bool IsDirectoryOnDisk() const { return m_directoryOnDisk; }
    void MarkDirectoryChanged() { m_directoryOnDisk = false; }

    // Position of the end record signature nearest to the end of the file; -1 when the
    // last 65557 bytes hold none.
    static int64_t FindEndRecord(CBigFile &file);

private:
    void ReadEndRecord(CBigFile &file, const QString &path);
    void CheckEndRecord(const QString &path);
    void ReadHeaders(CBigFile &file, const QString &path);
    void WriteEndRecord(CZipStorage &storage);

    CEndRecord m_end;
    QString m_comment;
    std::vector<CFileHeader> m_headers;
    int64_t m_endRecordPosition = 0;
    int64_t m_bytesBeforeZip = 0;
    bool m_directoryOnDisk = false;
};
