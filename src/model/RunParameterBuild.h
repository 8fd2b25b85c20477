#pragma once

#include "model/FileError.h"
#include "model/OptionRangeError.h"

#include <QString>

#include <optional>

class CViewData;

namespace model {

class CDateTime;
struct CPageDatum;
struct CProjectData;

// Who started a run: the user, or the countdown of an unattended start.
enum class StartKind { User, Countdown };

// Fills the run parameters for a normal run from the jobs and options of the project. A value
// outside its accepted range stops the build before `view` is touched and is returned.
std::optional<OptionRangeError> BuildRunParameters(const CProjectData &project, StartKind start,
                                                   CViewData &view);

// Fills the run parameters for a run from a Kopierdatei: only its source and target pairs, and
// the options that apply to single files. The job list is not used. A Kopierdatei that cannot be
// read is returned as the error; `view` is then unchanged.
std::optional<FileError> BuildRetryRunParameters(const CProjectData &project, const QString &kopierdateiPath,
                                                 CViewData &view);

// Sets DateFrom and DateTo from the date options, relative to `now` (the run's start). A bound
// the options do not set is null; a date text that does not parse makes its bound invalid.
void ApplyDateFilter(const CPageDatum &datum, const CDateTime &now, CViewData &view);

// A file name chosen without extension gets ".txt"; any other name is returned unchanged. Only
// the name after the last "/" counts, so a dot in a directory name does not stand for one.
QString AppendDefaultExtension(const QString &path);

} // namespace model
