#pragma once

#include "engine/IRunObserver.h"
#include "engine/PaneRules.h"
#include "model/CViewData.h"
#include "progress/CMoveControls.h"
#include "progress/CancelQuestion.h"
#include "progress/ProgressControls.h"

#include <QDialog>

#include <array>
#include <atomic>
#include <memory>
#include <thread>

class GuiRunObserver;
class IProgressHost;
class IRunEndActions;
class ISoundPlayer;
class ITaskbarProgress;
class RunContext;

// The window of a run. The object lives as long as the main window and owns the run
// parameters; its window exists once per run: Create opens it and starts the run, closing it
// (after the run) carries out the end-of-run actions. The engine's events reach it through a
// GuiRunObserver: the sending thread waits while the window uses the record, and the window
// never waits for a run thread, so the two cannot block each other.
class CDlgSichProgress : public QDialog, private IRunObserver {
public:
    enum class CreateResult { Started, PreviousRunEnding };

    explicit CDlgSichProgress(IProgressHost &host, QWidget *parent = nullptr);
    ~CDlgSichProgress() override;

    // The run parameters; the main view fills them before Create.
    CViewData &Params() { return m_params; }

    // Opens the window for a run with the parameters in Params() and starts the run. A window
    // left open by the previous run is closed first. While the previous run's controller is
    // still ending (its end sounds), nothing is started.
    CreateResult Create();

    bool IsWindowOpen() const { return m_controls.Page != nullptr; }
    // From the start of the run until the controller has finished it (before its sounds).
    bool IsRunInProgress() const;
    // No window is open and no run thread is left: a new run may start.
    bool CanStartRun() const;
    // The run's controller thread has not ended yet (it may still play the end sounds); the
    // main window must not be destroyed before it has.
    bool IsRunThreadAlive() const { return m_controller.joinable(); }

    // The cancel button, Escape and the close box: while the run is in progress, asks and sets
    // the cancel flag on "Ja"; afterwards, closes the window.
    void Cancel();

    int ErrorCount() const { return m_errorCount; }
    const ProgressControls &Controls() const { return m_controls; }
    // The window's side of the run's events, called on the window's thread.
    IRunObserver &Events() { return *this; }

    // The surroundings of the window; they are exchanged between runs only, while no run
    // thread is alive.
    void SetQuestion(AskQuestion ask);
    void SetSoundPlayer(std::unique_ptr<ISoundPlayer> player);
    void SetTaskbar(std::unique_ptr<ITaskbarProgress> taskbar);
    // The status message and the shutdown after a run; without them both are left out.
    void SetEndOfRunActions(IRunEndActions *actions);

    void reject() override;
    void accept() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void OnPaneEvent(const CProgressData &record) override;
    void OnMessageEvent(const CProgressData &record) override;
    void OnJobStatus(int jobIndex, const QString &text) override;
    void OnRunProgress(const RunProgress &progress) override;
    void OnRunField(RunField field, const QString &text) override;
    void OnPlaySound(RunSound sound) override;
    void OnRestoreWindows() override;
    void OnCloseRequest() override;

    int threadCount() const;
    void initialise();
    void resetFields();
    void startController();
    void onControllerEnded();
    void layoutWindow();
    void coupleMinimised();
    void showErrorColour();
    // Closing the window ends the run's life: its jobs are deleted, unless a new run has
    // filled them already.
    enum class RunJobs { Delete, Keep };
    void destroyWindow(RunJobs jobs);
    void endOfRunActions(RunJobs jobs);
    void waitForControllerInEventLoop();

    IProgressHost &m_host;
    IRunEndActions *m_endActions = nullptr;
    AskQuestion m_ask;
    std::unique_ptr<ISoundPlayer> m_sound;
    std::unique_ptr<ITaskbarProgress> m_taskbar;
    CViewData m_params;
    // The options that decide the end of the run, as the run had them: the parameters may
    // already be filled for the next run when the window closes.
    struct EndOptions {
        bool ExitAfterCopy = false;
        bool ShutdownAfterCopy = false;
        bool RebootAfterShutdown = false;
        bool ShowStatusAtNextStart = false;
    } m_endOptions;
    ProgressControls m_controls;
    CMoveControls m_summaryMover;
    std::array<PaneView, 3> m_paneViews;
    std::unique_ptr<RunContext> m_run;
    std::unique_ptr<GuiRunObserver> m_runObserver;
    std::thread m_controller;
    std::atomic<bool> m_controllerDone{false};
    bool m_display = true;
    bool m_asking = false;
    bool m_closeRequested = false;
    int m_errorCount = 0;
    int m_skippedFiles = 0;
    int m_skippedDirectories = 0;
};
