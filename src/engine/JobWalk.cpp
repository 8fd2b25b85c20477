#include "engine/JobSteps.h"

#include "engine/CDirStruct.h"
#include "engine/CUtil.h"
#include "engine/ChecksumAhead.h"
#include "engine/CompressToTemp.h"
#include "engine/CopyOneFile.h"
#include "engine/DirectoryCreation.h"
#include "engine/DirectoryEnumeration.h"
#include "engine/FileListLines.h"
#include "engine/JobContext.h"
#include "engine/JobRoots.h"
#include "engine/RecordPathText.h"
#include "engine/RefreshProgress.h"
#include "engine/RefreshTimer.h"
#include "engine/RunContext.h"
#include "engine/Selection.h"
#include "engine/TextFormat.h"
#include "engine/TimeFormat.h"
#include "model/CListData.h"
#include "model/CViewData.h"
#include "resources/Strings.h"

namespace {

constexpr int kSourceRootLine = 341;
constexpr int kTargetRootLine = 342;
constexpr int kWithSubdirsLine = 358;
constexpr int kSkipCountsLine = 383;
constexpr int kListingCancelledLog = 347;
constexpr int kListingCancelledError = 348;
constexpr int kRightsNotTransferred = 410;
constexpr int kTargetDirectoryFailed = 405;
constexpr int kNoCompressionSize = 402;
constexpr int kNoCompressionPattern = 403;
constexpr int kNoCompressionFailure = 404;
constexpr int kSourceDirectoryUnreadable = 5300;

// The three directory paths of one listed directory, each ending with '/'.
struct DirectoryPaths {
    QString Source;
    QString Target; // with the date folder
    QString Check;  // without it: the check-file keys
};

class JobWalk {
public:
    explicit JobWalk(JobContext &job)
        : m_job(job)
        , m_params(job.Run.Params())
        , m_roots(ComputeJobRoots(*job.Job, m_params))
    {
    }

    void Run()
    {
        prepare();
        writeLogHeader();
        listTree();
        reportListing();
        if (!m_job.IsCancelled() && !m_params.ScanOnly)
            copyPhase();
        finish();
    }

private:
    void prepare();
    void writeLogHeader();
    void listTree();
    void reportListing();
    void reportUnreadableDirectories();
    void copyPhase();
    void startCopyPhase();
    bool walkDirectory(size_t k, const CDirStruct &directory);
    DirectoryPaths pathsOf(const CDirStruct &directory) const;
    void showDirectory(const DirectoryPaths &paths);
    bool createTargetDirectory(size_t k, const DirectoryPaths &paths);
    void copyFile(const CDirStruct &directory, qsizetype i, const DirectoryPaths &paths);
    void compressFile(const QString &name, const DirectoryPaths &paths, quint32 *flags, QString *archive);
    void announceUncompressed(quint32 flags);
    void finish();
    void writeScanList();

