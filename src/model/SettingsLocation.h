#pragma once

#include <QString>

namespace model {

// The name both front ends give their settings file, so that the command-line program and the
// desktop program share one file.
inline constexpr char16_t SettingsProgramName[] = u"zelvaron";

// The environment variables that decide where the settings file lives.
struct SettingsEnvironment {
    QString U3AppDataPath; // $U3_APP_DATA_PATH: the data folder of a program run from a removable drive
    QString XdgConfigHome; // $XDG_CONFIG_HOME
    QString Home;          // $HOME, or the user's home folder when the variable is empty

    // The values of this process. Variables are paths and may hold any bytes.
    static SettingsEnvironment FromProcess();
};

// The folder of the settings file: $U3_APP_DATA_PATH when set and not empty, otherwise
// "<config>/<name>" with <config> = $XDG_CONFIG_HOME when it is an absolute path, else
// "$HOME/.config". Empty when none of them is known.
QString SettingsFolder(const SettingsEnvironment &environment, const QString &programName);

// The settings file "<folder>/<name>.ini"; "<name>.ini" without a folder when there is none.
QString SettingsFilePath(const SettingsEnvironment &environment, const QString &programName);

// Decides the location and creates its folder (with missing parents; a failure is ignored,
// the settings then simply keep their defaults). Returns the file path.
QString PrepareSettingsFile(const SettingsEnvironment &environment, const QString &programName);

} // namespace model
