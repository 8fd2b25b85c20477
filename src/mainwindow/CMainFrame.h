#pragma once

#include "progress/IProgressHost.h"

#include <QHash>
#include <QMainWindow>
#include <QTimer>

#include <memory>

class CDlgSichProgress;
class CViewSich;
class CZelvaronDoc;
class IUserPrompts;
class ProjectCommands;
class QAction;
class QLabel;
class QMenu;
class QToolBar;

// The program's main window: menu, toolbar and status bar around the job list view. It owns
// the project, the run window and the file commands, turns the commands into actions of the
// view, keeps its placement in the settings and answers the run window's requests.
class CMainFrame : public QMainWindow, public IProgressHost {
    Q_OBJECT

public:
    static constexpr int MinimumHeight = 560;
    static constexpr int UpdateMilliseconds = 250;

    // `recentFiles` fill the recently used list of the "Datei" menu.
    CMainFrame(IUserPrompts &prompts, const QStringList &recentFiles, QWidget *parent = nullptr);
    ~CMainFrame() override;

    CZelvaronDoc &Doc() const { return *m_doc; }
    CViewSich &View() const { return *m_view; }
    CDlgSichProgress &Progress() const { return *m_progress; }
    ProjectCommands &Files() const { return *m_files; }
    QAction *Action(int commandId) const { return m_actions.value(commandId); }
    QMenu *FileMenu() const { return m_fileMenu; }
    QToolBar *ToolBar() const { return m_toolBar; }

    // The start request of an unattended start: the countdown follows once the event loop
    // runs, and unless it is cancelled a batch run of the active jobs.
    void PostStartRequest();
    void OnStartRequest();
    // Enables the commands by the state of the project, the run and the focused control.
    void UpdateCommandStates();
    // The title: the project's name and the program's name.
    QString BaseTitle() const;

    bool IsMainWindowMinimized() const override;
    void MinimizeMainWindow() override;
    void RestoreMainWindow() override;
    void SetMinimizedTitle(const QString &title) override;
    void ShowJobStatus(int jobIndex, const QString &text) override;
    void EnableView() override;
    void ClearDocumentModified() override;
    void CloseMainWindow() override;

signals:
    // A project with "Autostart" was opened; its start request is posted.
    void AutostartOpened();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    QMenu *createPopupMenu() override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void connectCommands();
    void runCommand(int id);
    void updateTitle();
    void updateRecentFileMenu();
    void restorePlacement();
    void savePlacement();

    IUserPrompts &m_prompts;
    std::unique_ptr<CZelvaronDoc> m_doc;
    std::unique_ptr<CDlgSichProgress> m_progress;
    CViewSich *m_view = nullptr;
    std::unique_ptr<ProjectCommands> m_files;
    QHash<int, QAction *> m_actions;
    QList<QAction *> m_recentActions;
    QAction *m_recentSeparator = nullptr;
    QMenu *m_fileMenu = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_ready = nullptr;
    QTimer m_updateTimer;
    QString m_titleWhileMinimized;
};