    JobContext &m_job;
    const CViewData &m_params;
    JobRoots m_roots;
    QString m_tempTarget;
    CDirStructArray m_directories;
    RefreshTimer m_directoryDisplay;
    RefreshTimer m_fileRefresh;
    bool m_directoryShown = false;
};

void JobWalk::prepare()
{
    if (m_roots.Target.isEmpty() && !m_params.ScanOnly)
        m_tempTarget = CUtil::MakeTempFileName();
    CProgressData &record = m_job.Record;
    record.SourceRoot = m_roots.Source;
    record.TargetRoot = m_roots.Target;
    record.SourcePath.clear();
    record.TargetPath.clear();
    m_job.Pane(UPD_ACT_SCAN | UPD_BAR1_RESET | UPD_SOURCE | UPD_TARGET);
}

void JobWalk::writeLogHeader()
{
    CProtokolldatei &log = m_job.Log;
    if (!log.IsOpen())
        return;
    log.WriteLine(FormatStr(kSourceRootLine, {RecordPathText(m_roots.Source)}));
    log.WriteLine(FormatStr(kTargetRootLine, {RecordPathText(m_roots.Target)}));
    log.WriteLine(FormatStr(kWithSubdirsLine, {model::YesNoText(m_job.Job->WithSubdirs)}));
    log.WriteLine(QString());
}

void JobWalk::listTree()
{
    SelectionContext selection{m_job, m_roots.Source, m_roots.Target};
    ChecksumAhead checksums;
    selection.Checksums = &checksums;
    EnumerationRequest request;
    request.Callback = CollectEntry;
    request.Listed = [&selection, &checksums](const QString &directory, const QList<DirEntry> &entries) {
        checksums.Announce(ChecksumCandidates(directory, entries, selection));
    };
    request.MayEnter = [&selection](const QString &directory, const DirEntry &entry) {
        return WillEnterDirectory(directory, entry, selection);
    };
    request.UserData = &selection;
    request.Records = &m_directories;
    request.Recurse = m_job.Job->WithSubdirs ? Recursion::WithSubdirectories : Recursion::TopLevelOnly;
    request.Archive = m_params.OnlyArchiveBit ? platform::ArchiveMarker::Read : platform::ArchiveMarker::Ignore;
    EnumerateDirectory(m_roots.Source, request);
}

void JobWalk::reportListing()
{
    CProgressData &record = m_job.Record;
    m_job.Pane(UPD_COUNT_FILES | UPD_SIZE);
    m_job.Run.SendMessage(record, MessageKind::SkipCounters, QString());
    if (m_job.Log.IsOpen())
        m_job.Log.WriteLine(FormatStr(kSkipCountsLine, {qint64(record.SkippedFiles), qint64(record.SkippedDirectories)}));
    reportUnreadableDirectories();
    if (m_job.IsCancelled()) {
        m_job.Error(LoadStr(kListingCancelledError));
        m_job.Log.WriteLine(LoadStr(kListingCancelledLog));
    }
}

// A directory that could not be listed was not backed up; that must not pass as a clean run.
void JobWalk::reportUnreadableDirectories()
{
    for (const auto &directory : m_directories) {
        if (directory->ListError == 0)
            continue;
        m_job.ErrorLogged(FormatStr(kSourceDirectoryUnreadable,
                                    {TimeStamp(), RecordPathText(directory->Dir),
                                     CUtil::GetErrorText(directory->ListError)}));
    }
}

void JobWalk::copyPhase()
{
    startCopyPhase();
    for (size_t k = 0; k < m_directories.size(); ++k) {
        if (!walkDirectory(k, *m_directories[k]))
            return;
    }
}

void JobWalk::startCopyPhase()
{
    CProgressData &record = m_job.Record;
    record.FilesDone = 0;
    record.BytesDone = 0;
    record.StartTick = CurrentTick();
    record.DirectoriesDone = 0;
    record.DirectoryCount = qint32(m_directories.size());
    if (m_params.DirectoriesOnly)
        m_job.Pane(UPD_PCT2_FILE | UPD_BAR2_FILE | UPD_BAR2_RESET | UPD_COUNT_DIRS | UPD_ACT_MKDIR);
    else
        m_job.Pane(UPD_COUNT_FILE_OF | UPD_SIZE | UPD_BAR1_RESET);
    m_directoryDisplay.Restart(CurrentTick());
}

// False when the user cancelled: the walk ends.
bool JobWalk::walkDirectory(size_t k, const CDirStruct &directory)
{
    const DirectoryPaths paths = pathsOf(directory);
    showDirectory(paths);
    if (!createTargetDirectory(k, paths))
        return true;
    ++m_job.Record.DirectoriesDone;
    if (m_params.DirectoriesOnly) {
        if (m_directoryShown)
            m_job.Pane(UPD_BAR1_DIRS | UPD_PCT1_DIRS | UPD_TIME_DIRS | UPD_COUNT_DIRS);
        return true;
    }
    for (qsizetype i = 0; i < directory.FileCount(); ++i) {
        copyFile(directory, i, paths);
        if (m_job.IsCancelled())
            return false;
    }
    return true;
}

DirectoryPaths JobWalk::pathsOf(const CDirStruct &directory) const
{
    const QString source = WithTrailingSlash(directory.Dir);
    return DirectoryPaths{
        source,
        WithTrailingSlash(MapToTarget(source, m_roots.Source, m_roots.Target, m_job.Run.DateFolderSuffix())),
        WithTrailingSlash(MapToTarget(source, m_roots.Source, m_roots.Target, QString())),
    };
}

void JobWalk::showDirectory(const DirectoryPaths &paths)
{
    m_directoryShown = m_directoryDisplay.Due(CurrentTick());
    if (!m_directoryShown)
        return;
    m_job.Record.AltTargetText = paths.Target;
    m_job.Record.AltSourceText = paths.Source;
    m_job.Pane(UPD_TARGET_ALT | UPD_SOURCE_ALT);
}

// The root gets no rights of its own: it may be a directory the user prepared on purpose.
bool JobWalk::createTargetDirectory(size_t k, const DirectoryPaths &paths)
{
    if (m_roots.Target.isEmpty())
        return true;
    if (m_params.CopyDirectoryRights && k > 0) {
        int errorCode = 0;
        const bool created = CreateDirectoryTreeWithSecurity(paths.Target, paths.Source, &errorCode);
        if (errorCode != 0)
            m_job.InfoLogged(FormatStr(kRightsNotTransferred, {TimeStamp(), RecordPathText(paths.Target),
                                                               CUtil::GetErrorText(errorCode)}));
        if (created)
            return true;
    }
    if (CreateDirectoryTree(paths.Target))
        return true;
    m_job.ErrorLogged(FormatStr(kTargetDirectoryFailed, {TimeStamp(), RecordPathText(paths.Target),
                                                         CUtil::GetErrorText(CUtil::LastError())}));
    return false;
}

void JobWalk::copyFile(const CDirStruct &directory, qsizetype i, const DirectoryPaths &paths)
{
    CProgressData &record = m_job.Record;
    const QString &name = directory.Names[i];
    quint32 flags = directory.Flags[i];
    record.SourcePath = paths.Source + name;
    record.TargetPath = paths.Target + name;
    record.ListedSource = record.SourcePath;
    record.ListedTarget = record.TargetPath;
    record.FileSize = directory.Sizes[i];
    record.FileTime = directory.Times[i];
    record.SourceRoot = m_roots.Source;
    record.TargetRoot = m_roots.Target;
    record.CheckKey = paths.Check + name;
    record.CompressedSize = 0;
    record.Compressed = 0;
    record.Refresh = 0;

    QString archive;
    if (flags & SEL_COMPRESS)
        compressFile(name, paths, &flags, &archive);
    announceUncompressed(flags);
    if (m_roots.Target.isEmpty())
        record.TargetPath = m_tempTarget;
    if (m_fileRefresh.Due(CurrentTick()))
        record.Refresh = 1;
    CopyOneFile(m_job, m_roots.Target.isEmpty() ? TargetRoot::Missing : TargetRoot::Present, directory.Extra[i]);
    if (!archive.isEmpty()) {
        bool existed = false;
        CUtil::DeleteFileForced(archive, &existed);
    }
    if (record.Refresh) {
        RefreshProgress(m_job);
        record.Refresh = 0;
    }
    // No yield after the file: the scheduler shares the processor by itself, and on a busy
    // machine every yield gives away a whole time slice, many times the cost of a small file.
}

void JobWalk::compressFile(const QString &name, const DirectoryPaths &paths, quint32 *flags, QString *archive)
{
    CProgressData &record = m_job.Record;
    if (!CompressToTemp(m_job, archive)) {
        *flags |= SEL_COMPRESSION_FAILED;
        return;
    }
    record.Compressed = 1;
    qint64 time = 0;
    qint64 size = 0;
    record.CompressedSize = CUtil::GetFileSizeAndTime(*archive, &time, &size) ? size : 0;
    const QString zipName = name + QStringLiteral(".zip");
    record.SourcePath = *archive;
    record.TargetPath = paths.Target + zipName;
    record.CheckKey = paths.Check + zipName;
}

void JobWalk::announceUncompressed(quint32 flags)
{
    int notice = 0;
    if (flags & SEL_TOO_LARGE)
        notice = kNoCompressionSize;
    else if (flags & SEL_EXCLUDED_BY_PATTERN)
        notice = kNoCompressionPattern;
    else if (flags & SEL_COMPRESSION_FAILED)
        notice = kNoCompressionFailure;
    if (notice != 0)
        m_job.InfoLogged(FormatStr(notice, {RecordPathText(m_job.Record.SourcePath)}));
}

void JobWalk::finish()
{
    RefreshProgress(m_job);
    if (!m_tempTarget.isEmpty()) {
        bool existed = false;
        CUtil::DeleteFileForced(m_tempTarget, &existed);
    }
    if (m_params.ScanOnly)
        writeScanList();
    FreeDirStructArray(m_directories);
}

// A scan copies nothing; its copied list names every selected file instead.
void JobWalk::writeScanList()
{
    if (!m_job.CopiedList.IsOpen())
        return;
    for (const auto &directory : m_directories) {
        for (const QString &name : std::as_const(directory->Names)) {
            m_job.Record.ListedSource = ChildPath(directory->Dir, name);
            WriteCopiedLine(m_job);
        }
    }
}

} // namespace

void RunJob(JobContext &job)
{
    if (!job.Job)
        return;
    JobWalk(job).Run();
}
