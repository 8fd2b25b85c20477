#include "engine/CompressToTemp.h"

#include "engine/CUtil.h"
#include "engine/CZipPlatformAttributes.h"
#include "engine/CompareFiles.h"
#include "engine/JobContext.h"
#include "engine/RunContext.h"
#include "engine/ZipProgress.h"
#include "model/CViewData.h"
#include "platform/FileName.h"
#include "zip/CCompressZip.h"

#include <QFile>

namespace {

constexpr quint64 kCompressStartMask = UPD_BAR2_RESET | UPD_ACT_COMPRESS | UPD_TARGET | UPD_SOURCE;
constexpr quint64 kVerifyStartMask = UPD_ACT_DECOMPRESS | UPD_BAR2_RESET | UPD_TARGET | UPD_SOURCE;

// The path below the job's source root, as the archive stores it ("sub/a.txt").
QString EntryNameOf(const QString &sourcePath, const QString &sourceRoot)
{
    QString name = sourcePath.mid(sourceRoot.size());
    while (name.startsWith(u'/'))
        name.remove(0, 1);
    return name;
}

// The ZIP component opens files through Qt's file-name encoding, which cannot reach a name
// that is not valid UTF-8; such a file is copied uncompressed rather than reported as
// unreadable, and its name could not be stored faithfully in the archive anyway.
bool ZipCanReach(const QString &path)
{
    return QFile::encodeName(path) == platform::EncodeFileName(path);
}

void DeleteTempFile(const QString &path)
{
    bool existed = false;
    CUtil::DeleteFileForced(path, &existed);
}

bool CompressInto(JobContext &job, CProgressData &display, const QString &archive)
{
    const CProgressData &record = job.Record;
    display.SourcePath = record.SourcePath;
    display.TargetPath = archive;
    job.Run.SendPane(display, kCompressStartMask);
    CompressionRequest request;
    request.ProgressCallback = MakeZipProgressCallback(job.Run, display);
    request.Size = record.FileSize;
    request.FilePath = record.SourcePath;
    request.EntryName = EntryNameOf(record.SourcePath, record.SourceRoot);
    request.ArchivePath = archive;
    CCompressZip zip;
    zip.SetAttributeAccess(CZipPlatformAttributes::Instance());
    return zip.Compress(request).IsSuccess();
}

bool UnpackInto(JobContext &job, CProgressData &display, const QString &archive, const QString &output)
{
    display.SourcePath = archive;
    display.TargetPath = output;
    job.Run.SendPane(display, kVerifyStartMask);
    CompressionRequest request;
    request.ProgressCallback = MakeZipProgressCallback(job.Run, display);
    request.OwnArchivesOnly = false;
    request.FilePath = output;
    request.ArchivePath = archive;
    CCompressZip zip;
    zip.SetAttributeAccess(CZipPlatformAttributes::Instance());
    return zip.Decompress(request).IsSuccess();
}

// The comparison runs on the copy of the record; its message stays there and is not shown,
// because the file is then simply copied uncompressed.
bool EqualsSource(JobContext &job, const CProgressData &display, const QString &output)
{
    JobContext verifier(job.Run, job.Job, job.JobIndex, job.Record.Pane);
    verifier.Record = display;
    verifier.Record.SourcePath = job.Record.SourcePath;
    verifier.Record.TargetPath = output;
    return CompareFiles(verifier);
}

bool VerifyArchive(JobContext &job, CProgressData &display, const QString &archive)
{
    const QString output = CUtil::MakeTempFileName();
    if (output.isEmpty())
        return false;
    const bool verified = UnpackInto(job, display, archive, output) && EqualsSource(job, display, output);
    DeleteTempFile(output);
    return verified;
}

} // namespace

bool CompressToTemp(JobContext &job, QString *archivePath)
{
    archivePath->clear();
    if (!ZipCanReach(job.Record.SourcePath))
        return false;
    const QString archive = CUtil::MakeTempFileName();
    if (archive.isEmpty())
        return false;
    CProgressData display = job.Record;
    bool made = CompressInto(job, display, archive);
    if (made && job.Run.Params().VerifyCompressed)
        made = VerifyArchive(job, display, archive);
    if (!made) {
        DeleteTempFile(archive);
        return false;
    }
    *archivePath = archive;
    return true;
}
