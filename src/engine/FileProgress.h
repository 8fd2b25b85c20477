#pragma once

#include "engine/CProgressData.h"

#include <QtGlobal>

// Files strictly larger than this report their progress chunk by chunk while they are copied
// or compared. Smaller files are shown only when the caller's refresh tick is set, so that
// tens of thousands of small files do not flood the front end with synchronous events.
inline constexpr qint64 kLargeFileBytes = 52428800;

inline bool IsLargeFile(qint64 size)
{
    return size > kLargeFileBytes;
}

// Whether the step that starts on the current file announces itself with a pane event.
inline bool AnnouncesFile(const CProgressData &record)
{
    return IsLargeFile(record.FileSize) || record.Refresh != 0;
}
