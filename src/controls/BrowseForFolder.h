#pragma once

#include <QString>

class IUserPrompts;
class QWidget;

// The folder picker behind every "..." button that chooses a directory. The dialog starts at
// `path` less one trailing "/" (the caller's text keeps it); on OK `path` becomes the chosen
// folder, on cancel it stays unchanged.
void BrowseForFolder(IUserPrompts &prompts, QWidget *parent, const QString &title, QString &path);
