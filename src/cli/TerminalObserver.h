#pragma once

#include "engine/IRunObserver.h"
#include "engine/PaneRules.h"

#include <array>
#include <cstdio>
#include <mutex>

// Shows a run in a terminal: every message line on stdout; when stderr is a terminal, one
// live status line per worker pane, redrawn in place at most about ten times a second.
class TerminalObserver : public IRunObserver {
public:
    enum class StatusLines { Auto, Off };
    TerminalObserver(std::FILE *messages, std::FILE *status, int threadCount, StatusLines mode);

    void OnPaneEvent(const CProgressData &record) override;
    void OnMessageEvent(const CProgressData &record) override;
    void OnJobStatus(int jobIndex, const QString &text) override;
    void OnRunProgress(const RunProgress &progress) override;
    void OnRunField(RunField field, const QString &text) override;
    void OnPlaySound(RunSound sound) override;
    void OnRestoreWindows() override;
    void OnCloseRequest() override;

    // Lines printed so far that were error lines.
    int ErrorLines() const;

private:
    void clearStatusLines();
    void drawStatusLines();
    QString statusLine(const PaneView &pane) const;

    mutable std::mutex m_lock;
    std::FILE *m_messages;
    std::FILE *m_status;
    bool m_live;
    int m_threadCount;
    std::array<PaneView, 3> m_panes;
    std::array<bool, 3> m_paneUsed{};
    int m_drawnLines = 0;
    quint32 m_lastDraw = 0;
    int m_errorLines = 0;
};
