#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace ui {

enum class Answer { Yes, No };

// Every modal question, message and file choice of the option pages goes through this
// interface: the program shows the desktop's dialogs, tests answer without a modal loop.
class IPagePrompts {
public:
    virtual ~IPagePrompts() = default;

    // A warning with "OK", for a value the page refuses.
    virtual void ShowWarning(QWidget *parent, const QString &text) = 0;
    // A question with "Ja" and "Nein", where "Nein" is the default button.
    virtual Answer AskYesNoDefaultNo(QWidget *parent, const QString &text) = 0;
    // The name of a text file, which need not exist, starting at `current`; none when the
    // user cancels.
    virtual std::optional<QString> PickTextFile(QWidget *parent, const QString &current) = 0;
    // Shows an existing file in the program's viewer.
    virtual void ShowFile(QWidget *parent, const QString &path) = 0;
};

} // namespace ui
