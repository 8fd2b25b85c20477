#pragma once

#include <QString>

struct CProgressData;

// The six figures a worker reports to the main window for its taskbar entry.
struct RunProgress {
    enum State : int { Running = 0, Over = 1 };
    State state = Running;
    int percent = 0;
    int errorCount = 0;
    int threadCount = 1;
    int jobCount = 0;
    int jobNumber = 0; // counted from 1
};

// The sounds of the end of a run.
enum class RunSound : int { RunEnded = 145, EndedWithErrors = 153, EndedWithoutErrors = 154 };

// The fields of the run window that the controller fills.
enum class RunField { StartTime, EndTimeLabel, EndTime, Duration, CancelButton };

// The one channel from the engine to a front end. Every call is synchronous: the engine
// continues only after the front end has used the record, and the calls of one sender stay
// ordered. Calls come from the controller thread and from up to three worker threads at once;
// an implementation serialises them (the GUI through its event loop, the CLI with a mutex).
class IRunObserver {
public:
    virtual ~IRunObserver() = default;

    // A pane event; sent only while the display flag is set.
    virtual void OnPaneEvent(const CProgressData &record) = 0;
    // A message line; the run's counters already include this message.
    virtual void OnMessageEvent(const CProgressData &record) = 0;
    // The status text of a job row.
    virtual void OnJobStatus(int jobIndex, const QString &text) = 0;
    virtual void OnRunProgress(const RunProgress &progress) = 0;
    virtual void OnRunField(RunField field, const QString &text) = 0;
    // Played synchronously, one after the other; a front end without sound returns at once.
    virtual void OnPlaySound(RunSound sound) = 0;
    // Without ExitAfterCopy the windows come back to normal size at the end of a run.
    virtual void OnRestoreWindows() = 0;
    // With ExitAfterCopy: the run window is asked to close (and end the program).
    virtual void OnCloseRequest() = 0;
};
