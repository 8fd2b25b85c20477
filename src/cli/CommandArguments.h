#pragma once

#include "model/CProjectData.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace cli {

// The operands of a subcommand, when their number lies between `minimum` and `maximum` and no
// switch other than the batch switch is given. Otherwise the problem and the usage are printed
// to stderr and the result is none.
std::optional<QStringList> ParseOperands(const QString &command, const QStringList &arguments, int minimum,
                                         int maximum);

// Loads the project file at `path`. On failure the message is printed to stderr and the exit
// status for an unreadable project is returned.
std::optional<int> LoadProjectOrReport(const QString &path, model::CProjectData &project);

// Prints the usage text to `stream`.
void PrintUsage(std::FILE *stream);

} // namespace cli
