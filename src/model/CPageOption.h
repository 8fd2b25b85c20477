#pragma once

#include "model/OptionRangeError.h"

#include <QString>

#include <optional>

namespace model {

// The options of the page "Option". Every value is kept exactly as stored, even outside its
// range, so that a loaded project shows what its file holds; Validate() guards a run start.
struct CPageOption {
    qint32 ThreadCount = 1;
    qint32 OnlyArchiveBit = 0;
    qint32 CompareAfterCopy = 1;
    qint32 AppendDateToTarget = 0;
    qint32 ResetArchiveBit = 0;
    qint32 DeleteTargetOnError = 1;
    qint32 StartMinimized = 0;
    qint32 ExitAfterCopy = 0;
    QString LogFile;
    qint32 ScanOnly = 0;
    qint32 OnlyExistingInTarget = 0;
    qint32 OnlyMissingInTarget = 0;
    qint32 ShutdownAfterCopy = 0;
    qint32 RebootAfterShutdown = 0;
    qint32 Autostart = 0;
    qint32 DateFolderFormatId = 1;
    qint32 CopyDirectoryRights = 0;
    qint32 DirectoriesOnly = 0;
    qint32 LongFileNames = 0;
    qint32 ShowStatusAtNextStart = 0;
    qint32 DeleteEmptyTargetDirs = 0;
    qint32 IncludeRootDir = 0;
    qint32 DeleteSourceAfterCopy = 0;

    static constexpr qint32 MinThreadCount = 1;
    static constexpr qint32 MaxThreadCount = 3;

    void Reset();

    // The rules between the options: a date folder makes the target comparisons meaningless,
    // a restart needs a shutdown, and the target root is only deleted along with empty
    // target directories.
    void ApplyDependencies();

    // The first value outside its accepted range, if any.
    std::optional<OptionRangeError> Validate() const;

    friend bool operator==(const CPageOption &, const CPageOption &) = default;
};

} // namespace model
