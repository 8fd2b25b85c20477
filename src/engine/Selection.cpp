#include "engine/Selection.h"

#include "engine/CDirStruct.h"
#include "engine/CPruefdatei.h"
#include "engine/CUtil.h"
#include "engine/ChecksumAhead.h"
#include "engine/DirectoryEnumeration.h"
#include "engine/JobContext.h"
#include "engine/JobRoots.h"
#include "engine/RecordPathText.h"
#include "engine/RefreshTimer.h"
#include "engine/RunContext.h"
#include "engine/TextFormat.h"
#include "engine/TimeFormat.h"
#include "model/CDateTime.h"
#include "model/CViewData.h"
#include "platform/Attributes.h"

namespace {

constexpr int kDirectoryMatchesPattern = 310;
constexpr int kDirectoryMatchesNoPattern = 311;
constexpr int kArchiveBitNotSet = 307;
constexpr int kFileMatchesPattern = 308;
constexpr int kFileMatchesNoPattern = 309;
constexpr int kEarlierThanDateFrom = 318;
constexpr int kLaterThanDateTo = 319;
constexpr int kInCheckFile = 362;
constexpr int kAlreadyInTarget = 366;
constexpr int kNotInTarget = 367;
constexpr int kChecksumFailed = 408;

// One display time for the listings of all workers together.
SharedRefreshTimer &directoryDisplay()
{
    static SharedRefreshTimer timer;
    return timer;
}

const CViewData &paramsOf(const SelectionContext &context)
{
    return context.Job.Run.Params();
}

void writeSkip(SelectionContext &context, int textId, const QString &path)
{
    CProtokolldatei &skipped = context.Job.SkippedList;
    if (skipped.IsOpen())
        skipped.WriteLine(FormatStr(textId, {RecordPathText(path)}));
}

bool matchesAny(const QString &text, const QStringList &patterns)
{
    for (const QString &pattern : patterns) {
        if (CUtil::MatchesPattern(text, pattern))
            return true;
    }
    return false;
}

void showListedDirectory(const QString &path, SelectionContext &context)
{
    if (!directoryDisplay().Due(CurrentTick()))
        return;
    context.Job.Record.SourcePath = path;
    context.Job.Pane(UPD_BAR1_STEP | UPD_SIZE | UPD_COUNT_FILES | UPD_SOURCE);
}

int cancelAnswer(const SelectionContext &context)
{
    return context.Job.IsCancelled() ? 1 : 0;
}

int collectDirectory(const QString &directory, const DirEntry &entry, SelectionContext &context)
{
    showListedDirectory(ChildPath(directory, entry.Name), context);
    if (SelectDirectory(directory, entry, context))
        return cancelAnswer(context);
    ++context.Job.Record.SkippedDirectories;
    // For a link, a nonzero answer would end the listing of `directory`, not skip the link.
    return entry.Kind == EntryKind::Directory ? 1 : cancelAnswer(context);
}

int collectFile(const QString &directory, const DirEntry &entry, SelectionContext &context, CDirStruct *current)
{
    const qint64 size = entry.Info.size;
    const qint64 time = entry.Info.lastWriteTime;
    quint32 flags = 0;
    QString checksum;
    CProgressData &record = context.Job.Record;
    if (SelectFile(directory, entry, context, size, time, &flags, &checksum)) {
        if (current)
            current->AddFile(entry.Name, size, time, flags, checksum);
        ++record.SelectedFiles;
        record.TotalBytes += size;
    } else {
        ++record.SkippedFiles;
    }
    return cancelAnswer(context);
}

// The file time on the local wall clock at the resolution of the date bounds (whole seconds);
// invalid, and so never out of range, when it has no local time.
model::CDateTime localFileTime(qint64 fileTime)
{
    const model::CDateTime local = model::CDateTime::FromFileTime(fileTime);
    if (!local.IsValid())
        return local;
    const qint64 ticks = local.LocalTicks();
    return model::CDateTime::FromLocalTicks(ticks - ticks % model::CDateTime::TicksPerSecond);
}

// The refusal text for a subdirectory (or a link to one) at `path`, or 0 when it is entered.
int directoryRefusal(const CViewData &params, const QString &path, EntryKind kind)
{
    if (matchesAny(path, params.DirExcludeList))
        return kDirectoryMatchesPattern;
    if (!params.DirIncludeList.isEmpty() && !matchesAny(path, params.DirIncludeList))
        return kDirectoryMatchesNoPattern;
    return kind == EntryKind::Directory ? 0 : SkipReasonId(kind);
}

// Rules 1 to 5: the refusal text of the first filter that refuses, or 0.
int filterRefusal(const CViewData &params, const DirEntry &entry, qint64 lastWriteTime)
{
    if (params.OnlyArchiveBit && !(entry.Info.attributes & platform::kAttributeArchive))
        return kArchiveBitNotSet;
    if (matchesAny(entry.Name, params.FileExcludeList))
        return kFileMatchesPattern;
    if (!params.FileIncludeList.isEmpty() && !matchesAny(entry.Name, params.FileIncludeList))
        return kFileMatchesNoPattern;
    // Without a valid bound no comparison can refuse, and the local time costs a look at the
    // time-zone file.
    if (!params.DateFrom.IsValid() && !params.DateTo.IsValid())
        return 0;
    const model::CDateTime local = localFileTime(lastWriteTime);
    if (local < params.DateFrom)
        return kEarlierThanDateFrom;
    if (local > params.DateTo)
        return kLaterThanDateTo;
    return 0;
}

// Rules 1 to 6: the refusal text of the first filter that refuses, or 0.
int fileRefusal(const CViewData &params, const DirEntry &entry, qint64 lastWriteTime)
{
    const int refusal = filterRefusal(params, entry, lastWriteTime);
    return refusal != 0 ? refusal : SkipReasonId(entry.Kind);
}

// The target path without the date folder: the file's key in the check file.
QString checkKeyOf(const QString &directory, const QString &name, quint32 flags, const SelectionContext &context)
{
    QString targetPath = ChildPath(MapToTarget(directory, context.SourceRoot, context.TargetRoot, QString()), name);
    if (flags & SEL_COMPRESS)
        targetPath += QStringLiteral(".zip");
    return targetPath;
}

int targetPresenceRefusal(const CViewData &params, const QString &targetPath)
{
    if (params.OnlyMissingInTarget && CUtil::PathExists(targetPath))
        return kAlreadyInTarget;
    if (params.OnlyExistingInTarget && !CUtil::PathExists(targetPath))
        return kNotInTarget;
    return 0;
}

// Rules 8 to 10, which need a target: the check file and the presence of the target file.
// Without checksums the cheap check-file test comes first; with them the checksum is only
// computed for files that passed the presence test.
bool targetRules(const QString &sourcePath, const QString &targetPath, SelectionContext &context,
                 qint64 size, qint64 lastWriteTime, QString *checksum)
{
    const CViewData &params = paramsOf(context);
    if (!params.ChecksumEnabled && !CheckFileTest(context, sourcePath, targetPath, lastWriteTime, size, checksum))
        return false;
    if (const int refusal = targetPresenceRefusal(params, targetPath)) {
        // The target may have appeared since the checksum was planned (another job of the run).
        if (context.Checksums)
            context.Checksums->Withdraw(sourcePath);
        writeSkip(context, refusal, sourcePath);
        return false;
    }
    if (params.ChecksumEnabled && !CheckFileTest(context, sourcePath, targetPath, lastWriteTime, size, checksum))
        return false;
    return true;
}

} // namespace

