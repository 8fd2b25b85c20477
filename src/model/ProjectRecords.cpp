#include "model/ProjectRecords.h"

#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"
#include "model/CPageDateien.h"
#include "model/CPageDatum.h"
#include "model/CPageMuster.h"
#include "model/CPageOption.h"
#include "model/CPagePruefdatei.h"
#include "model/CPageUnzip.h"
#include "model/CPageZip.h"
#include "model/DateFolderFormat.h"

namespace model {

namespace {

// The field helpers change a field only when its read succeeded, so a file that ends inside a
// record leaves the fields after the break as they were.
void readValue(ArchiveReader &in, qint32 &field)
{
    const quint32 value = in.ReadDword();
    if (!in.Failed())
        field = qint32(value);
}

void readValue(ArchiveReader &in, quint32 &field)
{
    const quint32 value = in.ReadDword();
    if (!in.Failed())
        field = value;
}

void readValue(ArchiveReader &in, QString &field)
{
    QString value = in.ReadString();
    if (!in.Failed())
        field = std::move(value);
}

void readDateFolderFormatId(ArchiveReader &in, CPageOption &group)
{
    qint32 id = group.DateFolderFormatId;
    readValue(in, id);
    // An id that no date-folder entry has leaves the selection as it was.
    if (IsDateFolderFormatId(id))
        group.DateFolderFormatId = id;
}

void readOptionBase(ArchiveReader &in, CPageOption &group)
{
    readValue(in, group.ThreadCount);
    readValue(in, group.OnlyArchiveBit);
    readValue(in, group.CompareAfterCopy);
    readValue(in, group.AppendDateToTarget);
    readValue(in, group.ResetArchiveBit);
    readValue(in, group.DeleteTargetOnError);
    readValue(in, group.StartMinimized);
    readValue(in, group.ExitAfterCopy);
    readValue(in, group.LogFile);
}

void readOptionLaterFields(ArchiveReader &in, quint32 version, CPageOption &group)
{
    if (version >= 10) {
        readValue(in, group.CopyDirectoryRights);
        readValue(in, group.DirectoriesOnly);
    }
    if (version >= 11)
        readValue(in, group.LongFileNames);
    if (version >= 12)
        readValue(in, group.ShowStatusAtNextStart);
    if (version >= 13)
        readValue(in, group.DeleteEmptyTargetDirs);
    if (version >= 14)
        readValue(in, group.IncludeRootDir);
    if (version >= 15)
        readValue(in, group.DeleteSourceAfterCopy);
}

} // namespace

void WriteRecord(ArchiveWriter &out, const CListData &job)
{
    out.WriteDword(RecordVersion::ListData);
    out.WriteBool(job.Active);
    out.WriteBool(job.WithSubdirs);
    out.WriteString(job.SourceDir);
    out.WriteString(job.TargetDir);
}

void ReadRecord(ArchiveReader &in, CListData &job)
{
    const quint32 version = in.ReadDword();
    readValue(in, job.Active);
    if (version < 2)
        in.ReadDword();
    readValue(in, job.WithSubdirs);
    readValue(in, job.SourceDir);
    readValue(in, job.TargetDir);
}

void WriteRecord(ArchiveWriter &out, const CPageOption &group)
{
    out.WriteDword(RecordVersion::Option);
    out.WriteDword(quint32(group.ThreadCount));
    out.WriteBool(group.OnlyArchiveBit);
    out.WriteBool(group.CompareAfterCopy);
    out.WriteBool(group.AppendDateToTarget);
    out.WriteBool(group.ResetArchiveBit);
    out.WriteBool(group.DeleteTargetOnError);
    out.WriteBool(group.StartMinimized);
    out.WriteBool(group.ExitAfterCopy);
    out.WriteString(group.LogFile);
    out.WriteBool(group.ScanOnly);
    out.WriteBool(group.OnlyExistingInTarget);
    out.WriteBool(group.OnlyMissingInTarget);
    out.WriteBool(group.ShutdownAfterCopy);
    out.WriteBool(group.RebootAfterShutdown);
    out.WriteBool(group.Autostart);
    out.WriteDword(quint32(group.DateFolderFormatId));
    out.WriteBool(group.CopyDirectoryRights);
    out.WriteBool(group.DirectoriesOnly);
    out.WriteBool(group.LongFileNames);
    out.WriteBool(group.ShowStatusAtNextStart);
    out.WriteBool(group.DeleteEmptyTargetDirs);
    out.WriteBool(group.IncludeRootDir);
    out.WriteBool(group.DeleteSourceAfterCopy);
}

void ReadRecord(ArchiveReader &in, CPageOption &group, LegacyCheckFileFields &legacy)
{
    const quint32 version = in.ReadDword();
    readOptionBase(in, group);
    if (version >= 2)
        readValue(in, group.ScanOnly);
    if (version >= 3 && version <= 8)
        readValue(in, legacy.CheckFile);
    if (version >= 4) {
        readValue(in, group.OnlyExistingInTarget);
        readValue(in, group.OnlyMissingInTarget);
    }
    if (version >= 5) {
        readValue(in, group.ShutdownAfterCopy);
        readValue(in, group.RebootAfterShutdown);
    }
    if (version >= 6)
        readValue(in, group.Autostart);
    if (version >= 7)
        readDateFolderFormatId(in, group);
    // Version 8 ends with the checksum flag that later moved to the group "Prüfdatei".
    if (version == 8) {
        readValue(in, legacy.ChecksumEnabled);
        return;
    }
    readOptionLaterFields(in, version, group);
}

void WriteRecord(ArchiveWriter &out, const CPageMuster &group)
{
    out.WriteDword(RecordVersion::Muster);
    out.WriteBool(group.FileIncludeEnabled);
    out.WriteBool(group.FileExcludeEnabled);
    out.WriteString(group.FileIncludePatterns);
    out.WriteString(group.FileExcludePatterns);
    out.WriteBool(group.DirIncludeEnabled);
    out.WriteBool(group.DirExcludeEnabled);
    out.WriteString(group.DirIncludePatterns);
    out.WriteString(group.DirExcludePatterns);
}

void ReadRecord(ArchiveReader &in, CPageMuster &group)
{
    in.ReadDword();
    readValue(in, group.FileIncludeEnabled);
    readValue(in, group.FileExcludeEnabled);
    readValue(in, group.FileIncludePatterns);
    readValue(in, group.FileExcludePatterns);
    readValue(in, group.DirIncludeEnabled);
    readValue(in, group.DirExcludeEnabled);
    readValue(in, group.DirIncludePatterns);
    readValue(in, group.DirExcludePatterns);
}

void WriteRecord(ArchiveWriter &out, const CPageDateien &group)
{
    out.WriteDword(RecordVersion::Dateien);
    out.WriteString(group.CopiedListFile);
    out.WriteString(group.RetryListFile);
    out.WriteString(group.SkippedListFile);
    out.WriteBool(group.DeleteRetryListAtEnd);
    out.WriteBool(group.DeleteCopiedListAtEnd);
    out.WriteBool(group.DeleteSkippedListAtEnd);
}

void ReadRecord(ArchiveReader &in, CPageDateien &group)
{
    const quint32 version = in.ReadDword();
    readValue(in, group.CopiedListFile);
    readValue(in, group.RetryListFile);
    readValue(in, group.SkippedListFile);
    if (version < 2)
        return;
    readValue(in, group.DeleteRetryListAtEnd);
    readValue(in, group.DeleteCopiedListAtEnd);
    readValue(in, group.DeleteSkippedListAtEnd);
}

void WriteRecord(ArchiveWriter &out, const CPageDatum &group)
{
    out.WriteDword(RecordVersion::Datum);
    out.WriteDword(quint32(group.DateFilterMode));
    out.WriteString(group.RelativeHours);
    out.WriteString(group.DateFromText);
    out.WriteString(group.DateToText);
    out.WriteString(group.RelativeDays);
}

void ReadRecord(ArchiveReader &in, CPageDatum &group)
{
    const quint32 version = in.ReadDword();
    readValue(in, group.DateFilterMode);
    readValue(in, group.RelativeHours);
    readValue(in, group.DateFromText);
    readValue(in, group.DateToText);
    if (version >= 2)
        readValue(in, group.RelativeDays);
}

void WriteRecord(ArchiveWriter &out, const CPageZip &group)
{
    out.WriteDword(RecordVersion::Zip);
    out.WriteBool(group.CompressFiles);
    out.WriteBool(group.VerifyCompressed);
    out.WriteBool(group.CompressExcludeEnabled);
    out.WriteString(group.CompressExcludePatterns);
    out.WriteDword(group.CompressMinSize);
    out.WriteDword(group.CompressMaxSizeMB);
}

void ReadRecord(ArchiveReader &in, CPageZip &group)
{
    const quint32 version = in.ReadDword();
    readValue(in, group.CompressFiles);
    readValue(in, group.VerifyCompressed);
    readValue(in, group.CompressExcludeEnabled);
    readValue(in, group.CompressExcludePatterns);
    if (version < 2)
        return;
    readValue(in, group.CompressMinSize);
    readValue(in, group.CompressMaxSizeMB);
}

void WriteRecord(ArchiveWriter &out, const CPagePruefdatei &group)
{
    out.WriteDword(RecordVersion::Pruefdatei);
    out.WriteString(group.CheckFile);
    out.WriteBool(group.ChecksumEnabled);
}

void ReadRecord(ArchiveReader &in, CPagePruefdatei &group)
{
    in.ReadDword();
    readValue(in, group.CheckFile);
    readValue(in, group.ChecksumEnabled);
}

void WriteRecord(ArchiveWriter &out, const CPageUnzip &group)
{
    out.WriteDword(RecordVersion::Unzip);
    out.WriteBool(group.DecompressFiles);
}

void ReadRecord(ArchiveReader &in, CPageUnzip &group)
{
    in.ReadDword();
    readValue(in, group.DecompressFiles);
}

} // namespace model
