#include "model/CMyCommandLineInfo.h"

#include "model/AsciiCase.h"

namespace model {

namespace {

const QString batchPrefix = QStringLiteral("batch");
const QString okPrefix = QStringLiteral("msg_ok=");
const QString errorPrefix = QStringLiteral("msg_feh=");

// After a leading "/", only a known switch makes a switch; everything else is an absolute path.
// A slash after "batch" marks a path such as "/batch/project.zelv", while the status texts may
// contain any character.
bool isSlashSwitch(QStringView rest)
{
    if (StartsWithIgnoringAsciiCase(rest, okPrefix) || StartsWithIgnoringAsciiCase(rest, errorPrefix))
        return true;
    return StartsWithIgnoringAsciiCase(rest, batchPrefix) && !rest.contains(u'/');
}

} // namespace

CMyCommandLineInfo CMyCommandLineInfo::Parse(const QStringList &arguments)
{
    CMyCommandLineInfo info;
    for (const QString &argument : arguments) {
        const bool dashSwitch = argument.startsWith(u'-');
        const bool slashSwitch = argument.startsWith(u'/') && isSlashSwitch(QStringView(argument).mid(1));
        if (dashSwitch || slashSwitch) {
            info.parseSwitch(argument.mid(1));
            continue;
        }
        info.Plain.append(argument);
        if (info.Plain.size() == 1) {
            info.FileName = argument;
            info.Command = ShellCommand::FileOpen;
        }
    }
    return info;
}

void CMyCommandLineInfo::parseSwitch(const QString &text)
{
    if (StartsWithIgnoringAsciiCase(text, batchPrefix))
        Batch = true;
    else if (StartsWithIgnoringAsciiCase(text, okPrefix))
        OkText = text.mid(okPrefix.size());
    else if (StartsWithIgnoringAsciiCase(text, errorPrefix))
        ErrorText = text.mid(errorPrefix.size());
    else
        OtherSwitches.append(text);
}

CMyCommandLineInfo::StatusMode CMyCommandLineInfo::GetStatusMode() const
{
    if (!OkText.isEmpty())
        return StatusMode::Ok;
    return ErrorText.isEmpty() ? StatusMode::None : StatusMode::Error;
}

QString CMyCommandLineInfo::StatusText() const
{
    return OkText.isEmpty() ? ErrorText : OkText;
}

} // namespace model
