#include "mainwindow/PageMuster.h"

#include "mainwindow/PageTexts.h"
#include "model/CProjectData.h"
#include "resources/Strings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ui {

namespace {

using Group = model::CPageMuster;

struct PatternRow {
    int BoxId;
    qint32 Group::*Enabled;
    const char *BoxName;
    int EditId;
    QString Group::*Patterns;
    const char *EditName;
};

const PatternRow kRows[] = {
    {2016, &Group::FileIncludeEnabled, "FileIncludeEnabled", 2018, &Group::FileIncludePatterns, "FileIncludePatterns"},
    {2017, &Group::FileExcludeEnabled, "FileExcludeEnabled", 2019, &Group::FileExcludePatterns, "FileExcludePatterns"},
    {2025, &Group::DirIncludeEnabled, "DirIncludeEnabled", 2026, &Group::DirIncludePatterns, "DirIncludePatterns"},
    {2027, &Group::DirExcludeEnabled, "DirExcludeEnabled", 2028, &Group::DirExcludePatterns, "DirExcludePatterns"},
};

} // namespace

CPageMuster::CPageMuster(const PageEnvironment &environment)
    : CBasisPage(environment, PageText::Caption(PageText::Tab::Muster), PageNoteWholePage())
    , m_binder([this]() -> Group & { return group(); })
{
    for (const PatternRow &row : kRows) {
        QCheckBox *box = NewCheckBox(row.BoxId, row.BoxName);
        QLineEdit *edit = NewLineEdit(row.EditId, row.EditName);
        m_binder.Check(*box, row.Enabled);
        m_binder.Text(*edit, row.Patterns);
        connect(box, &QCheckBox::clicked, this, [this] {
            TakeValues();
            enablePatternFields();
            MarkModified();
        });
        connect(edit, &QLineEdit::textChanged, this, [this] { MarkModified(); });
    }
    auto *groups = new QHBoxLayout;
    groups->addWidget(patternGroup(LabelId::FilePatterns, "FilePatternGroup", 2016, 2017), 1);
    groups->addWidget(patternGroup(LabelId::DirPatterns, "DirPatternGroup", 2025, 2027), 1);
    PageLayout().addLayout(groups);
    PageLayout().addStretch(1);
    ShowValues();
}

Group &CPageMuster::group() const
{
    return Project().Muster;
}

QGroupBox *CPageMuster::patternGroup(int labelId, const char *name, int firstRow, int secondRow)
{
    QGroupBox *box = NewGroupBox(labelId, name);
    auto *layout = new QVBoxLayout(box);
    for (const PatternRow &row : kRows) {
        if (row.BoxId != firstRow && row.BoxId != secondRow)
            continue;
        layout->addWidget(Control(row.BoxId));
        layout->addWidget(Control(row.EditId));
    }
    layout->addStretch(1);
    return box;
}

void CPageMuster::ShowValues()
{
    m_binder.ShowAll();
    enablePatternFields();
}

bool CPageMuster::TakeValues()
{
    m_binder.TakeAll();
    return true;
}

void CPageMuster::enablePatternFields()
{
    for (const PatternRow &row : kRows)
        Control(row.EditId)->setEnabled((group().*row.Enabled) != 0);
}

} // namespace ui
