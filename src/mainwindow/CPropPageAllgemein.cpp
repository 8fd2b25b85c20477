#include "mainwindow/CPropPageAllgemein.h"

#include "controls/BrowseButton.h"
#include "controls/BrowseForFolder.h"
#include "controls/CMyStaticTitel.h"
#include "controls/GuiTexts.h"
#include "engine/CUtil.h"
#include "model/CSettings.h"
#include "resources/Strings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kBrowseTitle = 215;
constexpr int kBrowseButton = 1101;
constexpr int kNarrowestNoteWidth = 460;

CMyStaticTitel *noteTitle(QWidget *parent)
{
    auto *title = new CMyStaticTitel(parent);
    title->setObjectName(QStringLiteral("Title1086"));
    QString note = LoadStr(GuiText::TempDirNote);
    note.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    title->SetText(note);
    // A dialog does not grow with the height its note needs for its width, so the note asks
    // for the height it needs at the narrowest width the sheet allows.
    title->setMinimumHeight(title->heightForWidth(kNarrowestNoteWidth));
    return title;
}

} // namespace

CPropPageAllgemein::CPropPageAllgemein(IUserPrompts &prompts, QWidget *parent)
    : QWidget(parent)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("CPropPageAllgemein"));
    setWindowTitle(LoadStr(GuiText::PageGeneral));
    m_tempDir = new QLineEdit(CUtil::GetTempDirectory(), this);
    m_tempDir->setObjectName(QStringLiteral("TempDir"));
    QPushButton *browse = CreateBrowseButton(kBrowseButton, this);
    browse->setObjectName(QStringLiteral("BrowseTempDir"));

    auto *group = new QGroupBox(LoadStr(GuiText::GroupTempDir), this);
    auto *row = new QHBoxLayout(group);
    row->addWidget(m_tempDir, 1);
    row->addWidget(browse);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(noteTitle(this));
    layout->addWidget(group);
    layout->addStretch(1);

    connect(m_tempDir, &QLineEdit::textChanged, this, &CPropPageAllgemein::markChanged);
    connect(browse, &QPushButton::clicked, this, &CPropPageAllgemein::OnBrowse);
}

QString CPropPageAllgemein::TempDirectory() const
{
    return m_tempDir->text();
}

void CPropPageAllgemein::markChanged()
{
    m_changed = true;
    emit Changed();
}

void CPropPageAllgemein::OnBrowse()
{
    QString path = m_tempDir->text();
    BrowseForFolder(m_prompts, this, LoadStr(kBrowseTitle), path);
    m_tempDir->setText(path);
    markChanged();
}

void CPropPageAllgemein::Apply()
{
    if (m_changed)
        model::AppSettings().WriteTempPath(m_tempDir->text());
    m_changed = false;
}
