#include "engine/JobSteps.h"

#include "engine/CUtil.h"
#include "engine/CopyOneFile.h"
#include "engine/FileListLines.h"
#include "engine/JobContext.h"
#include "engine/RefreshProgress.h"
#include "engine/RefreshTimer.h"
#include "engine/RunContext.h"
#include "model/CViewData.h"

#include <algorithm>
#include <vector>

namespace {

// One line of the Kopierdatei, with the size and time its source had before the first copy.
struct RetryPair {
    QString Source;
    QString Target; // empty: the file is copied onto the run's temporary target file
    qint64 Size = 0;
    qint64 Time = 0;
};

// The pairs as the run parameters hold them. They were read before the run deleted the
// Kopierdatei, which may be the very file this run writes again.
std::vector<RetryPair> PairsOf(const CViewData &params)
{
    const qsizetype count = std::min(params.RetrySources.size(), params.RetryTargets.size());
    std::vector<RetryPair> pairs;
    pairs.reserve(size_t(count));
    for (qsizetype i = 0; i < count; ++i)
        pairs.push_back(RetryPair{params.RetrySources[i], params.RetryTargets[i]});
    return pairs;
}

class RetryRun {
public:
    explicit RetryRun(JobContext &job)
        : m_job(job)
        , m_pairs(PairsOf(job.Run.Params()))
    {
    }

    void Run()
    {
        m_tempTarget = CUtil::MakeTempFileName();
        size_t processed = 0;
        if (!m_job.IsCancelled()) {
            collectTotals();
            processed = copyPairs();
            RefreshProgress(m_job);
        }
        keepUnprocessedPairs(processed);
        bool existed = false;
        CUtil::DeleteFileForced(m_tempTarget, &existed);
    }

private:
    void collectTotals();
    size_t copyPairs();
    void copyPair(const RetryPair &pair);
    void keepUnprocessedPairs(size_t from);

    JobContext &m_job;
    std::vector<RetryPair> m_pairs;
    QString m_tempTarget;
    RefreshTimer m_refresh;
};

// The totals come from the sources themselves, since no listing precedes a retry run. A
// source that is gone counts with size 0 and fails when it is copied.
void RetryRun::collectTotals()
{
    CProgressData &record = m_job.Record;
    record.FilesDone = 0;
    record.BytesDone = 0;
    record.TotalBytes = 0;
    record.SelectedFiles = qint32(m_pairs.size());
    for (RetryPair &pair : m_pairs) {
        if (!CUtil::GetFileSizeAndTime(pair.Source, &pair.Time, &pair.Size)) {
            pair.Size = 0;
            pair.Time = 0;
        }
        record.TotalBytes += pair.Size;
    }
    record.StartTick = CurrentTick();
    m_job.Pane(UPD_COUNT_FILES | UPD_SIZE | UPD_BAR1_RESET);
}

// Returns how many pairs were handed to the pipeline before the user cancelled.
size_t RetryRun::copyPairs()
{
    for (size_t i = 0; i < m_pairs.size(); ++i) {
        copyPair(m_pairs[i]);
        if (m_job.IsCancelled())
            return i + 1;
    }
    return m_pairs.size();
}

void RetryRun::copyPair(const RetryPair &pair)
{
    CProgressData &record = m_job.Record;
    record.SourcePath = pair.Source;
    record.ListedSource = pair.Source;
    record.TargetPath = pair.Target;
    record.ListedTarget = pair.Target;
    record.CheckKey = pair.Target;
    record.SourceRoot.clear();
    record.TargetRoot.clear();
    record.FileSize = pair.Size;
    record.FileTime = pair.Time;
    record.Compressed = 0;
    record.CompressedSize = 0;
    record.Refresh = m_refresh.Due(CurrentTick()) ? 1 : 0;
    const TargetRoot targetRoot = pair.Target.isEmpty() ? TargetRoot::Missing : TargetRoot::Present;
    if (targetRoot == TargetRoot::Missing)
        record.TargetPath = m_tempTarget;
    CopyOneFile(m_job, targetRoot, QString());
    if (record.Refresh) {
        RefreshProgress(m_job);
        record.Refresh = 0;
    }
}

// The run deleted the Kopierdatei at its start. Pairs that a cancel left untried go back into
// the new one, after the pairs that failed again, so that the next attempt still finds them.
void RetryRun::keepUnprocessedPairs(size_t from)
{
    CProgressData &record = m_job.Record;
    for (size_t i = from; i < m_pairs.size(); ++i) {
        record.ListedSource = m_pairs[i].Source;
        record.ListedTarget = m_pairs[i].Target;
        WriteRetryLine(m_job);
    }
}

} // namespace

void RetryRunWorker(JobContext &job)
{
    RetryRun(job).Run();
}
