#pragma once

#include <QString>

// Read access to the per-user settings file for the engine's few settings (the temporary
// directory). Both go through the program's settings (model/CSettings.h), so the engine reads
// the same file, with the same rules, that the front ends write: "[section]" and "key=value"
// lines, ';' comments, sections and keys compared without regard to ASCII case, the first
// matching key wins, surrounding blanks and one pair of enclosing quotes removed; a leading
// UTF-16LE byte-order mark selects UTF-16LE, otherwise the file is UTF-8.

// The settings file: $U3_APP_DATA_PATH/zelvaron.ini when that variable is set, otherwise
// $XDG_CONFIG_HOME (default ~/.config) + "/zelvaron/zelvaron.ini".
QString SettingsFilePath();

// The text of `key` in `section`; empty when the file, the section or the key is missing.
QString ReadSettingsText(const QString &section, const QString &key);
