#include "progress/CancelQuestion.h"

#include "progress/ProgressTexts.h"
#include "resources/Strings.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

// Until the table holds a button text, the message box keeps its own.
void setButtonText(QMessageBox &box, QMessageBox::StandardButton button, int stringId)
{
    const QString text = LoadStr(stringId);
    if (!text.isEmpty())
        box.button(button)->setText(text);
}

QString programName()
{
    return LoadStr(128).section(u'\n', 0, 0);
}

} // namespace

Answer AskYesNoDefaultNo(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, programName(), question, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    setButtonText(box, QMessageBox::Yes, kTextYes);
    setButtonText(box, QMessageBox::No, kTextNo);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}
