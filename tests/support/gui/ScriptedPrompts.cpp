#include "support/gui/ScriptedPrompts.h"

#include <QDialog>

void ScriptedPrompts::ShowMessage(QWidget *, const QString &text, MessageIcon icon)
{
    messages.push_back({text, icon});
}

YesNo ScriptedPrompts::AskYesNo(QWidget *, const QString &text)
{
    questions.append(text);
    return yesNo;
}

SaveChoice ScriptedPrompts::AskSaveChanges(QWidget *, const QString &text)
{
    saveQuestions.append(text);
    return saveChoice;
}

QString ScriptedPrompts::OpenFileName(QWidget *, const QString &initial, const QStringList &)
{
    openFileInitials.append(initial);
    return openFile;
}

QString ScriptedPrompts::SaveFileName(QWidget *, const QString &initial, const QStringList &)
{
    saveFileInitials.append(initial);
    return saveFile;
}

std::optional<QString> ScriptedPrompts::ChooseFolder(QWidget *, const QString &title, const QString &start)
{
    folderTitles.append(title);
    folderStarts.append(start);
    return folder;
}

int ScriptedPrompts::Exec(QDialog &dialog)
{
    dialogs.append(dialog.objectName());
    if (!exec)
        return QDialog::Rejected;
    return exec(dialog);
}

void ScriptedPrompts::OpenFolder(const QString &path)
{
    openedFolders.append(path);
}
