#pragma once

#include "controls/UserPrompts.h"

#include <QStringList>

#include <functional>
#include <vector>

// Answers every prompt of the windows from fields the test sets, and notes what was asked.
class ScriptedPrompts : public IUserPrompts {
public:
    struct Message {
        QString text;
        MessageIcon icon;
    };

    void ShowMessage(QWidget *parent, const QString &text, MessageIcon icon) override;
    YesNo AskYesNo(QWidget *parent, const QString &text) override;
    SaveChoice AskSaveChanges(QWidget *parent, const QString &text) override;
    QString OpenFileName(QWidget *parent, const QString &initial, const QStringList &filters) override;
    QString SaveFileName(QWidget *parent, const QString &initial, const QStringList &filters) override;
    std::optional<QString> ChooseFolder(QWidget *parent, const QString &title, const QString &start) override;
    int Exec(QDialog &dialog) override;
    void OpenFolder(const QString &path) override;

    // The answers.
    YesNo yesNo = YesNo::Yes;
    SaveChoice saveChoice = SaveChoice::Discard;
    QString openFile;
    QString saveFile;
    std::optional<QString> folder;
    // Runs a modal dialog; without it every dialog is rejected at once.
    std::function<int(QDialog &)> exec;

    // What was asked, in order.
    std::vector<Message> messages;
    QStringList questions;
    QStringList saveQuestions;
    QStringList openFileInitials;
    QStringList saveFileInitials;
    QStringList folderTitles;
    QStringList folderStarts;
    QStringList dialogs; // object names of the dialogs run
    QStringList openedFolders;
};
