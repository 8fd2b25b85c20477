#include "mainwindow/PagePruefdatei.h"

#include "mainwindow/PageTexts.h"
#include "model/CProjectData.h"
#include "resources/Strings.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

using Group = model::CPagePruefdatei;

CPagePruefdatei::CPagePruefdatei(const PageEnvironment &environment)
    : CBasisPage(environment, PageText::Caption(PageText::Tab::Pruefdatei), PageNoteWholePage())
    , m_binder([this]() -> Group & { return group(); })
{
    QLineEdit *file = NewLineEdit(2039, "CheckFile");
    QPushButton *pick = NewButton(2041, "PickCheckFile");
    QPushButton *show = NewButton(2043, "ShowCheckFile");
    QCheckBox *checksum = NewCheckBox(2066, "ChecksumEnabled");
    m_binder.Text(*file, &Group::CheckFile);
    m_binder.Check(*checksum, &Group::ChecksumEnabled);
    connect(file, &QLineEdit::textChanged, this, [this] { MarkModified(); });
    connect(checksum, &QCheckBox::clicked, this, [this] { MarkModified(); });
    connect(pick, &QPushButton::clicked, this, &CPagePruefdatei::pickCheckFile);
    connect(show, &QPushButton::clicked, this, &CPagePruefdatei::showCheckFile);

    auto *row = new QHBoxLayout;
    row->addWidget(NewLabel(LabelId::CheckFile, "CheckFileLabel"));
    row->addWidget(file, 1);
    row->addWidget(pick);
    row->addWidget(show);
    PageLayout().addLayout(row);
    PageLayout().addWidget(checksum);
    PageLayout().addStretch(1);
    ShowValues();
}

Group &CPagePruefdatei::group() const
{
    return Project().Pruefdatei;
}

void CPagePruefdatei::ShowValues()
{
    m_binder.ShowAll();
}

bool CPagePruefdatei::TakeValues()
{
    m_binder.TakeAll();
    return true;
}

void CPagePruefdatei::pickCheckFile()
{
    TakeValues();
    if (PickTextFile(group().CheckFile))
        ShowValues();
}

void CPagePruefdatei::showCheckFile()
{
    TakeValues();
    ShowFile(group().CheckFile);
}

} // namespace ui
