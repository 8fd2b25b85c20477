#pragma once

#include <QtGlobal>

#include <atomic>
#include <optional>

// Decides when a display refresh is due: the first time it is asked, and afterwards whenever
// more than the interval has passed since the last refresh. Ticks are CurrentTick() values;
// their differences stay right across the 32-bit wrap.
class RefreshTimer {
public:
    static constexpr quint32 kDefaultIntervalMs = 3000;

    explicit RefreshTimer(quint32 intervalMs = kDefaultIntervalMs) : m_interval(intervalMs) {}

    // True when a refresh is due at `now`; the refresh then counts as done at `now`.
    bool Due(quint32 now);
    // Counts a refresh as done at `now`, so the next one is due one interval later.
    void Restart(quint32 now) { m_last = now; }

private:
    quint32 m_interval;
    std::optional<quint32> m_last;
};

// The same decision for one time value that several worker threads share. A lost update
// between two threads only shifts one refresh, so no lock is taken.
class SharedRefreshTimer {
public:
    explicit SharedRefreshTimer(quint32 intervalMs = RefreshTimer::kDefaultIntervalMs)
        : m_interval(intervalMs)
    {
    }

    bool Due(quint32 now);

private:
    static constexpr qint64 kNever = -1;
    quint32 m_interval;
    std::atomic<qint64> m_last{kNever};
};
