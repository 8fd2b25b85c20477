#pragma once

#include "engine/CPruefdatei.h"
#include "model/CDateTime.h"
#include "model/CListData.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The plain, copyable run parameters: every member of CViewData except the jobs and the check
// file. Their initialisers are the defaults a reset restores.
struct CViewDataOptions {
    bool BatchStart = false;
    bool OnlyArchiveBit = false;
    bool AppendDateToTarget = false;
    QString DateFolderFormat;
    bool ExitAfterCopy = false;
    bool DeleteTargetOnError = false;
    bool ResetArchiveBit = false;
    bool StartMinimized = false;
    bool CompareAfterCopy = false;
    qint32 ThreadCount = 1;
    QString LogFile;
    bool ScanOnly = false;
    bool OnlyExistingInTarget = false;
    bool OnlyMissingInTarget = false;
    bool ShutdownAfterCopy = false;
    bool RebootAfterShutdown = false;
    bool Autostart = false;
    bool CopyDirectoryRights = false;
    bool DirectoriesOnly = false;
    bool LongFileNames = false;
    bool ShowStatusAtNextStart = false;
    bool DeleteEmptyTargetDirs = false;
    bool IncludeRootDir = false;
    bool DeleteSourceAfterCopy = false;
    QString OnlyArchiveBitText;
    QString ResetArchiveBitText;
    QString CompareAfterCopyText;
    QString AppendDateToTargetText;
    QString DeleteTargetOnErrorText;
    QString StartMinimizedText;
    QString ExitAfterCopyText;
    QString ScanOnlyText;
    QString OnlyExistingInTargetText;
    QString OnlyMissingInTargetText;
    QString ShutdownAfterCopyText;
    QString RebootAfterShutdownText;
    QString AutostartText;
    QString CopyDirectoryRightsText;
    QString DirectoriesOnlyText;
    QString LongFileNamesText;
    QString ShowStatusAtNextStartText;
    QString DeleteEmptyTargetDirsText;
    QString IncludeRootDirText;
    QString DeleteSourceAfterCopyText;
    bool ChecksumEnabled = false;
    QString ChecksumEnabledText;
    QString CheckFile;
    QStringList FileIncludeList;
    QStringList FileExcludeList;
    QStringList DirIncludeList;
    QStringList DirExcludeList;
    bool FileIncludeEnabled = false;
    bool DirIncludeEnabled = false;
    bool FileExcludeEnabled = false;
    bool DirExcludeEnabled = false;
    QString FileIncludeText;
    QString FileExcludeText;
    QString DirIncludeText;
    QString DirExcludeText;
    QString CopiedListFile;
    QString RetryListFile;
    QString SkippedListFile;
    model::CDateTime DateFrom;
    model::CDateTime DateTo;
    bool CompressExcludeEnabled = false;
    bool CompressFiles = false;
    bool VerifyCompressed = false;
    QStringList CompressExcludeList;
    QString CompressExcludeText;
    QString VerifyCompressedText;
    QString CompressFilesText;
    qint64 CompressMinSize = -1; // bytes; -1 is no bound
    qint64 CompressMaxSize = -1; // bytes; -1 is no bound
    QString CompressSizeText;
    bool DecompressFiles = false;
    QString DecompressFilesText;
    bool RetryRun = false;
    QString RetryRunFile;
    QStringList RetrySources;
    QStringList RetryTargets; // parallel to RetrySources
};

// The parameters of one run: the jobs and every option, with the pattern texts parsed and a
// description line per option. The build fills it when a run starts; the engine reads nothing
// else, and nothing changes it while the run is in progress.
class CViewData : public CViewDataOptions {
public:
    CViewData();
    CViewData(const CViewData &) = delete;
    CViewData &operator=(const CViewData &) = delete;

    // Empties the jobs, resets the check file and sets every member to its default. The values
    // of DateFrom and DateTo stay; only their status becomes null.
    void Reset();

    std::vector<std::unique_ptr<CListData>> Jobs;
    CPruefdatei CheckFileData;
};
