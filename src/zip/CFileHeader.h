#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// One entry of an archive, with the fields of its central directory header in file order.
class CFileHeader
{
public:
    CFileHeader();

    bool IsDirectory() const;
    bool HasDataDescriptor() const;

    // The 30-byte local header followed by name and extra field.
    QByteArray LocalRecord() const;
    // The 46-byte central header followed by name, extra field and comment.
    QByteArray CentralRecord() const;

    // Parses the central header at `offset` of `directory` and moves `offset` behind it;
    // nothing when the bytes are no complete central header.
    static std::optional<CFileHeader> ParseCentral(const QByteArray &directory, qsizetype &offset);

    uint32_t Signature;
    uint16_t VersionMadeBy;
    uint16_t VersionNeeded;
    uint16_t Flags;
    uint16_t Method;
    uint16_t DosTime;
    uint16_t DosDate;
    uint32_t Crc32;
    uint32_t CompressedSize;
    uint32_t UncompressedSize;
    uint16_t NameLength;
    uint16_t ExtraLength;
    uint16_t CommentLength;
    uint16_t DiskNumberStart;
    uint16_t InternalAttributes;
    uint32_t ExternalAttributes;
    uint32_t LocalHeaderOffset;
    QString Name;
    QByteArray Extra;
    QString Comment;

    // The name as the headers hold it (code page 850).
    QByteArray StoredName;
};
