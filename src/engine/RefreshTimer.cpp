#include "engine/RefreshTimer.h"

bool RefreshTimer::Due(quint32 now)
{
    if (m_last && quint32(now - *m_last) <= m_interval)
        return false;
    m_last = now;
    return true;
}

bool SharedRefreshTimer::Due(quint32 now)
{
    const qint64 last = m_last.load(std::memory_order_relaxed);
    if (last != kNever && quint32(now - quint32(last)) <= m_interval)
        return false;
    m_last.store(now, std::memory_order_relaxed);
    return true;
}
