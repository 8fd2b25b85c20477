#include "engine/CopyFileTimes.h"

#include "engine/CUtil.h"
#include "engine/JobContext.h"
#include "engine/RecordPathText.h"
#include "engine/TextFormat.h"
#include "engine/TimeFormat.h"
#include "platform/FileTimeTransfer.h"

#include <cerrno>

namespace {

// Errors that mean the file could not be reached at all, as opposed to a file that was
// found but refused to give or take its times.
bool IsUnreachable(int error)
{
    return error == ENOENT || error == ENOTDIR || error == EACCES || error == ELOOP || error == ENAMETOOLONG;
}

QString FailureText(platform::TimeTransferStep step, const CProgressData &record, int error)
{
    const bool onSource = step == platform::TimeTransferStep::ReadSource;
    const QString &path = onSource ? record.SourcePath : record.TargetPath;
    const int stringId = IsUnreachable(error) ? 317 : (onSource ? 316 : 315);
    return FormatStr(stringId, {TimeStamp(), RecordPathText(path), CUtil::GetErrorText(error)});
}

} // namespace

bool CopyFileTimes(JobContext &job)
{
    platform::TimeTransferStep failedStep = platform::TimeTransferStep::None;
    if (platform::TransferFileTimes(job.Record.SourcePath, job.Record.TargetPath, &failedStep))
        return true;
    job.Record.MessageText = FailureText(failedStep, job.Record, CUtil::LastError());
    return false;
}
