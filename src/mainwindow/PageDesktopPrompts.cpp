#include "mainwindow/PageDesktopPrompts.h"

#include "controls/DocumentTemplate.h"
#include "controls/GuiTexts.h"
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

void CDesktopPagePrompts::ShowWarning(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, DocumentTemplate::AppName(), boxText(text), QMessageBox::NoButton, parent);
    box.setDefaultButton(box.addButton(LoadStr(GuiText::Ok), QMessageBox::AcceptRole));
    box.exec();
}

Answer CDesktopPagePrompts::AskYesNoDefaultNo(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, DocumentTemplate::AppName(), boxText(text), QMessageBox::NoButton, parent);
    QPushButton *yes = box.addButton(LoadStr(GuiText::Yes), QMessageBox::YesRole);
    QPushButton *no = box.addButton(LoadStr(GuiText::No), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

// An open dialog that also accepts a name that does not exist yet: a record file is often
// chosen before the first run writes it.
std::optional<QString> CDesktopPagePrompts::PickTextFile(QWidget *parent, const QString &current)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({LoadStr(GuiText::TextFileFilter), LoadStr(GuiText::AllFilesFilter)});
    if (!current.isEmpty()) {
        dialog.setDirectory(QFileInfo(current).absolutePath());
        dialog.selectFile(current);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void CDesktopPagePrompts::ShowFile(QWidget *parent, const QString &path)
{
    std::optional<model::FileError> error;
    OpenFileViewer(parent, path, error);
    if (error)
        ShowWarning(parent, FormatStr(PageText::FileCannotBeOpened, {path, CUtil::GetErrorText(error->ErrorCode)}));
}

} // namespace ui
