#include "controls/BrowseForFolder.h"

#include "controls/UserPrompts.h"

void BrowseForFolder(IUserPrompts &prompts, QWidget *parent, const QString &title, QString &path)
{
    QString start = path;
    if (start.size() > 1 && start.endsWith(u'/'))
        start.chop(1);
    if (const std::optional<QString> chosen = prompts.ChooseFolder(parent, title, start))
        path = *chosen;
}
