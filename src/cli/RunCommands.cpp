#include "cli/CliOutput.h"
#include "cli/CommandArguments.h"
#include "cli/ExitStatus.h"
#include "cli/Subcommands.h"
#include "cli/TerminalObserver.h"
#include "engine/CUtil.h"
#include "engine/RunContext.h"
#include "engine/RunController.h"
#include "engine/TextFormat.h"
#include "model/CViewData.h"
#include "model/RunParameterBuild.h"
#include "model/StartCheck.h"
#include "resources/Strings.h"

namespace cli {

namespace {

// Shutdown and the status message at the next start belong to the desktop program's end of
// an unattended run; a run from the command line leaves them out.
int executeRun(CViewData &params)
{
    TerminalObserver observer(stdout, stderr, params.ThreadCount, TerminalObserver::StatusLines::Auto);
    RunContext run(params, observer, Presentation::Headless);
    RunController(run).Run();
    return run.ErrorCount() == 0 ? ExitSuccess : ExitRunHadErrors;
}

std::optional<QString> rangeFailure(const model::CProjectData &project)
{
    std::optional<model::OptionRangeError> error = project.Option.Validate();
    if (!error)
        error = project.Zip.Validate();
    if (!error)
        return std::nullopt;
    return FormatStr(6124, {error->Field, error->Value, error->Minimum, error->Maximum});
}

QString withoutLineBreaks(QString text)
{
    while (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    return text;
}

} // namespace

int RunCommand(const QStringList &arguments)
{
    const std::optional<QStringList> operands = ParseOperands(QStringLiteral("run"), arguments, 1, 1);
    if (!operands)
        return ExitCannotStart;
    model::CProjectData project;
    if (const std::optional<int> failed = LoadProjectOrReport(operands->front(), project))
        return *failed;
    std::optional<QString> problem = rangeFailure(project);
    if (!problem)
        problem = model::StartCheckFailure(project.Jobs);
    if (problem) {
        PrintText(stderr, *problem);
        return ExitCannotStart;
    }
    CViewData params;
    model::BuildRunParameters(project, model::StartKind::Countdown, params);
    return executeRun(params);
}

int RetryCommand(const QStringList &arguments)
{
    const std::optional<QStringList> operands = ParseOperands(QStringLiteral("retry"), arguments, 1, 2);
    if (!operands)
        return ExitCannotStart;
    model::CProjectData project;
    if (const std::optional<int> failed = LoadProjectOrReport(operands->front(), project))
        return *failed;
    const QString kopierdatei = operands->size() > 1 ? operands->at(1) : project.Dateien.RetryListFile;
    if (kopierdatei.isEmpty()) {
        PrintText(stderr, LoadStr(6114));
        return ExitCannotStart;
    }
    CViewData params;
    if (const std::optional<model::FileError> error = model::BuildRetryRunParameters(project, kopierdatei, params)) {
        PrintText(stderr, FormatStr(6102, {error->Path, withoutLineBreaks(CUtil::GetErrorText(error->ErrorCode))}));
        return ExitCannotStart;
    }
    return executeRun(params);
}

} // namespace cli
