#include "mainwindow/PageUserPrompts.h"

#include "controls/DocumentTemplate.h"
#include "controls/GuiTexts.h"
#include "controls/UserPrompts.h"
#include "engine/CUtil.h"
#include "engine/TextFormat.h"
#include "mainwindow/PageFileViewer.h"
#include "mainwindow/PageTexts.h"
#include "resources/Strings.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {

// Texts of the string table keep CR LF line ends, which a message box shows as one break.
QString boxText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

CUserPagePrompts::CUserPagePrompts(IUserPrompts &prompts)
    : m_prompts(prompts)
{
}

void CUserPagePrompts::ShowWarning(QWidget *parent, const QString &text)
{
    m_prompts.ShowMessage(parent, text, MessageIcon::Warning);
}

Answer CUserPagePrompts::AskYesNoDefaultNo(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, DocumentTemplate::AppName(), boxText(text), QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("PageQuestion"));
    QPushButton *yes = box.addButton(LoadStr(GuiText::Yes), QMessageBox::YesRole);
    QPushButton *no = box.addButton(LoadStr(GuiText::No), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    m_prompts.Exec(box);
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

// An open dialog that also accepts a name that does not exist yet: a record file is often
// chosen before the first run writes it.
std::optional<QString> CUserPagePrompts::PickTextFile(QWidget *parent, const QString &current)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("TextFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({LoadStr(GuiText::TextFileFilter), LoadStr(GuiText::AllFilesFilter)});
    if (!current.isEmpty()) {
        dialog.setDirectory(QFileInfo(current).absolutePath());
        dialog.selectFile(current);
    }
    if (m_prompts.Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void CUserPagePrompts::ShowFile(QWidget *parent, const QString &path)
{
    std::optional<model::FileError> error;
    OpenFileViewer(parent, path, error);
    if (!error)
        return;
    const QString reason = CUtil::GetErrorText(error->ErrorCode);
    m_prompts.ShowMessage(parent, FormatStr(PageText::FileCannotBeOpened, {path, reason}), MessageIcon::Warning);
}

} // namespace ui
