#include "cli/CommandArguments.h"
#include "cli/Subcommands.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>

namespace {

void printVersion()
{
    std::printf("%d,%d,%d,%d\n", ZELVARON_VERSION_MAJOR, ZELVARON_VERSION_MINOR,
                ZELVARON_VERSION_PATCH, ZELVARON_VERSION_TWEAK);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.value(0) == QStringLiteral("--version")) {
        printVersion();
        return 0;
    }
    if (args.isEmpty() || args.value(0) == QStringLiteral("--help")) {
        cli::PrintUsage(stdout);
        return 0;
    }
    return cli::RunSubcommand(args);
}
