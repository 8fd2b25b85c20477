#include "progress/CDlgSichProgress.h"

#include "engine/PaneRules.h"
#include "engine/RunContext.h"
#include "engine/RunController.h"
#include "progress/CFortschrittCtrl.h"
#include "progress/CMessageEdit.h"
#include "progress/CTaskbarProgress.h"
#include "progress/GuiRunObserver.h"
#include "progress/IProgressHost.h"
#include "progress/IRunEndActions.h"
#include "progress/ProgressLayout.h"
#include "progress/ProgressTexts.h"
#include "progress/SoundPlayer.h"
#include "resources/Strings.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <chrono>
#include <system_error>

namespace {

constexpr int kWindowWidth = 700;
constexpr int kPaneHeightStep = 150;
constexpr int kWindowBaseHeight = 250;
constexpr qsizetype kMessageLimit = 5000000;
const QColor kErrorRed(200, 0, 0);

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
    | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;

} // namespace

CDlgSichProgress::CDlgSichProgress(IProgressHost &host, QWidget *parent)
    : QDialog(parent, kWindowFlags)
    , m_host(host)
    , m_ask(AskYesNoDefaultNo)
    , m_sound(std::make_unique<ThemeSoundPlayer>(ThemeSoundPlayer::FromEnvironment()))
    , m_taskbar(std::make_unique<CTaskbarProgress>(CTaskbarProgress::ForSession()))
{
    setObjectName(QStringLiteral("CDlgSichProgress"));
    setModal(false);
}

// Normally the main window lets no run outlive it. Should it happen, the run is cancelled
// without the window and its end is awaited in the event loop, which still serves the run
// threads' pending calls.
CDlgSichProgress::~CDlgSichProgress()
{
    if (!m_controller.joinable())
        return;
    m_runObserver->Detach();
    m_run->RequestCancel();
    waitForControllerInEventLoop();
}

void CDlgSichProgress::waitForControllerInEventLoop()
{
    while (!m_controllerDone.load()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    m_controller.join();
}

void CDlgSichProgress::SetQuestion(AskQuestion ask) { m_ask = std::move(ask); }
void CDlgSichProgress::SetSoundPlayer(std::unique_ptr<ISoundPlayer> player) { m_sound = std::move(player); }
void CDlgSichProgress::SetTaskbar(std::unique_ptr<ITaskbarProgress> taskbar) { m_taskbar = std::move(taskbar); }
void CDlgSichProgress::SetEndOfRunActions(IRunEndActions *actions) { m_endActions = actions; }

bool CDlgSichProgress::IsRunInProgress() const
{
    return m_run && m_run->IsRunning();
}

bool CDlgSichProgress::CanStartRun() const
{
    return !IsWindowOpen() && !m_controller.joinable();
}

int CDlgSichProgress::threadCount() const
{
    return std::clamp(int(m_params.ThreadCount), 1, 3);
}

CDlgSichProgress::CreateResult CDlgSichProgress::Create()
{
    if (m_controller.joinable())
        return CreateResult::PreviousRunEnding;
    if (IsWindowOpen())
        destroyWindow(RunJobs::Keep);
    m_controls = CreateProgressControls(*this, threadCount());
    initialise();
    return CreateResult::Started;
}

void CDlgSichProgress::initialise()
{
    setWindowTitle(LoadStr(kTextWindowCaption));
    connect(m_controls.CancelButton, &QPushButton::clicked, this, [this] { Cancel(); });
    // The controls are taken while they still lie inside their box: showing the window lays
    // it out and moves the box.
    m_summaryMover.Collect(*m_controls.Page, m_controls.SummaryBox->geometry());
    setWindowState(Qt::WindowNoState);
    show();
    if (m_params.ShutdownAfterCopy)
        m_params.ExitAfterCopy = true;
    m_endOptions = {m_params.ExitAfterCopy, m_params.ShutdownAfterCopy, m_params.RebootAfterShutdown,
                    m_params.ShowStatusAtNextStart};
    resize(kWindowWidth, threadCount() * kPaneHeightStep + kWindowBaseHeight);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    layoutWindow();
    resetFields();
    m_runObserver = std::make_unique<GuiRunObserver>(Events(), *m_sound, *this);
    m_run = std::make_unique<RunContext>(m_params, *m_runObserver, Presentation::Window);
    m_run->SetDisplayEnabled(m_display);
    if (m_params.StartMinimized) {
        showMinimized();
        if (!m_host.IsMainWindowMinimized())
            m_host.MinimizeMainWindow();
    }
    startController();
}

void CDlgSichProgress::resetFields()
{
    m_controls.StartTime->clear();
    m_controls.EndTime->clear();
    m_controls.Duration->clear();
    if (threadCount() == 1)
        m_controls.EndTimeLabel->setText(LoadStr(kTextEstimatedEndLabel));
    m_errorCount = 0;
    m_skippedFiles = 0;
    m_skippedDirectories = 0;
    m_controls.ErrorCount->setText(QStringLiteral("0"));
    m_controls.Skipped->setText(SkipFieldText(0, 0));
    m_controls.MessageBox->SetLimit(kMessageLimit);
    m_controls.MessageBox->Clear();
    m_paneViews = {};
    showErrorColour();
}

void CDlgSichProgress::startController()
{
    m_run->MarkRunning(true);
    m_controllerDone.store(false);
    RunContext *run = m_run.get();
    try {
        m_controller = std::thread([this, run] {
            RunController(*run).Run();
            // Posted before the flag is set: once the flag is seen, the thread no longer
            // touches the window, which may then be destroyed.
            QMetaObject::invokeMethod(this, [this] { onControllerEnded(); }, Qt::QueuedConnection);
            m_controllerDone.store(true);
        });
    } catch (const std::system_error &) {
        m_run->MarkRunning(false);
        m_controls.MessageBox->AppendLine(MessageBoxLine(LoadStr(kTextRunNotStarted)));
        m_controls.CancelButton->setText(LoadStr(kTextCloseButton));
    }
}

void CDlgSichProgress::onControllerEnded()
{
    if (!m_controller.joinable())
        return;
    m_controller.join();
    m_run.reset();
    m_runObserver.reset();
}

void CDlgSichProgress::Cancel()
{
    if (!IsWindowOpen())
        return;
    if (!IsRunInProgress()) {
        destroyWindow(RunJobs::Delete);
        return;
    }
    if (m_asking)
        return;
    m_asking = true;
    const Answer answer = m_ask(this, LoadStr(kTextCancelQuestion));
    m_asking = false;
    // The run may have ended while the question was open.
    if (answer == Answer::Yes && IsRunInProgress())
        m_run->RequestCancel();
    if (m_closeRequested) {
        m_closeRequested = false;
        Cancel();
    }
}

void CDlgSichProgress::reject()
{
    Cancel();
}

void CDlgSichProgress::accept() {}

void CDlgSichProgress::closeEvent(QCloseEvent *event)
{
    event->ignore();
    Cancel();
}

void CDlgSichProgress::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CDlgSichProgress::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutWindow();
}

