#include "engine/JobWorker.h"

#include "engine/JobContext.h"
#include "engine/JobSteps.h"
#include "engine/RetryListRestore.h"
#include "engine/RunContext.h"
#include "engine/TextFormat.h"
#include "engine/TimeFormat.h"
#include "model/CViewData.h"
#include "resources/Strings.h"

namespace {

void openRecordFiles(JobContext &job, const CViewData &params)
{
    if (!params.LogFile.isEmpty() && job.Log.OpenTemp())
        job.Info(FormatStr(338, {qint64(job.JobIndex)}));
    if (job.Log.IsOpen()) {
        job.Log.WriteLine(QString(81, u'*'));
        job.Log.WriteLine(FormatStr(339, {qint64(job.JobIndex),
                                          FormatDateTime(LoadStr(304), job.JobStart)}));
    }
    if (!params.CopiedListFile.isEmpty())
        job.CopiedList.OpenTemp();
    if (!params.RetryListFile.isEmpty())
        job.RetryList.OpenTemp();
    if (!params.SkippedListFile.isEmpty())
        job.SkippedList.OpenTemp();
}

// Without a temporary file for the new retry list, the pairs that fail again would be lost
// along with the list the run deleted at its start; the pairs are then not run and go back
// into the list unchanged.
void runRetryPairs(JobContext &job, const CViewData &params)
{
    if (params.RetryListFile.isEmpty() || job.RetryList.IsOpen()) {
        RetryRunWorker(job);
        return;
    }
    job.ErrorLogged(FormatStr(5002, {TimeStamp(), params.RetryListFile}));
    QString error;
    if (!RestoreRetryPairs(params, &error))
        job.ErrorLogged(FormatStr(5003, {TimeStamp(), params.RetryListFile, error}));
}

void runJobBody(JobContext &job, const CViewData &params)
{
    if (params.RetryRun) {
        runRetryPairs(job, params);
        return;
    }
    RunJob(job);
    DeleteEmptyTargetStage(job);
    DeleteEmptySourceStage(job);
}

void appendRecordFile(JobContext &job, CProtokolldatei &file, const QString &path)
{
    if (!file.IsOpen())
        return;
    QString error;
    if (!file.AppendTo(path, &error))
        job.Info(error);
}

void finishRecordFiles(JobContext &job, const CViewData &params)
{
    if (job.Log.IsOpen()) {
        WriteJobSummary(job);
        appendRecordFile(job, job.Log, params.LogFile);
    }
    appendRecordFile(job, job.CopiedList, params.CopiedListFile);
    appendRecordFile(job, job.RetryList, params.RetryListFile);
    appendRecordFile(job, job.SkippedList, params.SkippedListFile);
}

} // namespace

void JobWorker(RunContext &run, const CListData *jobData, int jobIndex, int pane)
{
    const CViewData &params = run.Params();
    JobContext job(run, jobData, jobIndex, pane);
    job.Info(FormatStr(323, {qint64(jobIndex)}));
    openRecordFiles(job, params);

    runJobBody(job, params);

    if (run.IsCancelled()) {
        job.Error(LoadStr(364));
        job.Log.WriteLine(LoadStr(365));
    }
    run.Summary().Accumulate(job.Record);
    job.Pane(UPD_ACT_DONE);
    if (!params.RetryRun)
        run.SendJobStatus(jobIndex, FormatText(QStringLiteral("Fertig: %d Fehler"),
                                               {qint64(job.Record.ErrorCount)}));
    job.Info(FormatStr(324, {qint64(jobIndex), qint64(job.Record.ErrorCount)}));
    finishRecordFiles(job, params);
}
