#include "engine/PaneRules.h"

#include "engine/CUtil.h"
#include "engine/TextFormat.h"
#include "engine/TimeFormat.h"
#include "resources/Strings.h"

#include <algorithm>
#include <array>

namespace {

struct ActionText {
    quint64 bit;
    int stringId;
};

// The first bit of this list that is set decides the action line.
constexpr std::array<ActionText, 10> kActionTexts{{
    {UPD_ACT_SCAN, 202},
    {UPD_ACT_COPY, 203},
    {UPD_ACT_COMPARE, 204},
    {UPD_ACT_DONE, 205},
    {UPD_ACT_COMPRESS, 213},
    {UPD_ACT_DECOMPRESS, 212},
    {UPD_ACT_MKDIR, 216},
    {UPD_ACT_DEL_TARGET, 217},
    {UPD_ACT_DEL_SOURCE, 219},
    {UPD_ACT_WORKING, 218},
}};

bool has(const CProgressData &r, quint64 bit)
{
    return (r.Mask & bit) != 0;
}

int percentOf(qint64 done, qint64 total)
{
    return total > 0 ? static_cast<int>(done * 100 / total) : 0;
}

qint64 currentFileSize(const CProgressData &r)
{
    return r.Compressed ? r.CompressedSize : r.FileSize;
}

void applyAction(PaneView &pane, const CProgressData &r)
{
    for (const ActionText &a : kActionTexts) {
        if (has(r, a.bit)) {
            pane.Action = LoadStr(a.stringId);
            return;
        }
    }
}

void applyBars(PaneView &pane, const CProgressData &r)
{
    if (has(r, UPD_BAR1_RESET)) {
        pane.Bar1 = 0;
        pane.Percent1 = QStringLiteral("0 %");
    }
    if (has(r, UPD_BAR1_BYTES) && r.TotalBytes > 0)
        pane.Bar1 = percentOf(r.BytesDone, r.TotalBytes);
    if (has(r, UPD_BAR1_DIRS) && r.DirectoryCount > 0)
        pane.Bar1 = percentOf(r.DirectoriesDone, r.DirectoryCount);
    if (has(r, UPD_BAR1_STEP))
        ++pane.Bar1Steps;
    if (has(r, UPD_BAR2_RESET)) {
        pane.Bar2 = 0;
        pane.Percent2 = QStringLiteral("0 %");
    }
    if (has(r, UPD_BAR2_FILE) && currentFileSize(r) > 0)
        pane.Bar2 = percentOf(r.FileBytesDone, currentFileSize(r));
}

void applyPercents(PaneView &pane, const CProgressData &r)
{
    if (has(r, UPD_PCT1_BYTES))
        pane.Percent1 = PercentText(r.BytesDone, r.TotalBytes);
    if (has(r, UPD_PCT1_DIRS))
        pane.Percent1 = PercentText(r.DirectoriesDone, r.DirectoryCount);
    if (has(r, UPD_PCT2_FILE))
        pane.Percent2 = PercentText(r.FileBytesDone, currentFileSize(r));
}

void applyPaths(PaneView &pane, const CProgressData &r)
{
    if (has(r, UPD_SOURCE))
        pane.Source = r.SourcePath;
    if (has(r, UPD_TARGET))
        pane.Target = r.TargetPath;
    if (has(r, UPD_SOURCE_ALT))
        pane.Source = r.AltSourceText;
    if (has(r, UPD_TARGET_ALT))
        pane.Target = r.AltTargetText;
}

void applyFileCount(PaneView &pane, const CProgressData &r)
{
    if (has(r, UPD_COUNT_FILES)) {
        pane.Count = FormatStr(349, {qint64(r.SelectedFiles)});
    } else if (has(r, UPD_COUNT_FILE_OF)) {
        const qint64 current = std::min(r.FilesDone + 1, r.SelectedFiles);
        pane.Count = FormatStr(350, {current, qint64(r.SelectedFiles)});
    }
}

void applyDirectoryCount(PaneView &pane, const CProgressData &r)
{
    if (has(r, UPD_COUNT_SEARCHED)) {
        const qint64 searched = std::min(r.StageSearchedCount, r.DirectoriesDone);
        pane.Count = FormatStr(413, {searched, qint64(r.DirectoriesDone)});
        if (r.DirectoriesDone > 0) {
            pane.Bar1 = percentOf(searched, r.DirectoriesDone);
            pane.Percent1 = PercentText(searched, r.DirectoriesDone);
        }
    } else if (has(r, UPD_COUNT_DELETED)) {
        const qint64 deleted = std::min(r.StageDeletedCount, r.StageSearchedCount);
        pane.Count = FormatStr(413, {deleted, qint64(r.StageSearchedCount)});
    } else if (has(r, UPD_COUNT_DIRS)) {
        const qint64 done = std::min(r.DirectoriesDone, r.DirectoryCount);
        pane.Count = FormatStr(413, {done, qint64(r.DirectoryCount)});
    }
}

QString endTimeText(const PaneEventContext &context, qint64 remainingMs)
{
    return FormatDateTime(LoadStr(303), context.Now.addMSecs(remainingMs));
}

std::optional<QString> applyRemaining(PaneView &pane, qint64 left, qint64 done, qint64 elapsedMs,
                                      const PaneEventContext &context)
{
    const qint64 remainingMs = left * elapsedMs / done;
    pane.Remaining = FormatDuration(remainingMs, HourWrap::NoWrap);
    if (context.ThreadCount == 1)
        return endTimeText(context, remainingMs);
    return std::nullopt;
}

std::optional<QString> applyTimes(PaneView &pane, const CProgressData &r,
                                  const PaneEventContext &context)
{
    std::optional<QString> endTime;
    const qint64 elapsedMs = static_cast<quint32>(context.NowTick - r.StartTick);
    if (has(r, UPD_TIME_BYTES)) {
        pane.Remaining.clear();
        pane.Speed.clear();
        if (r.BytesDone > 0 && r.TotalBytes > 0) {
            endTime = applyRemaining(pane, r.TotalBytes - r.BytesDone, r.BytesDone, elapsedMs, context);
            pane.Speed = SpeedText(r.BytesDone, elapsedMs / 1000);
        }
    }
    if (has(r, UPD_TIME_DIRS)) {
        pane.Remaining.clear();
        pane.Speed.clear();
        if (r.DirectoriesDone > 0 && r.DirectoryCount > 0) {
            endTime = applyRemaining(pane, r.DirectoryCount - r.DirectoriesDone, r.DirectoriesDone,
                                     elapsedMs, context);
        }
    }
    return endTime;
}

} // namespace

