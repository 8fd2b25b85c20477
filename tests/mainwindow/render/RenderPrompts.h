#pragma once

#include "controls/UserPrompts.h"

// Prompts for rendering: no dialog is run and no question is asked.
class RenderPrompts : public IUserPrompts {
public:
    void ShowMessage(QWidget *, const QString &, MessageIcon) override {}
    YesNo AskYesNo(QWidget *, const QString &) override { return YesNo::No; }
    SaveChoice AskSaveChanges(QWidget *, const QString &) override { return SaveChoice::Discard; }
    QString OpenFileName(QWidget *, const QString &, const QStringList &) override { return {}; }
    QString SaveFileName(QWidget *, const QString &, const QStringList &) override { return {}; }
    std::optional<QString> ChooseFolder(QWidget *, const QString &, const QString &) override { return {}; }
    int Exec(QDialog &dialog) override;
    void OpenFolder(const QString &) override {}
};
