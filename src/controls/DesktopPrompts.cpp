#include "controls/DesktopPrompts.h"

#include "controls/DocumentTemplate.h"
#include "controls/GuiTexts.h"
#include "resources/Strings.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace {

constexpr int kCancelText = 211;

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// Message texts keep the string table's CR LF line ends, which a label shows as one break.
QString boxText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

void DesktopPrompts::ShowMessage(QWidget *parent, const QString &text, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), DocumentTemplate::AppName(), boxText(text), QMessageBox::NoButton, parent);
    box.setDefaultButton(box.addButton(LoadStr(GuiText::Ok), QMessageBox::AcceptRole));
    box.exec();
}

YesNo DesktopPrompts::AskYesNo(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, DocumentTemplate::AppName(), boxText(text), QMessageBox::NoButton, parent);
    QPushButton *yes = box.addButton(LoadStr(GuiText::Yes), QMessageBox::YesRole);
    QPushButton *no = box.addButton(LoadStr(GuiText::No), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? YesNo::Yes : YesNo::No;
}

SaveChoice DesktopPrompts::AskSaveChanges(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, DocumentTemplate::AppName(), boxText(text), QMessageBox::NoButton, parent);
    QPushButton *yes = box.addButton(LoadStr(GuiText::Yes), QMessageBox::YesRole);
    QPushButton *no = box.addButton(LoadStr(GuiText::No), QMessageBox::NoRole);
    QPushButton *cancel = box.addButton(LoadStr(kCancelText), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return SaveChoice::Save;
    return box.clickedButton() == no ? SaveChoice::Discard : SaveChoice::Cancel;
}

QString DesktopPrompts::OpenFileName(QWidget *parent, const QString &initial, const QStringList &filters)
{
    return QFileDialog::getOpenFileName(parent, QString(), initial, filters.join(QStringLiteral(";;")));
}

QString DesktopPrompts::SaveFileName(QWidget *parent, const QString &initial, const QStringList &filters)
{
    return QFileDialog::getSaveFileName(parent, QString(), initial, filters.join(QStringLiteral(";;")));
}

std::optional<QString> DesktopPrompts::ChooseFolder(QWidget *parent, const QString &title, const QString &start)
{
    const QString chosen = QFileDialog::getExistingDirectory(parent, title, start);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

int DesktopPrompts::Exec(QDialog &dialog)
{
    return dialog.exec();
}

void DesktopPrompts::OpenFolder(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
