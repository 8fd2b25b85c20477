#pragma once

#include <QString>

struct JobContext;

// Whether the job copies into a target directory. Without one, every file of the job is
// copied onto the job's one temporary target file, which is neither deleted after a failure
// nor a copy worth deleting a source for.
enum class TargetRoot { Present, Missing };

// The per-file pipeline for the file described by job.Record (SourcePath, TargetPath,
// ListedSource, ListedTarget, CheckKey, FileSize, FileTime, Compressed, CompressedSize,
// Refresh): copy, compare when asked, unpack a copied archive when asked, carry the file
// times over, then the bookkeeping of a copied file (counters, copied list, check file,
// archive attribute, deletion of the source) or of a failed one (error line and log, deletion
// of a target that failed its comparison, check-file entry removed, Kopierdatei line).
// `checksum` (may be empty) goes into the check file. True when the file was copied (and
// compared) successfully.
bool CopyOneFile(JobContext &job, TargetRoot targetRoot, const QString &checksum);
