#pragma once

#include "mainwindow/PagePrompts.h"

class IUserPrompts;

namespace ui {

// The option pages' prompts on top of the main window's: messages go to its message boxes, the
// question and the file dialog run through its modal loop, so that whoever answers the main
// window's prompts (the desktop, or a test) also answers the pages'. Files are shown in the
// program's record-file viewer.
class CUserPagePrompts : public IPagePrompts {
public:
    explicit CUserPagePrompts(IUserPrompts &prompts);

    void ShowWarning(QWidget *parent, const QString &text) override;
    Answer AskYesNoDefaultNo(QWidget *parent, const QString &text) override;
    std::optional<QString> PickTextFile(QWidget *parent, const QString &current) override;
    void ShowFile(QWidget *parent, const QString &path) override;

private:
    IUserPrompts &m_prompts;
};

} // namespace ui
