#include "platform/Process.h"

#include "platform/FaultInjection.h"
#include "platform/LastError.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>

namespace platform {

namespace {

bool Resolvable(const QString &program)
{
    if (program.contains(u'/'))
        return QFileInfo::exists(program);
    return !QStandardPaths::findExecutable(program).isEmpty();
}

} // namespace

bool StartDetached(const QString &program, const QStringList &arguments)
{
    if (fault::Fails(fault::Operation::RunProgram))
        return false;
    if (program.isEmpty() || !Resolvable(program))
        return FailWith(ENOENT);
    if (!QProcess::startDetached(program, arguments))
        return FailWith(ENOEXEC);
    return true;
}

bool RunProgram(const QString &commandLine)
{
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return FailWith(ENOENT);
    const QString program = words.takeFirst();
    return StartDetached(program, words);
}

} // namespace platform
