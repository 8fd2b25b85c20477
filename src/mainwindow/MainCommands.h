#pragma once

#include "mainwindow/AppIcons.h"

#include <QKeySequence>
#include <QList>

#include <optional>

// One command of the main window's menu and toolbar.
struct MainCommand {
    int Id = 0;
    int TextId = 0;   // menu text, with the accelerator after a tab
    int PromptId = 0; // status-bar prompt and tool tip
    QList<QKeySequence> Keys;
    std::optional<AppIcons::Id> Icon;
    int Page = -1;    // the option tab a navigation command selects
};

// Every command of the main window, in menu order.
const QList<MainCommand> &MainCommands();
const MainCommand *FindMainCommand(int id);
// The commands of the toolbar in their order; 0 stands for a separator.
QList<int> ToolbarCommands();
