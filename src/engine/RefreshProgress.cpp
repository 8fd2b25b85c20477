#include "engine/RefreshProgress.h"

#include "engine/JobContext.h"
#include "engine/PaneRules.h"
#include "engine/RunContext.h"
#include "model/CViewData.h"

void RefreshProgress(JobContext &job)
{
    RunContext &run = job.Run;
    const CViewData &params = run.Params();
    const CProgressData &r = job.Record;
    job.Pane(UPD_COUNT_FILE_OF | UPD_TIME_BYTES | UPD_PCT1_BYTES | UPD_BAR1_BYTES | UPD_ACT_WORKING);

    RunProgress progress;
    progress.state = RunProgress::Running;
    progress.percent = r.TotalBytes > 0 ? int(r.BytesDone * 100 / r.TotalBytes) : 0;
    progress.errorCount = run.ErrorCount();
    progress.threadCount = params.ThreadCount;
    progress.jobCount = int(params.Jobs.size());
    progress.jobNumber = job.JobIndex + 1;
    run.Observer().OnRunProgress(progress);

    if (!params.RetryRun)
        run.SendJobStatus(job.JobIndex, PercentText(r.BytesDone, r.TotalBytes));
}
