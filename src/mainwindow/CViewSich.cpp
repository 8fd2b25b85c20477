#include "mainwindow/CViewSich.h"

#include "controls/CMyListCtrl.h"
#include "controls/CMyTabCtrl.h"
#include "controls/CommandText.h"
#include "controls/GuiTexts.h"
#include "mainwindow/AppIcons.h"
#include "mainwindow/CZelvaronDoc.h"
#include "mainwindow/JobButtonStates.h"
#include "mainwindow/OptionPages.h"
#include "resources/Strings.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMargin = 5;
constexpr int kGap = 10;
constexpr int kButtonSpacing = 6;
constexpr int kMoveButtonGap = 18;
constexpr int kFirstButtonId = 2001;
const QString kModifiedMarker = QStringLiteral("  (*)");

} // namespace

CViewSich::CViewSich(CZelvaronDoc &doc, CDlgSichProgress &progress, IUserPrompts &prompts, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_progress(progress)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("CViewSich"));
    setAcceptDrops(true);
    buildControls();
    setUpList();
    setUpPages();
    layoutControls();
    connectControls();
    m_timer.setInterval(TimerMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &CViewSich::OnTimer);
    m_timer.start();
}

QPushButton *CViewSich::addButton(int controlId, const char *name)
{
    auto *button = new QPushButton(ControlText(controlId), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(CommandText::Tip(LoadStr(GuiText::TipNewButton + controlId - kFirstButtonId)));
    button->setAutoDefault(false);
    return button;
}

void CViewSich::buildControls()
{
    m_list = new CMyListCtrl(this);
    m_list->setObjectName(QStringLiteral("JobList"));
    m_new = addButton(2001, "NewButton");
    m_change = addButton(2002, "ChangeButton");
    m_copy = addButton(2003, "CopyButton");
    m_delete = addButton(2004, "DeleteButton");
    m_test = addButton(2005, "TestButton");
    QPushButton *up = addButton(2006, "MoveUpButton");
    up->setIcon(AppIcons::Get(AppIcons::Id::MoveUp));
    QPushButton *down = addButton(2007, "MoveDownButton");
    down->setIcon(AppIcons::Get(AppIcons::Id::MoveDown));
    m_up = up;
    m_down = down;
    m_tabs = new CMyTabCtrl(this);
    m_tabs->setObjectName(QStringLiteral("OptionTabs"));
    m_tabs->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void CViewSich::setUpList()
{
    m_list->SetReportStyle();
    QStringList titles;
    for (int column = 0; column < ColumnCount; ++column)
        titles.append(LoadStr(GuiText::ColumnJob + column));
    m_list->SetColumns(titles);
    m_list->SetColumnEditTypes({COL_EDIT_NONE, COL_EDIT_NONE, COL_EDIT_CHECK, COL_EDIT_CHECK, COL_EDIT_TEXT,
                                COL_EDIT_TEXT});
    m_list->SetColumnAlignment(ColJob, Qt::AlignRight);
    m_list->setAcceptDrops(false);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
}

void CViewSich::setUpPages()
{
    const OptionPageContext context{m_doc, m_prompts, [this](const QString &file) { StartRetryRun(file); }};
    m_pages = CreateOptionPages(context);
    for (IOptionPage *page : m_pages)
        m_tabs->AddPage(&page->Widget());
    m_tabs->ShowPage(0);
}

// The buttons keep their size in a column at the right; the tab control keeps its height at
// the bottom and spans the width; the list takes the rest.
void CViewSich::layoutControls()
{
    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(kButtonSpacing);
    for (QWidget *button : {static_cast<QWidget *>(m_new), static_cast<QWidget *>(m_change),
                            static_cast<QWidget *>(m_copy), static_cast<QWidget *>(m_delete),
                            static_cast<QWidget *>(m_test)})
        buttons->addWidget(button);
    buttons->addSpacing(kMoveButtonGap);
    buttons->addWidget(m_up);
    buttons->addWidget(m_down);
    buttons->addStretch(1);

    auto *top = new QHBoxLayout;
    top->setSpacing(kGap);
    top->addWidget(m_list, 1);
    top->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(kGap);
    layout->addLayout(top, 1);
    layout->addWidget(m_tabs);
}

void CViewSich::connectControls()
{
    connect(m_new, &QPushButton::clicked, this, &CViewSich::OnNew);
    connect(m_change, &QPushButton::clicked, this, &CViewSich::OnChange);
    connect(m_copy, &QPushButton::clicked, this, &CViewSich::OnCopy);
    connect(m_delete, &QPushButton::clicked, this, &CViewSich::OnDelete);
    connect(m_test, &QPushButton::clicked, this, &CViewSich::OnTest);
    connect(m_up, &QAbstractButton::clicked, this, &CViewSich::OnMoveUp);
    connect(m_down, &QAbstractButton::clicked, this, &CViewSich::OnMoveDown);
    connect(m_list, &CMyListCtrl::ModifyMyListCtrl, this, &CViewSich::onCellCommitted);
    connect(m_list, &QWidget::customContextMenuRequested, this, &CViewSich::onContextMenu);
    connect(&m_doc, &CZelvaronDoc::ProjectReplaced, this, &CViewSich::onProjectReplaced);
}

void CViewSich::onProjectReplaced()
{
    m_list->FinishEditor(EditorFinish::Discard);
    m_list->setRowCount(0);
    syncRows();
    for (IOptionPage *page : m_pages)
        page->ShowValues();
}

void CViewSich::OnTimer()
{
    updateButtonStates();
    renumberRows();
    updateModifiedMarker();
}

void CViewSich::updateButtonStates()
{
    const JobButtonStates states = JobButtonStates::For(int(m_list->SelectedRows().size()), m_list->rowCount());
    m_change->setEnabled(states.Change);
    m_copy->setEnabled(states.Copy);
    m_delete->setEnabled(states.Delete);
    m_test->setEnabled(states.Test);
    m_up->setEnabled(states.MoveUp);
    m_down->setEnabled(states.MoveDown);
}

void CViewSich::renumberRows()
{
    for (int row = 0; row < m_list->rowCount(); ++row)
        m_list->SetCellText(row, ColJob, QString::number(row));
}

void CViewSich::updateModifiedMarker()
{
    QWidget *frame = window();
    if (frame->isMinimized())
        return;
    QString title = frame->windowTitle();
    const bool marked = title.contains(kModifiedMarker);
    if (m_doc.IsModified() && !marked) {
        frame->setWindowTitle(title + kModifiedMarker);
    } else if (!m_doc.IsModified() && marked) {
        title.remove(kModifiedMarker);
        frame->setWindowTitle(title);
    }
}

void CViewSich::EnableListButtons(ListButtons state)
{
    const bool enabled = state == ListButtons::Enabled;
    for (QWidget *button : {static_cast<QWidget *>(m_new), static_cast<QWidget *>(m_change),
                            static_cast<QWidget *>(m_copy), static_cast<QWidget *>(m_delete),
                            static_cast<QWidget *>(m_up), static_cast<QWidget *>(m_down)})
        button->setEnabled(enabled);
    if (enabled) {
        m_timer.start();
        updateButtonStates();
    } else {
        m_timer.stop();
    }
}

void CViewSich::SelectPage(int index)
{
    m_tabs->ShowPage(index);
}

bool CViewSich::TakePageValues()
{
    m_list->FinishEditor(EditorFinish::Commit);
    // When several pages hold a value that fails its validation, the first in this order reports.
    static constexpr int order[] = {0, 1, 2, 4, 3, 5, 6};
    for (int tab : order) {
        if (tab < m_pages.size() && !m_pages[tab]->TakeValues())
            return false;
    }
    return true;
}
