#include "model/SettingsLocation.h"

#include "platform/FileName.h"

#include <QDir>

namespace model {

namespace {

QString environmentPath(const char *name)
{
    return platform::DecodeFileName(qgetenv(name));
}

QString configHome(const SettingsEnvironment &environment)
{
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    if (!environment.XdgConfigHome.isEmpty() && QDir::isAbsolutePath(environment.XdgConfigHome))
        return environment.XdgConfigHome;
    return environment.Home.isEmpty() ? QString() : environment.Home + QStringLiteral("/.config");
}

} // namespace

SettingsEnvironment SettingsEnvironment::FromProcess()
{
    SettingsEnvironment environment;
    environment.U3AppDataPath = environmentPath("U3_APP_DATA_PATH");
    environment.XdgConfigHome = environmentPath("XDG_CONFIG_HOME");
    environment.Home = environmentPath("HOME");
    if (environment.Home.isEmpty())
        environment.Home = QDir::homePath();
    return environment;
}

QString SettingsFolder(const SettingsEnvironment &environment, const QString &programName)
{
    if (!environment.U3AppDataPath.isEmpty())
        return environment.U3AppDataPath;
    const QString config = configHome(environment);
    return config.isEmpty() ? QString() : config + u'/' + programName;
}

QString SettingsFilePath(const SettingsEnvironment &environment, const QString &programName)
{
    const QString folder = SettingsFolder(environment, programName);
    const QString fileName = programName + QStringLiteral(".ini");
    return folder.isEmpty() ? fileName : folder + u'/' + fileName;
}

QString PrepareSettingsFile(const SettingsEnvironment &environment, const QString &programName)
{
    const QString folder = SettingsFolder(environment, programName);
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    return SettingsFilePath(environment, programName);
}

} // namespace model
