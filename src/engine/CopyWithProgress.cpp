#include "engine/CopyWithProgress.h"

#include "engine/CUtil.h"
#include "engine/DirectoryCreation.h"
#include "engine/FileProgress.h"
#include "engine/JobContext.h"
#include "engine/RecordPathText.h"
#include "engine/RunContext.h"
#include "engine/TextFormat.h"
#include "engine/TimeFormat.h"
#include "model/CViewData.h"
#include "platform/CopyFile.h"

#include <cerrno>

namespace {

constexpr quint64 kCopyStartMask = UPD_PCT2_FILE | UPD_BAR2_FILE | UPD_BAR2_RESET | UPD_COUNT_FILE_OF | UPD_TARGET
                                   | UPD_SOURCE | UPD_ACT_COPY;

platform::CopyProgressAction CopyProgressRoutine(JobContext &job, qint64 totalBytes, qint64 bytesDone)
{
    if (IsLargeFile(totalBytes) && bytesDone != 0) {
        job.Record.FileBytesDone = bytesDone;
        job.Pane(UPD_PCT2_FILE | UPD_BAR2_FILE);
    }
    return job.IsCancelled() ? platform::CopyProgressAction::Cancel : platform::CopyProgressAction::Continue;
}

bool CopyOnce(JobContext &job, platform::CopyTimes times)
{
    const auto routine = [&job](qint64 totalBytes, qint64 bytesDone) {
        return CopyProgressRoutine(job, totalBytes, bytesDone);
    };
    return platform::CopyFileWithProgress(job.Record.SourcePath, job.Record.TargetPath, routine, nullptr,
                                          platform::kDefaultCopyChunkBytes, times);
}

// A Kopierdatei names pairs whose target directories may be gone since it was written.
bool CreateTargetDirectory(JobContext &job)
{
    const QString directory = CUtil::GetDirectoryPart(job.Record.TargetPath);
    if (CreateDirectoryTree(directory))
        return true;
    job.Record.MessageText
        = FormatStr(405, {TimeStamp(), RecordPathText(directory), CUtil::GetErrorText(CUtil::LastError())});
    return false;
}

// True when the target was read-only and now is writable. The copy refuses such a target
// with EACCES, so the attribute is only examined after that refusal instead of before every
// copy.
bool ClearReadOnlyTarget(JobContext &job)
{
    bool wasReadOnly = false;
    if (!CUtil::ClearReadOnlyAttribute(job.Record.TargetPath, &wasReadOnly) || !wasReadOnly)
        return false;
    job.Info(FormatStr(325, {TimeStamp(), RecordPathText(job.Record.TargetPath)}));
    return true;
}

} // namespace

bool CopyWithProgress(JobContext &job, platform::CopyTimes times)
{
    CProgressData &record = job.Record;
    record.FileBytesDone = 0;
    record.MessageText.clear();
    if (AnnouncesFile(record))
        job.Pane(kCopyStartMask);
    if (job.Run.Params().RetryRun && !CreateTargetDirectory(job))
        return false;
    if (CopyOnce(job, times))
        return true;
    int error = CUtil::LastError();
    if (error == EACCES && ClearReadOnlyTarget(job)) {
        if (CopyOnce(job, times))
            return true;
        error = CUtil::LastError();
    }
    record.MessageText = FormatStr(406, {TimeStamp(), RecordPathText(record.SourcePath), RecordPathText(record.TargetPath),
                                            CUtil::GetErrorText(error)});
    return false;
}
