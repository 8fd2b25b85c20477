#include "cli/CommandArguments.h"

#include "cli/CliOutput.h"
#include "cli/ExitStatus.h"
#include "engine/TextFormat.h"
#include "model/CMyCommandLineInfo.h"
#include "model/ProjectFile.h"
#include "resources/Strings.h"

namespace cli {

namespace {

void reportUsageError(const QString &message)
{
    PrintText(stderr, message);
    PrintUsage(stderr);
}

} // namespace

std::optional<QStringList> ParseOperands(const QString &command, const QStringList &arguments, int minimum,
                                         int maximum)
{
    const model::CMyCommandLineInfo info = model::CMyCommandLineInfo::Parse(arguments);
    if (!info.OtherSwitches.isEmpty()) {
        reportUsageError(FormatStr(6113, {info.OtherSwitches.front()}));
        return std::nullopt;
    }
    if (info.GetStatusMode() != model::CMyCommandLineInfo::StatusMode::None || info.Plain.size() < minimum
        || info.Plain.size() > maximum) {
        reportUsageError(FormatStr(6112, {command}));
        return std::nullopt;
    }
    return info.Plain;
}

std::optional<int> LoadProjectOrReport(const QString &path, model::CProjectData &project)
{
    const std::optional<model::ProjectFileError> error = model::LoadProject(path, project);
    if (!error)
        return std::nullopt;
    PrintText(stderr, error->Message());
    return ExitProjectFailed;
}

void PrintUsage(std::FILE *stream)
{
    PrintText(stream, LoadStr(6110));
}

} // namespace cli
