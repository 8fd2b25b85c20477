#pragma once

#include <QString>

#include <functional>

class QWidget;

enum class Answer { Yes, No };

// Asks a yes/no question; the run window asks through such a function, so that tests can
// answer without a modal loop.
using AskQuestion = std::function<Answer(QWidget *parent, const QString &question)>;

// The program's message box with a question mark, "Ja" and "Nein", and "Nein" as the default
// button.
Answer AskYesNoDefaultNo(QWidget *parent, const QString &question);
