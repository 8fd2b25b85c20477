#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Starts `program` with `arguments` detached: the caller does not wait and the program
// outlives it. A program that is not found fails with ENOENT; one that is found but cannot
// be started fails with ENOEXEC.
bool StartDetached(const QString &program, const QStringList &arguments);

// Splits `commandLine` by the shell's quoting rules (blanks separate, double quotes group)
// and starts the first word with the others as arguments. An empty command line fails with
// ENOENT.
bool RunProgram(const QString &commandLine);

} // namespace platform
