#pragma once

#include <QString>

struct JobContext;

// Compresses the current file of `job` (job.Record.SourcePath) into a new temporary archive,
// verified when VerifyCompressed is on, and returns its path in `archivePath`. False, with
// `archivePath` empty and no archive left behind, when the file is to be copied uncompressed
// instead.
bool CompressToTemp(JobContext &job, QString *archivePath);
