#pragma once

#include "mainwindow/PagePrompts.h"

namespace ui {

// The option pages' prompts in the running program: message boxes with German buttons, the
// desktop's file dialog and the program's record-file viewer.
class CDesktopPagePrompts : public IPagePrompts {
public:
    void ShowWarning(QWidget *parent, const QString &text) override;
    Answer AskYesNoDefaultNo(QWidget *parent, const QString &text) override;
    std::optional<QString> PickTextFile(QWidget *parent, const QString &current) override;
    void ShowFile(QWidget *parent, const QString &path) override;
};

} // namespace ui
