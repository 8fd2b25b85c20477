#pragma once

class QWidget;

// The clipboard commands of the "Bearbeiten" menu. They act only on the text field that has
// the keyboard focus; with any other control focused they are disabled.
enum class EditCommand { Undo, Cut, Copy, Paste };

// Copy and cut need selected text, paste needs text on the clipboard (and a field that can be
// written), undo needs something to undo.
bool CanRunEditCommand(EditCommand command, QWidget *focus);
void RunEditCommand(EditCommand command, QWidget *focus);
