#pragma once

#include <QString>

// The program's German texts. Every user-visible text is looked up here by its number,
// so that a text is written down exactly once.

// Text of string-table entry `id`; an empty string for an unknown id.
QString LoadStr(int id);

// Caption of the dialog control `controlId` as its dialog template shows it
// (the check boxes of the option pages among them); empty for an unknown id.
QString ControlText(int controlId);
