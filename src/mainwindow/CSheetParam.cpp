#include "mainwindow/CSheetParam.h"

#include "controls/GuiTexts.h"
#include "mainwindow/CPropPageAllgemein.h"
#include "resources/Strings.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kCaption = 214;
constexpr int kCancelText = 211;
constexpr int kMinimumWidth = 540;

} // namespace

CSheetParam::CSheetParam(IUserPrompts &prompts, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CSheetParam"));
    setWindowTitle(LoadStr(kCaption));
    auto *tabs = new QTabWidget(this);
    m_page = new CPropPageAllgemein(prompts);
    tabs->addTab(m_page, m_page->windowTitle());

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(LoadStr(GuiText::Ok), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    buttons->addButton(LoadStr(kCancelText), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("Cancel"));
    m_apply = buttons->addButton(LoadStr(GuiText::Apply), QDialogButtonBox::ApplyRole);
    m_apply->setObjectName(QStringLiteral("Apply"));
    m_apply->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_apply, &QPushButton::clicked, this, &CSheetParam::OnApply);
    connect(m_page, &CPropPageAllgemein::Changed, this, [this] { m_apply->setEnabled(true); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    setMinimumWidth(kMinimumWidth);
}

void CSheetParam::OnApply()
{
    m_page->Apply();
    m_apply->setEnabled(false);
}

void CSheetParam::accept()
{
    m_page->Apply();
    QDialog::accept();
}
