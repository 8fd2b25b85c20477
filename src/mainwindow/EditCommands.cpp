#include "mainwindow/EditCommands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>

namespace {

bool clipboardHasText()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

bool canRun(EditCommand command, const QLineEdit &edit)
{
    switch (command) {
    case EditCommand::Undo:
        return edit.isUndoAvailable();
    case EditCommand::Cut:
        return edit.hasSelectedText() && !edit.isReadOnly();
    case EditCommand::Copy:
        return edit.hasSelectedText() && edit.echoMode() == QLineEdit::Normal;
    case EditCommand::Paste:
        return clipboardHasText() && !edit.isReadOnly();
    }
    return false;
}

bool canRun(EditCommand command, const QPlainTextEdit &edit)
{
    switch (command) {
    case EditCommand::Undo:
        return edit.document()->isUndoAvailable() && !edit.isReadOnly();
    case EditCommand::Cut:
        return edit.textCursor().hasSelection() && !edit.isReadOnly();
    case EditCommand::Copy:
        return edit.textCursor().hasSelection();
    case EditCommand::Paste:
        return edit.canPaste();
    }
    return false;
}

template <typename Edit>
void run(EditCommand command, Edit &edit)
{
    switch (command) {
    case EditCommand::Undo:
        edit.undo();
        break;
    case EditCommand::Cut:
        edit.cut();
        break;
    case EditCommand::Copy:
        edit.copy();
        break;
    case EditCommand::Paste:
        edit.paste();
        break;
    }
}

} // namespace

bool CanRunEditCommand(EditCommand command, QWidget *focus)
{
    if (const auto *edit = qobject_cast<const QLineEdit *>(focus))
        return canRun(command, *edit);
    if (const auto *edit = qobject_cast<const QPlainTextEdit *>(focus))
        return canRun(command, *edit);
    return false;
}

void RunEditCommand(EditCommand command, QWidget *focus)
{
    if (!CanRunEditCommand(command, focus))
        return;
    if (auto *edit = qobject_cast<QLineEdit *>(focus))
        run(command, *edit);
    else if (auto *edit = qobject_cast<QPlainTextEdit *>(focus))
        run(command, *edit);
}
