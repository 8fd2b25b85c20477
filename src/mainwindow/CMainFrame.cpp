#include "mainwindow/CMainFrame.h"

#include "controls/CMyListCtrl.h"
#include "controls/CommandText.h"
#include "controls/DocumentTemplate.h"
#include "controls/GuiTexts.h"
#include "controls/UserPrompts.h"
#include "mainwindow/AppIcons.h"
#include "mainwindow/CViewSich.h"
#include "mainwindow/CZelvaronDoc.h"
#include "mainwindow/CommandIds.h"
#include "mainwindow/FramePlacement.h"
#include "mainwindow/MainCommands.h"
#include "mainwindow/ProjectCommands.h"
#include "mainwindow/RecentFiles.h"
#include "model/CSettings.h"
#include "progress/CDlgSichProgress.h"
#include "resources/Strings.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <utility>

namespace {

constexpr int kDefaultWidth = 1200;
constexpr int kDefaultHeight = 760;

} // namespace

CMainFrame::CMainFrame(IUserPrompts &prompts, const QStringList &recentFiles, QWidget *parent)
    : QMainWindow(parent)
    , m_prompts(prompts)
    , m_doc(std::make_unique<CZelvaronDoc>())
{
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(AppIcons::Get(AppIcons::Id::App));
    m_progress = std::make_unique<CDlgSichProgress>(*this, this);
    m_view = new CViewSich(*m_doc, *m_progress, prompts, this);
    setCentralWidget(m_view);
    m_files = std::make_unique<ProjectCommands>(
        *m_doc, prompts, *this,
        ProjectCommands::ViewHooks{[this] { m_view->List().FinishEditor(EditorFinish::Commit); },
                                   [this] { return m_view->TakePageValues(); }});
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    connectCommands();
    setMinimumHeight(MinimumHeight);
    resize(kDefaultWidth, kDefaultHeight);
    restorePlacement();
    m_files->SetRecentFiles(recentFiles);
    // The first project is a new one, made by the same reset that closes a project.
    m_doc->NewProject();
    m_updateTimer.setInterval(UpdateMilliseconds);
    connect(&m_updateTimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandStates);
    m_updateTimer.start();
    UpdateCommandStates();
}

// The view goes first: while the run window ends, it may still call back into the view.
CMainFrame::~CMainFrame()
{
    savePlacement();
    m_updateTimer.stop();
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    delete std::exchange(m_view, nullptr);
    m_progress.reset();
}

void CMainFrame::createActions()
{
    for (const MainCommand &command : MainCommands()) {
        auto *action = new QAction(LoadStr(command.TextId), this);
        action->setObjectName(QStringLiteral("Command%1").arg(command.Id));
        const QString prompt = LoadStr(command.PromptId);
        action->setStatusTip(CommandText::Prompt(prompt));
        action->setToolTip(CommandText::Tip(prompt));
        action->setShortcuts(command.Keys);
        if (command.Icon)
            action->setIcon(AppIcons::Get(*command.Icon));
        const int id = command.Id;
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        m_actions.insert(id, action);
    }
    for (int id : {CommandId::ViewToolbar, CommandId::ViewStatusBar}) {
        m_actions[id]->setCheckable(true);
        m_actions[id]->setChecked(true);
    }
}

void CMainFrame::createMenus()
{
    using namespace CommandId;
    const auto addMenu = [this](int titleId, std::initializer_list<int> ids) {
        QMenu *menu = menuBar()->addMenu(LoadStr(titleId));
        for (int id : ids)
            id == 0 ? static_cast<void>(menu->addSeparator()) : menu->addAction(m_actions[id]);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
        return menu;
    };
    m_fileMenu = addMenu(GuiText::MenuFile, {FileNew, FileOpen, FileSave, FileSaveAs, 0, Parameter, 0});
    m_recentSeparator = m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_actions[AppExit]);
    addMenu(GuiText::MenuEdit, {EditUndo, 0, EditCut, EditCopy, EditPaste});
    addMenu(GuiText::MenuAction, {Run, RetryRun});
    addMenu(GuiText::MenuNavigation, {PageOption, PagePruefdatei, PageMuster, PageDatum, PageDateien, PageZip, PageUnzip});
    addMenu(GuiText::MenuView, {ViewToolbar, ViewStatusBar});
}

void CMainFrame::createToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    for (int id : ToolbarCommands())
        id == 0 ? static_cast<void>(m_toolBar->addSeparator()) : m_toolBar->addAction(m_actions[id]);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void CMainFrame::createStatusBar()
{
    m_ready = new QLabel(LoadStr(GuiText::Ready), this);
    m_ready->setObjectName(QStringLiteral("ReadyText"));
    statusBar()->addWidget(m_ready, 1);
}

void CMainFrame::connectCommands()
{
    connect(m_actions[CommandId::ViewToolbar], &QAction::toggled, m_toolBar, &QWidget::setVisible);
    connect(m_actions[CommandId::ViewStatusBar], &QAction::toggled, statusBar(), &QWidget::setVisible);
    connect(m_doc.get(), &CZelvaronDoc::PathChanged, this, &CMainFrame::updateTitle);
    connect(m_files.get(), &ProjectCommands::RecentFilesChanged, this, &CMainFrame::updateRecentFileMenu);
    connect(m_files.get(), &ProjectCommands::AutostartOpened, this, [this] {
        emit AutostartOpened();
        PostStartRequest();
    });
    // A dropped project opens once the drop has ended, since the save question is modal.
    connect(m_view, &CViewSich::ProjectFileDropped, this,
            [this](const QString &path) { m_files->OpenDocumentFile(path); }, Qt::QueuedConnection);
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::UpdateCommandStates);
}

QMenu *CMainFrame::createPopupMenu()
{
    return nullptr;
}

QString CMainFrame::BaseTitle() const
{
    return m_doc->Title() + QStringLiteral(" - ") + DocumentTemplate::AppName();
}

void CMainFrame::updateTitle()
{
    if (isMinimized())
        m_titleWhileMinimized = BaseTitle();
    else
        setWindowTitle(BaseTitle());
    if (m_view)
        m_view->OnTimer();
}

void CMainFrame::updateRecentFileMenu()
{
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    const QStringList &files = m_files->RecentFiles();
    if (files.isEmpty()) {
        auto *placeholder = new QAction(LoadStr(GuiText::ItemRecentFile), m_fileMenu);
        placeholder->setObjectName(QStringLiteral("Command%1").arg(CommandId::RecentFile));
        placeholder->setEnabled(false);
        m_recentActions.append(placeholder);
    }
    for (int index = 0; index < files.size(); ++index) {
        auto *entry = new QAction(RecentFileMenuText(index, files[index]), m_fileMenu);
        entry->setObjectName(QStringLiteral("RecentFile%1").arg(index + 1));
        entry->setStatusTip(CommandText::Prompt(LoadStr(GuiText::PromptRecentFile)));
        const QString path = files[index];
        connect(entry, &QAction::triggered, this, [this, path] { m_files->OpenDocumentFile(path); });
        m_recentActions.append(entry);
    }
    m_fileMenu->insertActions(m_recentSeparator, m_recentActions);
}

void CMainFrame::restorePlacement()
{
    if (const std::optional<model::WindowPlacement> placement
        = model::AppSettings().ReadPlacement(model::PlacementWindow::MainFrame))
        ApplyPlacement(*this, *placement);
}

void CMainFrame::savePlacement()
{
    model::AppSettings().WritePlacement(model::PlacementWindow::MainFrame, PlacementOf(*this));
}
