#pragma once

struct JobContext;

// The work of one job between its start lines and its end lines.
void RunJob(JobContext &job);
void DeleteEmptyTargetStage(JobContext &job);
void DeleteEmptySourceStage(JobContext &job);
// The single worker of a run from a Kopierdatei.
void RetryRunWorker(JobContext &job);
// The job summary lines at the end of the job's log block.
void WriteJobSummary(JobContext &job);

class CProtokolldatei;
class QDateTime;
class RunContext;
// The run summary, written into its own temporary log after the last job.
void WriteRunSummary(CProtokolldatei &log, RunContext &run, int activeJobCount,
                     const QDateTime &runStart, const QDateTime &runEnd);
