#pragma once

#include <QIcon>

// The icons of the toolbar, the move buttons and the program. Where the desktop's icon theme
// has an icon for a command it is used; otherwise, and for the program's own commands, the
// program draws its own.
namespace AppIcons {

enum class Id { New, Open, Save, Cut, Copy, Paste, Run, RetryRun, MoveUp, MoveDown, App };

QIcon Get(Id id);

} // namespace AppIcons