int CollectEntry(const QString &directory, const DirEntry &entry, void *userData, CDirStruct *current)
{
    SelectionContext &context = *static_cast<SelectionContext *>(userData);
    if (entry.Kind == EntryKind::Directory || entry.Kind == EntryKind::LinkedDirectory)
        return collectDirectory(directory, entry, context);
    return collectFile(directory, entry, context, current);
}

bool SelectDirectory(const QString &directory, const DirEntry &entry, SelectionContext &context)
{
    const QString path = ChildPath(directory, entry.Name);
    if (const int refusal = directoryRefusal(paramsOf(context), path, entry.Kind)) {
        writeSkip(context, refusal, path);
        return false;
    }
    return true;
}

bool WillEnterDirectory(const QString &directory, const DirEntry &entry, const SelectionContext &context)
{
    return directoryRefusal(paramsOf(context), ChildPath(directory, entry.Name), entry.Kind) == 0;
}

bool SelectFile(const QString &directory, const DirEntry &entry, SelectionContext &context, qint64 size,
                qint64 lastWriteTime, quint32 *flags, QString *checksum)
{
    const CViewData &params = paramsOf(context);
    const QString path = ChildPath(directory, entry.Name);
    *flags = 0;
    checksum->clear();
    if (const int refusal = fileRefusal(params, entry, lastWriteTime)) {
        writeSkip(context, refusal, path);
        return false;
    }
    *flags = CompressionFlags(CompressionDecision(params, entry.Name, size));
    if (context.TargetRoot.isEmpty())
        return true;
    return targetRules(path, checkKeyOf(directory, entry.Name, *flags, context), context, size, lastWriteTime,
                       checksum);
}

