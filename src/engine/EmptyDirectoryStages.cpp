#include "engine/JobSteps.h"

#include "engine/EmptyDirectories.h"
#include "engine/JobContext.h"
#include "engine/RecordPathText.h"
#include "engine/RefreshTimer.h"
#include "engine/RunContext.h"
#include "engine/TextFormat.h"
#include "model/CListData.h"
#include "model/CViewData.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kTargetStageSummary = 422;
constexpr int kSourceStageSummary = 429;

enum class RootRemoval { Never, WhenEmpty };

// How one of the two clean-up stages shows itself in the pane.
struct StageView {
    quint64 StartMask;
    quint64 ProgressMask;
    quint64 EndMask;
    QString CProgressData::*PathText; // the pane line that shows the directory being cleaned
    int SummaryId;
};

const StageView kTargetStage{
    UPD_COUNT_SEARCHED | UPD_BAR1_RESET | UPD_BAR2_RESET | UPD_TARGET_ALT | UPD_SOURCE | UPD_ACT_DEL_TARGET,
    UPD_COUNT_SEARCHED | UPD_TARGET_ALT,
    UPD_COUNT_SEARCHED,
    &CProgressData::AltTargetText,
    kTargetStageSummary,
};

const StageView kSourceStage{
    UPD_COUNT_DELETED | UPD_BAR1_RESET | UPD_BAR2_RESET | UPD_SOURCE_ALT | UPD_TARGET_ALT | UPD_ACT_DEL_SOURCE,
    UPD_COUNT_DELETED | UPD_SOURCE_ALT,
    UPD_COUNT_DELETED,
    &CProgressData::AltSourceText,
    kSourceStageSummary,
};

bool StagesMayRun(const JobContext &job)
{
    return job.Job && !job.IsCancelled() && !job.Run.Params().ScanOnly;
}

void RunStage(JobContext &job, const QString &root, const StageView &view, RootRemoval rootRemoval)
{
    CProgressData &record = job.Record;
    record.AltTargetText.clear();
    record.AltSourceText.clear();
    record.SourcePath.clear();
    record.StageDeletedCount = 0;
    record.StageSearchedCount = 0;
    job.Pane(view.StartMask);

    RefreshTimer display;
    EmptyDirCleanup cleanup;
    cleanup.CurrentPath = root;
    cleanup.Cancelled = [&job] { return job.IsCancelled(); };
    cleanup.Callback = [&](const QString &text, EmptyDirCleanup &state) {
        if (!display.Due(CurrentTick()))
            return;
        record.*view.PathText = RecordPathText(text);
        record.StageDeletedCount = state.DeletedCount;
        record.StageSearchedCount = state.SearchedCount;
        job.Pane(view.ProgressMask);
    };
    DeleteEmptyDirectories(cleanup);
    if (rootRemoval == RootRemoval::WhenEmpty && !job.IsCancelled() && platform::RemoveDirectory(root))
        ++cleanup.DeletedCount;

    record.StageDeletedCount = cleanup.DeletedCount;
    record.StageSearchedCount = cleanup.SearchedCount;
    job.Pane(view.EndMask);
    job.InfoLogged(FormatStr(view.SummaryId, {qint64(cleanup.DeletedCount), qint64(cleanup.SearchedCount)}));
}

} // namespace

void DeleteEmptyTargetStage(JobContext &job)
{
    const CViewData &params = job.Run.Params();
    if (!StagesMayRun(job) || !params.DeleteEmptyTargetDirs)
        return;
    // Without a target directory the date folder alone would name a folder at the top of the
    // file system, which the job never wrote to.
    if (job.Job->TargetDir.isEmpty())
        return;
    const QString root = job.Job->TargetDir + job.Run.DateFolderSuffix();
    RunStage(job, root, kTargetStage, params.IncludeRootDir ? RootRemoval::WhenEmpty : RootRemoval::Never);
}

void DeleteEmptySourceStage(JobContext &job)
{
    const CViewData &params = job.Run.Params();
    if (!StagesMayRun(job) || !params.DeleteSourceAfterCopy)
        return;
    if (job.Job->SourceDir.isEmpty())
        return;
    RunStage(job, job.Job->SourceDir, kSourceStage, RootRemoval::Never);
}
