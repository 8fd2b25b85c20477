#pragma once

#include <QStringList>

// The autostart entry "autostart/zelvaron-status.desktop" that shows the status of the last run
// at the next log-in. It is written in the user's configuration folder ($XDG_CONFIG_HOME, else
// ~/.config), or, for a run as root, in the system's (the first folder of $XDG_CONFIG_DIRS, else
// /etc/xdg).
namespace StatusAutostartEntry {

QString UserPath();
QString SystemPath();

// Removes the entry from both places, so that the status is shown once. A place the user may
// not write keeps its entry; the paths of entries that are left are returned.
QStringList Remove();

} // namespace StatusAutostartEntry
