#pragma once

#include <QString>

// How the "Datei" menu shows a recently used project: at most `maxLength` characters, the
// file name always whole, leading folders replaced by "..." where the path is too long.
QString AbbreviatePath(const QString &path, int maxLength = 30);

// The menu text of entry `index` (from 0): "&1 path", with the path's own "&" kept as text.
QString RecentFileMenuText(int index, const QString &path);
