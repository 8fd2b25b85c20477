#include "mainwindow/PageOption.h"

#include "controls/CUpDownCtrl.h"
#include "engine/TimeFormat.h"
#include "mainwindow/PagePrompts.h"
#include "mainwindow/PageTexts.h"
#include "model/CProjectData.h"
#include "model/DateFolderFormat.h"
#include "resources/Strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

namespace ui {

namespace {

using Group = model::CPageOption;

struct CheckRow {
    int Id;
    qint32 Group::*Field;
    const char *Name;
};

constexpr CheckRow kChecks[] = {
    {2011, &Group::OnlyArchiveBit, "OnlyArchiveBit"},
    {2012, &Group::ResetArchiveBit, "ResetArchiveBit"},
    {2013, &Group::CompareAfterCopy, "CompareAfterCopy"},
    {2014, &Group::AppendDateToTarget, "AppendDateToTarget"},
    {2015, &Group::DeleteTargetOnError, "DeleteTargetOnError"},
    {2044, &Group::ScanOnly, "ScanOnly"},
    {2054, &Group::OnlyExistingInTarget, "OnlyExistingInTarget"},
    {2055, &Group::OnlyMissingInTarget, "OnlyMissingInTarget"},
    {2059, &Group::DeleteSourceAfterCopy, "DeleteSourceAfterCopy"},
    {2060, &Group::Autostart, "Autostart"},
    {2020, &Group::StartMinimized, "StartMinimized"},
    {2021, &Group::ExitAfterCopy, "ExitAfterCopy"},
    {2057, &Group::ShutdownAfterCopy, "ShutdownAfterCopy"},
    {2058, &Group::RebootAfterShutdown, "RebootAfterShutdown"},
    {2068, &Group::LongFileNames, "LongFileNames"},
    {2045, &Group::CopyDirectoryRights, "CopyDirectoryRights"},
    {2046, &Group::DirectoriesOnly, "DirectoriesOnly"},
    {1132, &Group::ShowStatusAtNextStart, "ShowStatusAtNextStart"},
    {1134, &Group::DeleteEmptyTargetDirs, "DeleteEmptyTargetDirs"},
    {1135, &Group::IncludeRootDir, "IncludeRootDir"},
};

constexpr int kThreadCountId = 2009;
constexpr int kUpDownId = 2010;
constexpr int kDateFolderId = 2065;
constexpr int kDateFolderBoxId = 2014;
constexpr int kShutdownId = 2057;
constexpr int kRebootId = 2058;
constexpr int kDeleteEmptyId = 1134;
constexpr int kIncludeRootId = 1135;
constexpr int kDeleteSourcesId = 2059;
constexpr int kOnlyExistingId = 2054;
constexpr int kOnlyMissingId = 2055;

// A click on these only marks the project modified.
constexpr int kMarkOnly[] = {2011, 2012, 2013, 2015, 2020, 2021, 2044, 2045, 2046,
                             2054, 2055, 2058, 2060, 2068, 1132, 1135};
// A click on these marks the project modified and runs the enabling rules.
constexpr int kRuleBoxes[] = {kDateFolderBoxId, kShutdownId, kDeleteEmptyId};

// The fields behind the two options that shut the computer down and delete source files.
const QColor kWarningBackground(255, 192, 192);
constexpr int kIndent = 22;
constexpr int kThreadEditWidth = 44;
constexpr int kColumnSpacing = 18;

} // namespace

CPageOption::CPageOption(const PageEnvironment &environment, const QDateTime &now)
    : CBasisPage(environment, PageText::Caption(PageText::Tab::Option), PageNoteStarredOptions())
    , m_binder([this]() -> Group & { return group(); })
{
    createControls(now);
    layOut();
    connectReactions();
    ShowValues();
}

Group &CPageOption::group() const
{
    return Project().Option;
}

void CPageOption::createControls(const QDateTime &now)
{
    for (const CheckRow &row : kChecks)
        m_binder.Check(*NewCheckBox(row.Id, row.Name), row.Field);
    for (int id : {kShutdownId, kDeleteSourcesId}) {
        QWidget *box = Control(id);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Window, kWarningBackground);
        box->setPalette(palette);
        box->setAutoFillBackground(true);
    }
    m_threadCount = NewLineEdit(kThreadCountId, "ThreadCount");
    m_threadCount->setFixedWidth(kThreadEditWidth);
    m_upDown = Tag(new CUpDownCtrl(*m_threadCount, this), kUpDownId, "ThreadCountUpDown");
    m_upDown->SetRange(Group::MinThreadCount, Group::MaxThreadCount);
    m_dateFolder = Tag(new QComboBox(this), kDateFolderId, "DateFolderFormat");
    for (const model::DateFolderFormatEntry &entry : model::DateFolderFormats())
        m_dateFolder->addItem(FormatDateTime(QString::fromUtf16(entry.Pattern), now), entry.Id);
    m_dateFolder->setCurrentIndex(0);
    m_logFile = NewLineEdit(2022, "LogFile");
    m_binder.Text(*m_logFile, &Group::LogFile);
    m_pickLogFile = NewButton(2023, "PickLogFile");
    m_showLogFile = NewButton(2024, "ShowLogFile");
}

QLayout *CPageOption::threadCountRow()
{
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(NewLabel(LabelId::ThreadCount, "ThreadCountLabel"));
    row->addSpacing(4);
    row->addWidget(m_threadCount);
    row->addWidget(m_upDown);
    row->addSpacing(4);
    row->addWidget(NewLabel(LabelId::ThreadCountMarker, "ThreadCountMarker"));
    row->addStretch(1);
    return row;
}