void CDlgSichProgress::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        layoutWindow();
}

void CDlgSichProgress::layoutWindow()
{
    if (!IsWindowOpen() || m_controls.Panes.isEmpty())
        return;
    coupleMinimised();
    if (isMinimized())
        return;
    m_controls.Page->setGeometry(rect());
    ProgressLayout current;
    for (const CFortschrittCtrl *pane : m_controls.Panes)
        current.Panes.push_back(pane->geometry());
    current.SummaryBox = m_controls.SummaryBox->geometry();
    current.MessageFrame = m_controls.MessageFrame->geometry();
    const ProgressLayout next = LayoutProgressWindow(size(), current);
    for (qsizetype i = 0; i < m_controls.Panes.size(); ++i)
        m_controls.Panes[i]->setGeometry(next.Panes[size_t(i)]);
    m_controls.SummaryBox->setGeometry(next.SummaryBox);
    m_summaryMover.Move(next.SummaryBox.topLeft());
    m_controls.MessageFrame->setGeometry(next.MessageFrame);
    m_controls.MessageBox->setGeometry(next.MessageBox);
    update();
}

// A minimised run window takes the main window with it and stops the pane events, which
// nobody could see; restoring it brings both back.
void CDlgSichProgress::coupleMinimised()
{
    m_display = !isMinimized();
    if (m_run)
        m_run->SetDisplayEnabled(m_display);
    if (!m_display && !m_host.IsMainWindowMinimized())
        m_host.MinimizeMainWindow();
    else if (m_display && m_host.IsMainWindowMinimized())
        m_host.RestoreMainWindow();
}

void CDlgSichProgress::showErrorColour()
{
    QPalette labelPalette;
    QPalette fieldPalette;
    if (m_errorCount >= 1) {
        labelPalette.setColor(QPalette::WindowText, kErrorRed);
        fieldPalette.setColor(QPalette::Text, kErrorRed);
    }
    m_controls.ErrorLabel->setPalette(labelPalette);
    m_controls.ErrorCount->setPalette(fieldPalette);
}

void CDlgSichProgress::destroyWindow(RunJobs jobs)
{
    hide();
    ProgressControls closed = std::exchange(m_controls, ProgressControls{});
    m_summaryMover = CMoveControls();
    // The page may hold the button whose click closes the window.
    closed.Page->hide();
    closed.Page->deleteLater();
    endOfRunActions(jobs);
}

void CDlgSichProgress::endOfRunActions(RunJobs jobs)
{
    const EndOptions &options = m_endOptions;
    if (jobs == RunJobs::Delete)
        m_params.Jobs.clear();
    if (options.ShowStatusAtNextStart && m_endActions)
        m_endActions->RegisterStatusMessage(m_errorCount);
    if (options.ExitAfterCopy) {
        m_host.ClearDocumentModified();
        if (!options.ShutdownAfterCopy)
            m_host.CloseMainWindow();
    } else {
        if (m_host.IsMainWindowMinimized())
            m_host.RestoreMainWindow();
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    RunProgress over;
    over.state = RunProgress::Over;
    m_taskbar->Show(over);
    m_host.EnableView();
    if (options.ShutdownAfterCopy && m_endActions) {
        const bool reboot = options.RebootAfterShutdown;
        m_endActions->StartShutdown(reboot ? ShutdownKind::Reboot : ShutdownKind::PowerOff,
                                    LoadStr(reboot ? kTextShutdownReboot : kTextShutdownPowerOff));
    }
}
