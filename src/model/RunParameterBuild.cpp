#include "model/RunParameterBuild.h"

#include "model/CDateTime.h"
#include "model/CProjectData.h"
#include "model/CViewData.h"
#include "model/DateFolderFormat.h"
#include "model/DateTimeText.h"
#include "model/DescriptionLines.h"
#include "model/PatternList.h"
#include "model/RetryListReader.h"

namespace model {

namespace {

constexpr qint64 bytesPerMegabyte = 1'048'576;

QStringList patternsIfEnabled(qint32 enabled, const QString &patterns)
{
    return enabled != 0 && !patterns.isEmpty() ? ParsePatternList(patterns) : QStringList();
}

void copyPatterns(const CPageMuster &muster, const CPageZip &zip, CViewData &view)
{
    view.FileIncludeList = patternsIfEnabled(muster.FileIncludeEnabled, muster.FileIncludePatterns);
    view.FileExcludeList = patternsIfEnabled(muster.FileExcludeEnabled, muster.FileExcludePatterns);
    view.DirIncludeList = patternsIfEnabled(muster.DirIncludeEnabled, muster.DirIncludePatterns);
    view.DirExcludeList = patternsIfEnabled(muster.DirExcludeEnabled, muster.DirExcludePatterns);
    view.CompressExcludeList = patternsIfEnabled(zip.CompressExcludeEnabled, zip.CompressExcludePatterns);
    view.FileIncludeEnabled = muster.FileIncludeEnabled != 0;
    view.FileExcludeEnabled = muster.FileExcludeEnabled != 0;
    view.DirIncludeEnabled = muster.DirIncludeEnabled != 0;
    view.DirExcludeEnabled = muster.DirExcludeEnabled != 0;
}

void copyCompression(const CPageZip &zip, const CPageUnzip &unzip, CViewData &view)
{
    view.CompressExcludeEnabled = zip.CompressExcludeEnabled != 0;
    view.CompressFiles = zip.CompressFiles != 0;
    view.VerifyCompressed = zip.VerifyCompressed != 0;
    view.CompressMinSize = qint64(zip.CompressMinSize);
    view.CompressMaxSize = qint64(zip.CompressMaxSizeMB) * bytesPerMegabyte;
    view.DecompressFiles = unzip.DecompressFiles != 0;
}

// The options that a run from a Kopierdatei uses as well.
void copyFileOptions(const CPageOption &option, CViewData &view)
{
    view.ExitAfterCopy = option.ExitAfterCopy != 0;
    view.DeleteTargetOnError = option.DeleteTargetOnError != 0;
    view.ResetArchiveBit = option.ResetArchiveBit != 0;
    view.StartMinimized = option.StartMinimized != 0;
    view.CompareAfterCopy = option.CompareAfterCopy != 0;
    view.LogFile = option.LogFile;
    view.DeleteSourceAfterCopy = option.DeleteSourceAfterCopy != 0;
}

void copyRunOptions(const CPageOption &option, CViewData &view)
{
    view.OnlyArchiveBit = option.OnlyArchiveBit != 0;
    view.AppendDateToTarget = option.AppendDateToTarget != 0;
    view.DateFolderFormat = DateFolderPattern(option.DateFolderFormatId);
    copyFileOptions(option, view);
    view.ThreadCount = option.ThreadCount;
    view.ScanOnly = option.ScanOnly != 0;
    view.OnlyExistingInTarget = option.OnlyExistingInTarget != 0;
    view.OnlyMissingInTarget = option.OnlyMissingInTarget != 0;
    view.ShutdownAfterCopy = option.ShutdownAfterCopy != 0;
    view.RebootAfterShutdown = option.RebootAfterShutdown != 0;
    view.Autostart = option.Autostart != 0;
    view.CopyDirectoryRights = option.CopyDirectoryRights != 0;
    view.DirectoriesOnly = option.DirectoriesOnly != 0;
    view.LongFileNames = option.LongFileNames != 0;
    view.ShowStatusAtNextStart = option.ShowStatusAtNextStart != 0;
    view.DeleteEmptyTargetDirs = option.DeleteEmptyTargetDirs != 0;
    view.IncludeRootDir = option.IncludeRootDir != 0;
}

std::optional<OptionRangeError> validate(const CProjectData &project)
{
    if (auto error = project.Option.Validate())
        return error;
    return project.Zip.Validate();
}

} // namespace

std::optional<OptionRangeError> BuildRunParameters(const CProjectData &project, StartKind start, CViewData &view)
{
    if (auto error = validate(project))
        return error;
    view.Reset();
    for (const CListData &job : project.Jobs)
        view.Jobs.push_back(std::make_unique<CListData>(job));
    copyPatterns(project.Muster, project.Zip, view);
    copyCompression(project.Zip, project.Unzip, view);
    copyRunOptions(project.Option, view);
    view.BatchStart = start == StartKind::Countdown;
    view.CopiedListFile = project.Dateien.CopiedListFile;
    view.RetryListFile = project.Dateien.RetryListFile;
    view.SkippedListFile = project.Dateien.SkippedListFile;
    ApplyDateFilter(project.Datum, CDateTime::CurrentLocal(), view);
    view.ChecksumEnabled = project.Pruefdatei.ChecksumEnabled != 0;
    view.CheckFile = project.Pruefdatei.CheckFile;
    // A check file that does not exist yet is no error: the run creates it at its end.
    if (!view.CheckFile.isEmpty())
        view.CheckFileData.Load(view.CheckFile);
    BuildDescriptionLines(project, view);
    return std::nullopt;
}

std::optional<FileError> BuildRetryRunParameters(const CProjectData &project, const QString &kopierdateiPath,
                                                 CViewData &view)
{
    RetryList pairs;
    if (auto error = ReadRetryList(kopierdateiPath, pairs))
        return error;
    view.Reset();
    view.RetryRun = true;
    view.RetryRunFile = kopierdateiPath;
    view.RetrySources = pairs.Sources;
    view.RetryTargets = pairs.Targets;
    copyFileOptions(project.Option, view);
    BuildDescriptionLines(project, view);
    view.CopiedListFile = project.Dateien.CopiedListFile;
    view.RetryListFile = project.Dateien.RetryListFile;
    return std::nullopt;
}

void ApplyDateFilter(const CPageDatum &datum, const CDateTime &now, CViewData &view)
{
    view.DateFrom.SetStatus(CDateTime::Status::Null);
    view.DateTo.SetStatus(CDateTime::Status::Null);
    if (datum.DateFilterMode == CPageDatum::AbsoluteRange) {
        view.DateFrom = ParseDateTimeText(datum.DateFromText);
        view.DateTo = ParseDateTimeText(datum.DateToText);
    } else if (datum.DateFilterMode == CPageDatum::RelativeToStart) {
        const CDateTime from =
            RelativeDateFrom(ParseLeadingInt(datum.RelativeDays), ParseLeadingInt(datum.RelativeHours), now);
        if (!from.IsNull())
            view.DateFrom = from;
    }
}

QString AppendDefaultExtension(const QString &path)
{
    const QStringView name = QStringView(path).mid(path.lastIndexOf(u'/') + 1);
    return name.contains(u'.') ? path : path + QStringLiteral(".txt");
}

} // namespace model
