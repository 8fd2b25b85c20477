#pragma once

#include "controls/UserPrompts.h"

// The prompts of the running program: message boxes with German buttons, the desktop's file
// and folder dialogs, and its file manager.
class DesktopPrompts : public IUserPrompts {
public:
    void ShowMessage(QWidget *parent, const QString &text, MessageIcon icon) override;
    YesNo AskYesNo(QWidget *parent, const QString &text) override;
    SaveChoice AskSaveChanges(QWidget *parent, const QString &text) override;
    QString OpenFileName(QWidget *parent, const QString &initial, const QStringList &filters) override;
    QString SaveFileName(QWidget *parent, const QString &initial, const QStringList &filters) override;
    std::optional<QString> ChooseFolder(QWidget *parent, const QString &title, const QString &start) override;
    int Exec(QDialog &dialog) override;
    void OpenFolder(const QString &path) override;
};