QLayout *CPageOption::logFileRow()
{
    auto *row = new QHBoxLayout;
    row->addWidget(NewLabel(LabelId::LogFile, "LogFileLabel"));
    row->addWidget(m_logFile, 1);
    row->addWidget(m_pickLogFile);
    row->addWidget(m_showLogFile);
    return row;
}

void CPageOption::layOut()
{
    const auto column = [this](std::initializer_list<int> ids, std::initializer_list<int> indented) {
        auto *layout = new QVBoxLayout;
        layout->setSpacing(2);
        for (int id : ids) {
            QWidget *control = Control(id);
            if (std::find(indented.begin(), indented.end(), id) == indented.end()) {
                layout->addWidget(control);
                continue;
            }
            auto *row = new QHBoxLayout;
            row->addSpacing(kIndent);
            row->addWidget(control, 1);
            layout->addLayout(row);
        }
        layout->addStretch(1);
        return layout;
    };
    QVBoxLayout *program = column({2060, 2020, 2021, kShutdownId, kRebootId, 1132}, {kRebootId});
    program->insertLayout(0, threadCountRow());
    auto *columns = new QHBoxLayout;
    columns->setSpacing(kColumnSpacing);
    columns->addLayout(column({2011, 2012, 2013, 2015, 2044, kOnlyExistingId, kOnlyMissingId, kDeleteSourcesId}, {}));
    columns->addLayout(column({kDateFolderBoxId, kDateFolderId, 2045, 2046, 2068, kDeleteEmptyId, kIncludeRootId},
                              {kDateFolderId, kIncludeRootId}));
    columns->addLayout(program);
    columns->addStretch(1);
    PageLayout().addLayout(columns, 1);
    PageLayout().addLayout(logFileRow());
}

void CPageOption::connectReactions()
{
    for (int id : kMarkOnly)
        connect(static_cast<QCheckBox *>(Control(id)), &QCheckBox::clicked, this, [this] { MarkModified(); });
    for (int id : kRuleBoxes) {
        connect(static_cast<QCheckBox *>(Control(id)), &QCheckBox::clicked, this, [this] {
            MarkModified();
            ApplyEnablingRules();
        });
    }
    connect(static_cast<QCheckBox *>(Control(kDeleteSourcesId)), &QCheckBox::clicked, this, [this] {
        MarkModified();
        confirmDeleteSources();
    });
    connect(m_threadCount, &QLineEdit::textChanged, this, [this] { MarkModified(); });
    connect(m_logFile, &QLineEdit::textChanged, this, [this] { MarkModified(); });
    connect(m_dateFolder, &QComboBox::currentIndexChanged, this, [this] {
        group().DateFolderFormatId = selectedFormatId();
        MarkModified();
    });
    connect(m_pickLogFile, &QPushButton::clicked, this, &CPageOption::pickLogFile);
    connect(m_showLogFile, &QPushButton::clicked, this, &CPageOption::showLogFile);
}

// A reset or a loaded record: the values shown as they are, then the dependencies. Nothing is
// validated here, so a value outside its range stays visible until a run start refuses it.
void CPageOption::ShowValues()
{
    group().ApplyDependencies();
    showControls();
    enableDependents();
}

bool CPageOption::TakeValues()
{
    const std::optional<qint64> threads =
        TakeNumber(*m_threadCount, Group::MinThreadCount, Group::MaxThreadCount, LabelId::ThreadCount);
    if (!threads)
        return false;
    group().ThreadCount = qint32(*threads);
    m_upDown->SetPos(group().ThreadCount);
    m_binder.TakeAll();
    group().DateFolderFormatId = selectedFormatId();
    return true;
}

bool CPageOption::ApplyEnablingRules()
{
    if (!TakeValues())
        return false;
    group().ApplyDependencies();
    showControls();
    enableDependents();
    return true;
}

void CPageOption::showControls()
{
    m_binder.ShowAll();
    const QSignalBlocker threadBlocker(m_threadCount);
    m_threadCount->setText(QString::number(group().ThreadCount));
    m_upDown->SetPos(group().ThreadCount);
    const QSignalBlocker comboBlocker(m_dateFolder);
    m_dateFolder->setCurrentIndex(m_dateFolder->findData(group().DateFolderFormatId));
}

void CPageOption::enableDependents()
{
    const bool dateFolder = group().AppendDateToTarget != 0;
    Control(kOnlyExistingId)->setEnabled(!dateFolder);
    Control(kOnlyMissingId)->setEnabled(!dateFolder);
    m_dateFolder->setEnabled(dateFolder);
    Control(kRebootId)->setEnabled(group().ShutdownAfterCopy != 0);
    Control(kIncludeRootId)->setEnabled(group().DeleteEmptyTargetDirs != 0);
}

void CPageOption::confirmDeleteSources()
{
    if (group().DeleteSourceAfterCopy == 0)
        return;
    if (Prompts().AskYesNoDefaultNo(this, LoadStr(PageText::DeleteSourcesQuestion)) == Answer::Yes)
        return;
    group().DeleteSourceAfterCopy = 0;
    const QSignalBlocker blocker(Control(kDeleteSourcesId));
    static_cast<QCheckBox *>(Control(kDeleteSourcesId))->setChecked(false);
}

// With no entry selected the first entry counts.
qint32 CPageOption::selectedFormatId() const
{
    const int index = m_dateFolder->currentIndex();
    return index < 0 ? model::DateFolderFormats().front().Id : m_dateFolder->itemData(index).toInt();
}

void CPageOption::pickLogFile()
{
    if (!TakeValues())
        return;
    if (PickTextFile(group().LogFile))
        showControls();
}

void CPageOption::showLogFile()
{
    if (TakeValues())
        ShowFile(group().LogFile);
}

} // namespace ui
