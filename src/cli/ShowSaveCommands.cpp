#include "cli/CliOutput.h"
#include "cli/CommandArguments.h"
#include "cli/ExitStatus.h"
#include "cli/ProjectJson.h"
#include "cli/Subcommands.h"
#include "model/CProjectData.h"
#include "model/ProjectFile.h"

#include <QFile>

namespace cli {

int ShowCommand(const QStringList &arguments)
{
    const std::optional<QStringList> operands = ParseOperands(QStringLiteral("show"), arguments, 1, 1);
    if (!operands)
        return ExitCannotStart;
    model::CProjectData project;
    if (const std::optional<int> failed = LoadProjectOrReport(operands->front(), project))
        return *failed;
    const QByteArray json = ProjectToJson(project);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    std::fflush(stdout);
    return ExitSuccess;
}

int SaveCommand(const QStringList &arguments)
{
    const std::optional<QStringList> operands = ParseOperands(QStringLiteral("save"), arguments, 1, 1);
    if (!operands)
        return ExitCannotStart;
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return ExitCannotStart;
    model::CProjectData project;
    if (const std::optional<QString> refused = ApplyProjectJson(input.readAll(), project)) {
        PrintText(stderr, *refused);
        return ExitCannotStart;
    }
    if (const std::optional<model::ProjectFileError> error = model::SaveProject(operands->front(), project)) {
        PrintText(stderr, error->Message());
        return ExitProjectFailed;
    }
    return ExitSuccess;
}

} // namespace cli
