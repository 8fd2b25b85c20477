#include "engine/CopyOneFile.h"

#include "engine/CUtil.h"
#include "engine/CompareFiles.h"
#include "engine/CopiedArchive.h"
#include "engine/CopyFileTimes.h"
#include "engine/CopyWithProgress.h"
#include "engine/FileListLines.h"
#include "engine/JobContext.h"
#include "engine/RecordPathText.h"
#include "engine/RunContext.h"
#include "engine/TextFormat.h"
#include "engine/TimeFormat.h"
#include "model/CViewData.h"

namespace {

enum class Stage { Copied, Unpacked };

void ReportFailure(JobContext &job)
{
    job.ErrorLogged(job.Record.MessageText);
}

// Only a target that the copy completed and the comparison rejected is deleted here. A copy
// that fails removes what it had written itself; a target it never touched is the previous
// copy of the file, or even the source itself reached through another name, and stays.
void DeleteRejectedTarget(JobContext &job)
{
    const QString &target = job.Record.TargetPath;
    bool wasReadOnly = false;
    if (CUtil::ClearReadOnlyAttribute(target, &wasReadOnly) && wasReadOnly)
        job.Info(FormatStr(325, {TimeStamp(), RecordPathText(target)}));
    bool existed = false;
    if (!CUtil::DeleteFileForced(target, &existed) && existed)
        job.Info(FormatStr(337, {TimeStamp(), RecordPathText(target), CUtil::GetErrorText(CUtil::LastError())}));
}

bool FailureEnd(JobContext &job)
{
    CPruefdatei &checkFile = job.Run.Params().CheckFileData;
    if (checkFile.IsEnabled())
        checkFile.RemoveEntry(job.Record.CheckKey);
    WriteRetryLine(job);
    return false;
}

void CountCopiedFile(CProgressData &record)
{
    record.BytesDone += record.FileSize;
    ++record.FilesDone;
    if (record.Compressed)
        record.CompressedBytes += record.CompressedSize;
    else
        ++record.UncompressedFiles;
}

void ResetSourceArchiveBit(JobContext &job)
{
    bool wasSet = false;
    if (!CUtil::ClearArchiveAttribute(job.Record.ListedSource, &wasSet))
        job.InfoLogged(FormatStr(375, {RecordPathText(job.Record.ListedSource), TimeStamp()}));
}

void DeleteCopiedSource(JobContext &job)
{
    bool existed = false;
    if (!CUtil::DeleteFileForced(job.Record.ListedSource, &existed) && existed)
        job.Info(FormatStr(428, {TimeStamp(), RecordPathText(job.Record.ListedSource),
                                CUtil::GetErrorText(CUtil::LastError())}));
}

bool SuccessEnd(JobContext &job, TargetRoot targetRoot, const QString &checksum)
{
    CViewData &params = job.Run.Params();
    CountCopiedFile(job.Record);
    WriteCopiedLine(job);
    CPruefdatei &checkFile = params.CheckFileData;
    if (checkFile.IsEnabled())
        checkFile.SetEntry(job.Record.CheckKey, job.Record.FileTime, job.Record.FileSize, checksum);
    if (params.ResetArchiveBit)
        ResetSourceArchiveBit(job);
    // The job's temporary target file is overwritten by the next file and deleted at the
    // end of the job, so it is no copy that would allow the source to go.
    if (params.DeleteSourceAfterCopy && targetRoot == TargetRoot::Present)
        DeleteCopiedSource(job);
    return true;
}

// The archive's content now lies beside it; an archive that stays is only a spare copy.
void DeleteUnpackedArchive(JobContext &job)
{
    bool existed = false;
    if (!CUtil::DeleteFileForced(job.Record.TargetPath, &existed) && existed)
        job.Info(FormatStr(337, {TimeStamp(), RecordPathText(job.Record.TargetPath),
                                 CUtil::GetErrorText(CUtil::LastError())}));
}

bool IsArchiveToUnpack(const JobContext &job)
{
    return job.Run.Params().DecompressFiles
        && CUtil::GetExtension(job.Record.TargetPath).compare(QStringLiteral(".zip"), Qt::CaseInsensitive) == 0;
}

// Step after a successful copy for DecompressFiles. A failure is counted and logged but the
// archive is then kept as an ordinary copied file.
Stage UnpackIfArchive(JobContext &job)
{
    if (!IsArchiveToUnpack(job))
        return Stage::Copied;
    const UnpackResult result = UnpackCopiedArchive(job);
    switch (result.Outcome) {
    case UnpackOutcome::Unpacked:
        DeleteUnpackedArchive(job);
        return Stage::Unpacked;
    case UnpackOutcome::Failed:
        ++job.Record.ErrorCount;
        job.Log.WriteLine(FormatStr(409, {result.ErrorText}));
        return Stage::Copied;
    case UnpackOutcome::NotUnpacked:
        break;
    }
    return Stage::Copied;
}

enum class CopyOutcome { Copied, CopyFailed, CompareFailed };

// Where the file times are carried over. When nothing reads the target between the copy and
// the transfer of the times, the copy itself sets both times as they are once it has read
// the source, exactly what the transfer would set, and the transfer is left out: it would
// look the source up once more and write the target's times a second time. A comparison or
// the unpacking of an archive reads the target and may move its access time, so after them
// the times are still carried over as a step of their own.
enum class TimesStep { WithTheCopy, AfterTheCopy };

TimesStep TimesStepFor(const JobContext &job)
{
    if (job.Run.Params().CompareAfterCopy || IsArchiveToUnpack(job))
        return TimesStep::AfterTheCopy;
    return TimesStep::WithTheCopy;
}

CopyOutcome CopyAndCompare(JobContext &job, TimesStep timesStep)
{
    const platform::CopyTimes times = timesStep == TimesStep::WithTheCopy ? platform::CopyTimes::AccessAndModification
                                                                         : platform::CopyTimes::Modification;
    if (!CopyWithProgress(job, times))
        return CopyOutcome::CopyFailed;
    if (job.Run.Params().CompareAfterCopy && !CompareFiles(job))
        return CopyOutcome::CompareFailed;
    return CopyOutcome::Copied;
}

} // namespace

bool CopyOneFile(JobContext &job, TargetRoot targetRoot, const QString &checksum)
{
    const TimesStep timesStep = TimesStepFor(job);
    const CopyOutcome outcome = CopyAndCompare(job, timesStep);
    if (outcome != CopyOutcome::Copied) {
        ReportFailure(job);
        if (outcome == CopyOutcome::CompareFailed && job.Run.Params().DeleteTargetOnError
            && targetRoot == TargetRoot::Present)
            DeleteRejectedTarget(job);
        return FailureEnd(job);
    }
    if (UnpackIfArchive(job) == Stage::Unpacked)
        return SuccessEnd(job, targetRoot, checksum);
    if (timesStep == TimesStep::AfterTheCopy && !CopyFileTimes(job)) {
        ReportFailure(job);
        return FailureEnd(job);
    }
    return SuccessEnd(job, targetRoot, checksum);
}
