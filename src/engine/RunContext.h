#pragma once

#include "engine/CProgressData.h"
#include "engine/CZusammenfassung.h"
#include "engine/IRunObserver.h"

#include <QDateTime>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>

class CViewData;

// Whether a window shows the run: a headless run skips the pause that only gives a freshly
// opened window time to be drawn.
enum class Presentation { Window, Headless };

// Everything of one run that the controller, the workers and the front end share: the run
// parameters, the flags, the run-wide counters and the summary. Parameters are read-only
// while the run is in progress.
class RunContext {
public:
    RunContext(CViewData &params, IRunObserver &observer, Presentation presentation);

    CViewData &Params() { return m_params; }
    const CViewData &Params() const { return m_params; }
    IRunObserver &Observer() { return m_observer; }
    Presentation GetPresentation() const { return m_presentation; }

    // The front end's cancel request; every run thread polls it.
    void RequestCancel();
    bool IsCancelled() const { return m_cancel.load(std::memory_order_relaxed) != 0; }
    bool IsRunning() const { return m_running.load() != 0; }
    // The window is minimised while this is false: pane events are dropped, not queued.
    void SetDisplayEnabled(bool enabled) { m_display.store(enabled ? 1 : 0); }
    bool IsDisplayEnabled() const { return m_display.load(std::memory_order_relaxed) != 0; }

    int ErrorCount() const { return m_errors.load(); }
    int SkippedFiles() const { return m_skippedFiles.load(); }
    int SkippedDirectories() const { return m_skippedDirectories.load(); }

    // "/" and the run-opened time in the date-folder pattern, when a date folder is appended.
    const QString &DateFolderSuffix() const { return m_dateFolderSuffix; }
    const QDateTime &OpenedAt() const { return m_openedAt; }
    CZusammenfassung &Summary() { return m_summary; }

    // Pane event for the parts named by `mask`; dropped while the display is disabled.
    void SendPane(CProgressData &record, quint64 mask);
    // Message event: counts it (errors, skip counters) and hands it to the front end.
    void SendMessage(CProgressData &record, MessageKind kind, const QString &text);
    void SendJobStatus(int jobIndex, const QString &text);

    // Wakes the controller when a slot finishes or the run is cancelled.
    void NotifyController();
    // Blocks the controller until `predicate` holds; re-checked on every wake-up.
    template <typename Predicate> void WaitUntil(Predicate predicate)
    {
        std::unique_lock<std::mutex> lock(m_wakeLock);
        while (!predicate())
            m_wake.wait(lock);
    }
    void MarkRunning(bool running) { m_running.store(running ? 1 : 0); }
    void ResetCancel() { m_cancel.store(0); }

private:
    CViewData &m_params;
    IRunObserver &m_observer;
    Presentation m_presentation;
    std::atomic<int> m_cancel{0};
    std::atomic<int> m_running{0};
    std::atomic<int> m_display{1};
    std::atomic<int> m_errors{0};
    std::atomic<int> m_skippedFiles{0};
    std::atomic<int> m_skippedDirectories{0};
    QDateTime m_openedAt;
    QString m_dateFolderSuffix;
    CZusammenfassung m_summary;
    std::mutex m_wakeLock;
    std::condition_variable m_wake;
};
