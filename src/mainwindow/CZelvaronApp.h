#pragma once

#include <QStringList>

#include <memory>

class CMainFrame;
class IUserPrompts;

// The start of the program: settings location, command line, then either only the status
// window of an earlier run or the main window with a new project, the project named on the
// command line and, for an unattended start, the start request.
class CZelvaronApp {
public:
    enum class StartResult { StatusShown, MainWindow };

    explicit CZelvaronApp(IUserPrompts &prompts);
    ~CZelvaronApp();

    // `arguments` without the program's own name.
    StartResult InitInstance(const QStringList &arguments);
    // Writes the recently used list; called when the event loop has ended.
    void ExitInstance();

    CMainFrame *MainFrame() const { return m_frame.get(); }
    // Set between reading the command line and the end of start-up when "/BATCH" was given
    // and no opened project posted the start request itself.
    bool BatchFlag() const { return m_batch; }

private:
    IUserPrompts &m_prompts;
    std::unique_ptr<CMainFrame> m_frame;
    bool m_batch = false;
};
