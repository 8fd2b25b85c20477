#include "engine/EmptyDirectories.h"

#include "engine/CProgressData.h"
#include "platform/DirectoryListing.h"
#include "platform/FileName.h"
#include "platform/FileSystem.h"

#include <climits>

namespace {

constexpr quint32 kHeartbeatMs = 3000;
constexpr qsizetype kListingReserve = 10;

quint32 Now(const EmptyDirCleanup &cleanup)
{
    return cleanup.Clock ? cleanup.Clock() : CurrentTick();
}

void Notify(EmptyDirCleanup &cleanup, const QString &text)
{
    cleanup.Callback(text, cleanup);
    cleanup.LastCallbackTime = Now(cleanup);
}

void Heartbeat(EmptyDirCleanup &cleanup)
{
    if (cleanup.Callback && quint32(Now(cleanup) - cleanup.LastCallbackTime) > kHeartbeatMs)
        Notify(cleanup, QString());
}

bool TooLong(const QString &directory)
{
    return platform::EncodeFileName(directory).size() + kListingReserve > PATH_MAX;
}

bool CleanDirectory(EmptyDirCleanup &cleanup);

void RemoveIfEmpty(EmptyDirCleanup &cleanup, const QString &subdirectory, bool *empty)
{
    Heartbeat(cleanup);
    if (cleanup.StatusText)
        cleanup.StatusText(subdirectory);
    cleanup.CurrentPath = subdirectory;
    if (!CleanDirectory(cleanup)) {
        *empty = false;
        return;
    }
    if (!platform::RemoveDirectory(subdirectory))
        return;
    ++cleanup.DeletedCount;
    if (cleanup.Callback)
        Notify(cleanup, subdirectory);
    if (cleanup.RemovedList)
        cleanup.RemovedList(subdirectory);
}

bool CleanDirectory(EmptyDirCleanup &cleanup)
{
    QString directory = cleanup.CurrentPath;
    if (!directory.endsWith(u'/'))
        directory += u'/';
    ++cleanup.SearchedCount;
    if (TooLong(directory))
        return false;
    QList<platform::DirectoryEntry> entries;
    if (!platform::ListDirectory(directory, &entries))
        return true;
    bool empty = true;
    for (const platform::DirectoryEntry &entry : std::as_const(entries)) {
        if (entry.info.type == platform::FileType::Directory)
            RemoveIfEmpty(cleanup, directory + entry.name, &empty);
        else
            empty = false;
        if (cleanup.Cancelled && cleanup.Cancelled())
            break;
    }
    return empty;
}

} // namespace

bool DeleteEmptyDirectories(EmptyDirCleanup &cleanup)
{
    return CleanDirectory(cleanup);
}
