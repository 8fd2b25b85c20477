#include "engine/CProgressData.h"

#include <chrono>

quint32 CurrentTick()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<quint32>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
