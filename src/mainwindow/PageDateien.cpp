#include "mainwindow/PageDateien.h"

#include "mainwindow/PageTexts.h"
#include "model/CProjectData.h"
#include "resources/Strings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

using Group = model::CPageDateien;

// One group of the page: the list file's path, its "..." and "Anzeigen ..." buttons and the
// box that deletes the file when the project closes.
struct ListFileRow {
    int LabelId;
    const char *GroupName;
    int EditId;
    QString Group::*File;
    const char *EditName;
    int PickId;
    const char *PickName;
    int ShowId;
    const char *ShowName;
    int DeleteId;
    qint32 Group::*DeleteAtEnd;
    const char *DeleteName;
};

namespace {

constexpr int kRetryRunId = 2056;
constexpr int kGroupMargin = 8;

const ListFileRow kRows[] = {
    {LabelId::CopiedList, "CopiedListGroup", 2029, &Group::CopiedListFile, "CopiedListFile", 2030, "PickCopiedListFile",
     2031, "ShowCopiedListFile", 2052, &Group::DeleteCopiedListAtEnd, "DeleteCopiedListAtEnd"},
    {LabelId::RetryList, "RetryListGroup", 2032, &Group::RetryListFile, "RetryListFile", 2033, "PickRetryListFile",
     2034, "ShowRetryListFile", 2053, &Group::DeleteRetryListAtEnd, "DeleteRetryListAtEnd"},
    {LabelId::SkippedList, "SkippedListGroup", 2035, &Group::SkippedListFile, "SkippedListFile", 2036,
     "PickSkippedListFile", 2037, "ShowSkippedListFile", 2051, &Group::DeleteSkippedListAtEnd,
     "DeleteSkippedListAtEnd"},
};

} // namespace

CPageDateien::CPageDateien(const PageEnvironment &environment)
    : CBasisPage(environment, PageText::Caption(PageText::Tab::Dateien), PageNoteStarredOptions())
    , m_binder([this]() -> Group & { return group(); })
{
    PageLayout().setSpacing(kGroupMargin / 2);
    for (const ListFileRow &row : kRows)
        PageLayout().addWidget(listGroup(row));
    PageLayout().addStretch(1);
    ShowValues();
}

Group &CPageDateien::group() const
{
    return Project().Dateien;
}

QGroupBox *CPageDateien::listGroup(const ListFileRow &row)
{
    QLineEdit *edit = NewLineEdit(row.EditId, row.EditName);
    QPushButton *pickButton = NewButton(row.PickId, row.PickName);
    QPushButton *showButton = NewButton(row.ShowId, row.ShowName);
    QCheckBox *deleteAtEnd = NewCheckBox(row.DeleteId, row.DeleteName);
    m_binder.Text(*edit, row.File);
    m_binder.Check(*deleteAtEnd, row.DeleteAtEnd);
    connect(edit, &QLineEdit::textChanged, this, [this] { MarkModified(); });
    connect(deleteAtEnd, &QCheckBox::clicked, this, [this] { MarkModified(); });
    connect(pickButton, &QPushButton::clicked, this, [this, field = row.File] { pickListFile(field); });
    connect(showButton, &QPushButton::clicked, this, [this, field = row.File] { showListFile(field); });

    QGroupBox *box = NewGroupBox(row.LabelId, row.GroupName);
    auto *layout = new QGridLayout(box);
    layout->setContentsMargins(kGroupMargin, kGroupMargin / 2, kGroupMargin, kGroupMargin);
    layout->setVerticalSpacing(kGroupMargin / 2);
    layout->addWidget(edit, 0, 0);
    layout->addWidget(pickButton, 0, 1);
    layout->addWidget(showButton, 0, 2);
    layout->addWidget(deleteAtEnd, 0, 3);
    layout->setColumnStretch(0, 1);
    if (row.EditId == 2032) {
        QPushButton *retryRun = NewButton(kRetryRunId, "RetryRun");
        connect(retryRun, &QPushButton::clicked, this, &CPageDateien::startRetryRun);
        layout->addWidget(retryRun, 1, 0, Qt::AlignLeft);
    }
    return box;
}

void CPageDateien::ShowValues()
{
    m_binder.ShowAll();
}

bool CPageDateien::TakeValues()
{
    m_binder.TakeAll();
    return true;
}

void CPageDateien::pickListFile(QString Group::*field)
{
    TakeValues();
    if (PickTextFile(group().*field))
        ShowValues();
}

void CPageDateien::showListFile(QString Group::*field)
{
    TakeValues();
    ShowFile(group().*field);
}

void CPageDateien::startRetryRun()
{
    TakeValues();
    StartRetryRun(group().RetryListFile);
}

} // namespace ui
