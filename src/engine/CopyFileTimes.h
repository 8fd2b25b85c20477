#pragma once

struct JobContext;

// Gives job.Record.TargetPath the last-access and last-write times of job.Record.SourcePath
// (the creation time cannot be set). True on success; otherwise job.Record.MessageText names
// the file that could not be opened, read or written, with the system's reason.
bool CopyFileTimes(JobContext &job);
