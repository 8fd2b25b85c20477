#pragma once

#include <QString>

// What the run window needs from the main window. The main window implements it; the run
// window calls it on the user-interface thread only.
class IProgressHost {
public:
    virtual ~IProgressHost() = default;

    virtual bool IsMainWindowMinimized() const = 0;
    virtual void MinimizeMainWindow() = 0;
    // Brings a minimised main window back to its previous size.
    virtual void RestoreMainWindow() = 0;
    // Called only while the main window is minimised: the title shows the run's progress
    // until the window is restored, which brings its normal title back.
    virtual void SetMinimizedTitle(const QString &title) = 0;
    // The status column of job row `jobIndex` (counted from 0).
    virtual void ShowJobStatus(int jobIndex, const QString &text) = 0;
    // The run window has closed: the job list may be edited and a new run started again.
    virtual void EnableView() = 0;
    // The project's modified flag is cleared, so that ending the program asks nothing.
    virtual void ClearDocumentModified() = 0;
    // Ends the program by closing the main window; the call returns before it closes.
    virtual void CloseMainWindow() = 0;
};
