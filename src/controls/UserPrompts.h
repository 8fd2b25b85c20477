#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QDialog;
class QWidget;

enum class MessageIcon { None, Information, Warning, Stop };
enum class YesNo { Yes, No };
enum class SaveChoice { Save, Discard, Cancel };

// Every modal question, message, file choice and outside program of the windows goes through
// this interface: the program shows the desktop's dialogs, and tests answer without a modal
// loop.
class IUserPrompts {
public:
    virtual ~IUserPrompts() = default;

    // A message box with "OK".
    virtual void ShowMessage(QWidget *parent, const QString &text, MessageIcon icon) = 0;
    // A question with "Ja" and "Nein".
    virtual YesNo AskYesNo(QWidget *parent, const QString &text) = 0;
    // Whether to save the changes of a project before it is closed.
    virtual SaveChoice AskSaveChanges(QWidget *parent, const QString &text) = 0;
    // The name of an existing file; empty when the user cancels. `filters` are Qt name filters
    // such as "Dateityp Zelvaron (*.zelv)".
    virtual QString OpenFileName(QWidget *parent, const QString &initial, const QStringList &filters) = 0;
    // The name to save under; empty when the user cancels.
    virtual QString SaveFileName(QWidget *parent, const QString &initial, const QStringList &filters) = 0;
    // A folder; none when the user cancels.
    virtual std::optional<QString> ChooseFolder(QWidget *parent, const QString &title, const QString &start) = 0;
    // Runs a modal dialog and returns its result code (QDialog::Accepted, QDialog::Rejected).
    virtual int Exec(QDialog &dialog) = 0;
    // Shows a folder in the desktop's file manager without waiting for it.
    virtual void OpenFolder(const QString &path) = 0;
};