QStringList ChecksumCandidates(const QString &directory, const QList<DirEntry> &entries,
                               const SelectionContext &context)
{
    const CViewData &params = paramsOf(context);
    QStringList paths;
    if (!params.ChecksumEnabled || !params.CheckFileData.IsEnabled() || context.TargetRoot.isEmpty())
        return paths;
    for (const DirEntry &entry : entries) {
        if (entry.Kind != EntryKind::File || fileRefusal(params, entry, entry.Info.lastWriteTime) != 0)
            continue;
        const quint32 flags = CompressionFlags(CompressionDecision(params, entry.Name, entry.Info.size));
        if (targetPresenceRefusal(params, checkKeyOf(directory, entry.Name, flags, context)) == 0)
            paths.append(ChildPath(directory, entry.Name));
    }
    return paths;
}

CompressionChoice CompressionDecision(const CViewData &params, const QString &fileName, qint64 size)
{
    if (!params.CompressFiles)
        return CompressionChoice::Off;
    if (params.CompressMinSize != -1 && size < params.CompressMinSize)
        return CompressionChoice::TooSmall;
    if (params.CompressMaxSize != -1 && size > params.CompressMaxSize)
        return CompressionChoice::TooLarge;
    if (matchesAny(fileName, params.CompressExcludeList))
        return CompressionChoice::ExcludedByPattern;
    return CompressionChoice::Compress;
}

quint32 CompressionFlags(CompressionChoice choice)
{
    switch (choice) {
    case CompressionChoice::Compress:
        return SEL_COMPRESS;
    case CompressionChoice::TooSmall:
        return SEL_TOO_SMALL;
    case CompressionChoice::TooLarge:
        return SEL_TOO_LARGE;
    case CompressionChoice::ExcludedByPattern:
        return SEL_EXCLUDED_BY_PATTERN;
    case CompressionChoice::Off:
        break;
    }
    return 0;
}

bool CheckFileTest(SelectionContext &context, const QString &sourcePath, const QString &key, qint64 lastWriteTime,
                   qint64 size, QString *checksum)
{
    const CViewData &params = paramsOf(context);
    checksum->clear();
    if (!params.CheckFileData.IsEnabled())
        return true;
    if (params.ChecksumEnabled) {
        *checksum = context.Checksums ? context.Checksums->Take(sourcePath) : CPruefdatei::ComputeFileChecksum(sourcePath);
        if (checksum->isEmpty())
            context.Job.InfoLogged(FormatStr(kChecksumFailed, {RecordPathText(sourcePath), TimeStamp()}));
    }
    if (!params.CheckFileData.IsUnchanged(key, lastWriteTime, size, *checksum))
        return true;
    writeSkip(context, kInCheckFile, sourcePath);
    return false;
}
