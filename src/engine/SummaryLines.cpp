#include "engine/SummaryLines.h"

#include "engine/CProgressData.h"
#include "engine/CUtil.h"
#include "engine/PaneRules.h"
#include "engine/TextFormat.h"
#include "engine/TimeFormat.h"
#include "model/CViewData.h"
#include "resources/Strings.h"

#include <algorithm>

namespace {

constexpr int kHeadHashes = 32;
constexpr int kClosingHashes = 81;

struct Span {
    qint64 hours = 0; // modulo 24, as the summaries show them
    qint64 minutes = 0;
    qint64 seconds = 0;
    qint64 totalSeconds = 0;
};

// A clock set back during the run would give a negative span; it is shown as no time.
Span roundedSpan(const QDateTime &from, const QDateTime &to)
{
    const qint64 total = std::max<qint64>(0, RoundedSpanMs(from, to) / 1000);
    return Span{(total / 3600) % 24, (total / 60) % 60, total % 60, total};
}

QString durationLine(const Span &span)
{
    return FormatStr(343, {span.hours, span.minutes, span.seconds});
}

QString dateTimeText(const QDateTime &when)
{
    return FormatDateTime(LoadStr(304), when);
}

QString bytesLine(int id, qint64 bytes, qint64 bytesCopied)
{
    return FormatStr(id, {bytes, CUtil::FormatFileSize(bytes), bytesCopied, CUtil::FormatFileSize(bytesCopied)});
}

QStringList optionLines(const CViewDataOptions &p)
{
    QStringList lines{p.OnlyArchiveBitText, p.ResetArchiveBitText, p.CompareAfterCopyText,
                      p.AppendDateToTargetText, p.DeleteTargetOnErrorText, p.DeleteSourceAfterCopyText,
                      p.StartMinimizedText, p.ExitAfterCopyText, p.ScanOnlyText,
                      p.OnlyExistingInTargetText, p.OnlyMissingInTargetText, p.ShutdownAfterCopyText,
                      p.RebootAfterShutdownText, p.AutostartText, p.ChecksumEnabledText,
                      p.CopyDirectoryRightsText, p.DirectoriesOnlyText, p.LongFileNamesText,
                      p.ShowStatusAtNextStartText, p.DeleteEmptyTargetDirsText, p.IncludeRootDirText};
    lines << FormatStr(361, {p.CheckFile});
    lines << p.FileIncludeText << p.FileExcludeText << p.DirIncludeText << p.DirExcludeText
          << p.CompressFilesText << p.VerifyCompressedText << p.CompressExcludeText
          << p.CompressSizeText << p.DecompressFilesText;
    return lines;
}

QStringList runModeLines(const CViewDataOptions &p, bool userIsAdmin)
{
    QStringList lines;
    if (p.BatchStart)
        lines << LoadStr(351);
    if (p.RetryRun)
        lines << FormatStr(363, {p.RetryRunFile});
    lines << LoadStr(userIsAdmin ? 426 : 427);
    return lines;
}

QStringList totalsLines(const CViewDataOptions &p, const CZusammenfassung::Totals &t)
{
    QStringList lines;
    lines << FormatStr(414, {qint64(t.Directories), qint64(t.DirectoriesCreated)});
    lines << FormatStr(312, {qint64(t.Files), qint64(t.FilesCopied)});
    lines << bytesLine(313, t.Bytes, t.BytesCopied);
    if (p.CompressFiles) {
        lines << FormatStr(399, {t.CompressedBytes, CUtil::FormatFileSize(t.CompressedBytes)});
        lines << FormatStr(401, {qint64(t.UncompressedFiles)});
    }
    lines << FormatStr(383, {qint64(t.SkippedFiles), qint64(t.SkippedDirectories)});
    lines << FormatStr(355, {qint64(t.Errors)});
    return lines;
}

} // namespace

QString ProgramVersionText()
{
    return FormatText(QStringLiteral("%d,%d,%d,%d"),
                      {qint64(ZELVARON_VERSION_MAJOR), qint64(ZELVARON_VERSION_MINOR),
                       qint64(ZELVARON_VERSION_PATCH), qint64(ZELVARON_VERSION_TWEAK)});
}

QStringList JobSummaryLines(const CProgressData &r, const QDateTime &jobStart, const QDateTime &jobEnd)
{
    const Span span = roundedSpan(jobStart, jobEnd);
    // The speed divides by the whole duration; the shown hours wrap at 24, the bytes do not.
    return QStringList{
        QString(),
        FormatStr(340, {dateTimeText(jobEnd)}),
        durationLine(span),
        FormatStr(344, {qint64(r.SelectedFiles), qint64(r.FilesDone)}),
        FormatStr(412, {qint64(r.DirectoryCount), qint64(r.DirectoriesDone)}),
        bytesLine(345, r.TotalBytes, r.BytesDone),
        FormatStr(425, {SpeedText(r.BytesDone, span.totalSeconds)}),
        FormatStr(346, {qint64(r.ErrorCount)}),
    };
}

QStringList RunSummaryLines(const CViewDataOptions &params, const CZusammenfassung::Totals &totals,
                            const RunSummaryFacts &facts)
{
    const QString hashes(kHeadHashes, u'#');
    QStringList lines;
    lines << FormatStr(352, {hashes, hashes});
    lines << FormatStr(398, {facts.Version});
    lines << optionLines(params);
    lines << runModeLines(params, facts.UserIsAdmin);
    lines << QString();
    lines << FormatStr(353, {dateTimeText(facts.RunStart)});
    lines << FormatStr(354, {dateTimeText(facts.RunEnd)});
    lines << durationLine(roundedSpan(facts.RunStart, facts.RunEnd));
    lines << FormatStr(356, {qint64(facts.ActiveJobCount)});
    lines << FormatStr(357, {qint64(params.ThreadCount)});
    lines << totalsLines(params, totals);
    lines << QString(kClosingHashes, u'#');
    lines << QString();
    return lines;
}
