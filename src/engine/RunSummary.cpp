#include "engine/JobContext.h"
#include "engine/JobSteps.h"
#include "engine/RunContext.h"
#include "engine/SummaryLines.h"
#include "model/CViewData.h"
#include "platform/UserInfo.h"

namespace {

void writeLines(CProtokolldatei &log, const QStringList &lines)
{
    for (const QString &line : lines)
        log.WriteLine(line);
}

} // namespace

void WriteJobSummary(JobContext &job)
{
    if (!job.Log.IsOpen())
        return;
    writeLines(job.Log, JobSummaryLines(job.Record, job.JobStart, QDateTime::currentDateTime()));
}

void WriteRunSummary(CProtokolldatei &log, RunContext &run, int activeJobCount,
                     const QDateTime &runStart, const QDateTime &runEnd)
{
    RunSummaryFacts facts;
    facts.ActiveJobCount = activeJobCount;
    facts.RunStart = runStart;
    facts.RunEnd = runEnd;
    facts.UserIsAdmin = platform::IsUserAdmin();
    facts.Version = ProgramVersionText();
    writeLines(log, RunSummaryLines(run.Params(), run.Summary().Snapshot(), facts));
}
