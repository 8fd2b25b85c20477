#pragma once

#include "model/CListData.h"

#include <QString>

namespace model {

class ArchiveReader;
class ArchiveWriter;
struct CPageDateien;
struct CPageDatum;
struct CPageMuster;
struct CPageOption;
struct CPagePruefdatei;
struct CPageUnzip;
struct CPageZip;

// The record versions this program writes. Readers accept every older version.
namespace RecordVersion {
inline constexpr quint32 ListData = 2;
inline constexpr quint32 Option = 15;
inline constexpr quint32 Muster = 1;
inline constexpr quint32 Dateien = 2;
inline constexpr quint32 Datum = 2;
inline constexpr quint32 Zip = 2;
inline constexpr quint32 Pruefdatei = 1;
inline constexpr quint32 Unzip = 1;
} // namespace RecordVersion

// Two fields that the group "Option" carried before the check file got a page of its own:
// the check-file path (record versions 3 to 8) and the checksum flag (version 8 only).
// A project of view version 1 moves them into the group "Prüfdatei".
struct LegacyCheckFileFields {
    QString CheckFile;
    qint32 ChecksumEnabled = 0;
};

// Each group writes its record in the current version and reads any version. A reader leaves
// the fields an older version does not carry as they are; a failure is left in the reader.
void WriteRecord(ArchiveWriter &out, const CListData &job);
void ReadRecord(ArchiveReader &in, CListData &job);

void WriteRecord(ArchiveWriter &out, const CPageOption &group);
void ReadRecord(ArchiveReader &in, CPageOption &group, LegacyCheckFileFields &legacy);

void WriteRecord(ArchiveWriter &out, const CPageMuster &group);
void ReadRecord(ArchiveReader &in, CPageMuster &group);

void WriteRecord(ArchiveWriter &out, const CPageDateien &group);
void ReadRecord(ArchiveReader &in, CPageDateien &group);

void WriteRecord(ArchiveWriter &out, const CPageDatum &group);
void ReadRecord(ArchiveReader &in, CPageDatum &group);

void WriteRecord(ArchiveWriter &out, const CPageZip &group);
void ReadRecord(ArchiveReader &in, CPageZip &group);

void WriteRecord(ArchiveWriter &out, const CPagePruefdatei &group);
void ReadRecord(ArchiveReader &in, CPagePruefdatei &group);

void WriteRecord(ArchiveWriter &out, const CPageUnzip &group);
void ReadRecord(ArchiveReader &in, CPageUnzip &group);

} // namespace model
