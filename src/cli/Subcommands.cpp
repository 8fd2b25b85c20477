#include "cli/Subcommands.h"

#include "cli/CliOutput.h"
#include "cli/CommandArguments.h"
#include "cli/ExitStatus.h"
#include "engine/TextFormat.h"

#include <functional>
#include <map>

namespace cli {

int RunSubcommand(const QStringList &arguments)
{
    static const std::map<QString, std::function<int(const QStringList &)>> commands{
        {QStringLiteral("run"), RunCommand},
        {QStringLiteral("retry"), RetryCommand},
        {QStringLiteral("show"), ShowCommand},
        {QStringLiteral("save"), SaveCommand},
    };
    const QString name = arguments.value(0);
    const auto command = commands.find(name);
    if (command == commands.end()) {
        PrintText(stderr, FormatStr(6111, {name}));
        PrintUsage(stderr);
        return ExitCannotStart;
    }
    return command->second(arguments.mid(1));
}

} // namespace cli
