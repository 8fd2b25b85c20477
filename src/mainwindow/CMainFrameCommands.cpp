#include "mainwindow/CMainFrame.h"

#include "controls/UserPrompts.h"
#include "mainwindow/CSheetParam.h"
#include "mainwindow/CViewSich.h"
#include "mainwindow/CZelvaronDoc.h"
#include "mainwindow/CommandIds.h"
#include "mainwindow/EditCommands.h"
#include "mainwindow/MainCommands.h"
#include "mainwindow/ProjectCommands.h"
#include "progress/CDlgSichProgress.h"
#include "unattended/CDlgBatchFenster.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QToolBar>

namespace {

std::optional<EditCommand> editCommand(int id)
{
    switch (id) {
    case CommandId::EditUndo:
        return EditCommand::Undo;
    case CommandId::EditCut:
        return EditCommand::Cut;
    case CommandId::EditCopy:
        return EditCommand::Copy;
    case CommandId::EditPaste:
        return EditCommand::Paste;
    default:
        return std::nullopt;
    }
}

} // namespace

void CMainFrame::runCommand(int id)
{
    using namespace CommandId;
    if (const std::optional<EditCommand> edit = editCommand(id)) {
        RunEditCommand(*edit, QApplication::focusWidget());
        return;
    }
    if (const MainCommand *command = FindMainCommand(id); command && command->Page >= 0) {
        m_view->SelectPage(command->Page);
        return;
    }
    switch (id) {
    case FileNew:
        m_files->OnFileNew();
        break;
    case FileOpen:
        m_files->OnFileOpen();
        break;
    case FileSave:
        m_files->OnFileSave();
        break;
    case FileSaveAs:
        m_files->OnFileSaveAs();
        break;
    case Parameter: {
        CSheetParam sheet(m_prompts, this);
        m_prompts.Exec(sheet);
        break;
    }
    case AppExit:
        close();
        break;
    case Run:
        m_view->StartRun(model::StartKind::User);
        break;
    case RetryRun:
        m_view->StartRetryRun(QString());
        break;
    default:
        break;
    }
}

void CMainFrame::UpdateCommandStates()
{
    if (!m_view)
        return;
    QWidget *focus = QApplication::focusWidget();
    for (int id : {CommandId::EditUndo, CommandId::EditCut, CommandId::EditCopy, CommandId::EditPaste})
        m_actions[id]->setEnabled(CanRunEditCommand(*editCommand(id), focus));
    m_actions[CommandId::Run]->setEnabled(m_view->CanStartRun());
    m_actions[CommandId::RetryRun]->setEnabled(m_progress->CanStartRun());
    m_actions[CommandId::ViewToolbar]->setChecked(!m_toolBar->isHidden());
}

void CMainFrame::PostStartRequest()
{
    QMetaObject::invokeMethod(this, [this] { OnStartRequest(); }, Qt::QueuedConnection);
}

void CMainFrame::OnStartRequest()
{
    CDlgBatchFenster countdown(this);
    if (m_prompts.Exec(countdown) != QDialog::Rejected)
        m_view->StartRun(model::StartKind::Countdown);
}

// While a run is in progress the window stays: closing it asks whether to cancel the run. The
// window of a run that has ended closes with it and carries out the run's end actions.
void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (m_progress->IsRunInProgress()) {
        event->ignore();
        m_progress->Cancel();
        return;
    }
    if (m_progress->IsWindowOpen())
        m_progress->Cancel();
    if (!m_files->SaveModified()) {
        event->ignore();
        return;
    }
    m_files->CloseProject();
    event->accept();
}

// While minimised the run window may write its progress into the title; restoring the window
// brings back the title it had.
void CMainFrame::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized()) {
        m_titleWhileMinimized = windowTitle();
    } else if (!m_titleWhileMinimized.isEmpty()) {
        setWindowTitle(m_titleWhileMinimized);
        m_titleWhileMinimized.clear();
    }
}

bool CMainFrame::IsMainWindowMinimized() const
{
    return isMinimized();
}

void CMainFrame::MinimizeMainWindow()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void CMainFrame::RestoreMainWindow()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
}

void CMainFrame::SetMinimizedTitle(const QString &title)
{
    setWindowTitle(title);
}

void CMainFrame::ShowJobStatus(int jobIndex, const QString &text)
{
    if (m_view)
        m_view->SetJobStatus(jobIndex, text);
}

void CMainFrame::EnableView()
{
    if (m_view)
        m_view->EnableListButtons(CViewSich::ListButtons::Enabled);
}

void CMainFrame::ClearDocumentModified()
{
    m_doc->SetModified(false);
}

void CMainFrame::CloseMainWindow()
{
    QMetaObject::invokeMethod(this, [this] { close(); }, Qt::QueuedConnection);
}
