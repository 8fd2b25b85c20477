#pragma once

#include "platform/CopyFile.h"

struct JobContext;

// Copies job.Record.SourcePath onto job.Record.TargetPath, replacing an existing target (a
// read-only one has its attribute cleared first, announced by an information line). Large
// files report their progress per chunk; the run's cancel flag stops the copy at the next
// chunk, whatever the file's size. A failed or cancelled copy leaves no partial target.
// In a run from a Kopierdatei the target's directory is created first. The target takes the
// source's times that `times` names.
// False on failure; job.Record.MessageText then holds the reason.
bool CopyWithProgress(JobContext &job, platform::CopyTimes times);
