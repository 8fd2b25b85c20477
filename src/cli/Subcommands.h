#pragma once

#include <QStringList>

namespace cli {

// The subcommands of zelvaron-cli. Each gets the arguments after its name and returns the
// exit status (ExitStatus.h); messages go to stdout, problems to stderr.

// Runs every active job of the project as an unattended run does.
int RunCommand(const QStringList &arguments);
// Runs the files of a Kopierdatei: the one given, or the project's.
int RetryCommand(const QStringList &arguments);
// Prints the project as JSON.
int ShowCommand(const QStringList &arguments);
// Reads the project as JSON from stdin and writes the project file.
int SaveCommand(const QStringList &arguments);

// Picks the subcommand named by the first argument; an unknown one is a usage error.
int RunSubcommand(const QStringList &arguments);

} // namespace cli
