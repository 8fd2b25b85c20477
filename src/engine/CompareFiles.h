#pragma once

struct JobContext;

// Compares job.Record.SourcePath with job.Record.TargetPath byte by byte, reading both files
// sequentially in large blocks. True when their contents are equal (two empty files are).
// Otherwise job.Record.MessageText says why: different bytes, different lengths, a file that
// cannot be opened or read, or the run's cancel flag, which is read after every block.
// Large files report their progress per block.
bool CompareFiles(JobContext &job);
