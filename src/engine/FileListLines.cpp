#include "engine/FileListLines.h"

#include "engine/JobContext.h"
#include "engine/RecordPathText.h"
#include "engine/TextFormat.h"
#include "engine/TimeFormat.h"

namespace {

bool FitsRetryLine(const QString &path)
{
    return !path.contains(u'|') && !path.contains(u'\r') && !path.contains(u'\n');
}

} // namespace

void WriteCopiedLine(JobContext &job)
{
    if (job.CopiedList.IsOpen())
        job.CopiedList.WriteLine(FormatStr(360, {RecordPathText(job.Record.ListedSource)}));
}

void WriteRetryLine(JobContext &job)
{
    if (!job.RetryList.IsOpen())
        return;
    const QString &source = job.Record.ListedSource;
    const QString &target = job.Record.ListedTarget;
    if (FitsRetryLine(source) && FitsRetryLine(target)) {
        job.RetryList.WriteLine(FormatStr(359, {source, target}));
        return;
    }
    job.InfoLogged(FormatStr(5200, {TimeStamp(), RecordPathText(source), RecordPathText(target)}));
}