std::optional<int> PaneIndex(const CProgressData &record)
{
    if (record.Pane < 0 || record.Pane > 2)
        return std::nullopt;
    return record.Pane;
}

std::optional<QString> ApplyPaneEvent(PaneView &pane, const CProgressData &record,
                                      const PaneEventContext &context)
{
    applyAction(pane, record);
    applyBars(pane, record);
    applyPercents(pane, record);
    applyPaths(pane, record);
    applyFileCount(pane, record);
    applyDirectoryCount(pane, record);
    if (has(record, UPD_SIZE))
        pane.Size = CUtil::FormatFileSize(record.TotalBytes);
    std::optional<QString> endTime = applyTimes(pane, record, context);
    pane.ErrorLine = FormatStr(336, {qint64(record.ErrorCount)});
    pane.ErrorLineRed = record.ErrorCount >= 1;
    return endTime;
}

QString PercentText(qint64 done, qint64 total)
{
    if (total <= 0)
        return QString();
    return FormatText(QStringLiteral("%I64d %%"), {done * 100 / total});
}

QString SpeedText(qint64 bytes, qint64 seconds)
{
    if (seconds <= 1)
        return QString();
    return FormatText(QStringLiteral("%0.2f MB/Sek"), {double(bytes) / 1048576.0 / double(seconds)});
}

QString MessageBoxLine(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == u'\r' || text[end - 1] == u'\n'))
        --end;
    if (text.isEmpty())
        return QString();
    return text.left(end) + QStringLiteral("\r\n");
}

QString SkipFieldText(int skippedFiles, int skippedDirectories)
{
    return FormatText(QStringLiteral("%d / %d"), {qint64(skippedFiles), qint64(skippedDirectories)});
}
