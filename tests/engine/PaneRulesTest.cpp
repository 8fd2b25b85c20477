#include "engine/PaneRules.h"

#include "resources/Strings.h"

#include <gtest/gtest.h>

namespace {

constexpr qint64 kGB = 1024ll * 1024 * 1024;

PaneEventContext contextAt(quint32 tick, int threadCount = 1)
{
    return PaneEventContext{tick, threadCount, QDateTime(QDate(2026, 12, 11), QTime(10, 0, 0))};
}

CProgressData recordFor(quint64 mask)
{
    CProgressData r;
    r.Pane = 0;
    r.Mask = mask;
    return r;
}

} // namespace

TEST(PaneRules, OnlyPanesZeroToTwoAreAddressed)
{
    const struct { int pane; bool addressed; } rows[] = {{-1, false}, {0, true}, {2, true}, {3, false}};
    for (const auto &row : rows) {
        CProgressData r;
        r.Pane = row.pane;
        EXPECT_EQ(PaneIndex(r).has_value(), row.addressed) << row.pane;
    }
}

TEST(PaneRules, FirstActionBitInListOrderWins)
{
    const struct { quint64 mask; int stringId; } rows[] = {
        {UPD_ACT_COPY | UPD_ACT_DONE, 203},
        {UPD_ACT_DONE | UPD_ACT_COMPRESS, 205},
        {UPD_ACT_COMPRESS | UPD_ACT_DECOMPRESS, 213},
        {UPD_ACT_WORKING | UPD_ACT_MKDIR, 216},
        {UPD_ACT_WORKING, 218},
    };
    for (const auto &row : rows) {
        PaneView pane;
        ApplyPaneEvent(pane, recordFor(row.mask), contextAt(0));
        EXPECT_EQ(pane.Action, LoadStr(row.stringId)) << row.mask;
    }
    EXPECT_EQ(LoadStr(203), QStringLiteral("Kopiere Datei ..."));
}

TEST(PaneRules, ActionLineKeptWhenNoActionBitIsSet)
{
    PaneView pane;
    pane.Action = QStringLiteral("vorher");
    ApplyPaneEvent(pane, recordFor(UPD_SIZE), contextAt(0));
    EXPECT_EQ(pane.Action, QStringLiteral("vorher"));
}

TEST(PaneRules, BytesPercentRemainingTimeSpeedAndEndTime)
{
    CProgressData r = recordFor(UPD_BAR1_BYTES | UPD_PCT1_BYTES | UPD_TIME_BYTES);
    r.TotalBytes = 3 * kGB;
    r.BytesDone = kGB;
    r.StartTick = 1000;
    PaneView pane;
    const std::optional<QString> endTime = ApplyPaneEvent(pane, r, contextAt(101000));
    EXPECT_EQ(pane.Bar1, 33);
    EXPECT_EQ(pane.Percent1, QStringLiteral("33 %"));
    EXPECT_EQ(pane.Remaining, QStringLiteral("00:03:20"));
    EXPECT_EQ(pane.Speed, QStringLiteral("10.24 MB/Sek"));
    ASSERT_TRUE(endTime.has_value());
    EXPECT_EQ(*endTime, QStringLiteral("10:03:20"));
}

TEST(PaneRules, EndTimeOnlyWithOneThread)
{
    CProgressData r = recordFor(UPD_TIME_BYTES);
    r.TotalBytes = 3 * kGB;
    r.BytesDone = kGB;
    EXPECT_TRUE(ApplyPaneEvent(*std::make_unique<PaneView>(), r, contextAt(100000, 1)).has_value());
    EXPECT_FALSE(ApplyPaneEvent(*std::make_unique<PaneView>(), r, contextAt(100000, 2)).has_value());
}

TEST(PaneRules, RemainingHoursAreNotWrapped)
{
    CProgressData r = recordFor(UPD_TIME_BYTES);
    r.TotalBytes = 2 * kGB;
    r.BytesDone = kGB;
    PaneView pane;
    ApplyPaneEvent(pane, r, contextAt(30u * 3600u * 1000u));
    EXPECT_EQ(pane.Remaining, QStringLiteral("30:00:00"));
}

TEST(PaneRules, SpeedStaysEmptyUntilMoreThanOneWholeSecond)
{
    const struct { quint32 elapsedMs; bool shown; } rows[] = {
        {500, false}, {1000, false}, {1999, false}, {2000, true}};
    for (const auto &row : rows) {
        CProgressData r = recordFor(UPD_TIME_BYTES);
        r.TotalBytes = kGB;
        r.BytesDone = 1024 * 1024;
        PaneView pane;
        ApplyPaneEvent(pane, r, contextAt(row.elapsedMs));
        EXPECT_EQ(!pane.Speed.isEmpty(), row.shown) << row.elapsedMs;
    }
}

TEST(PaneRules, TickWrapKeepsElapsedTime)
{
    CProgressData r = recordFor(UPD_TIME_BYTES);
    r.TotalBytes = 3 * kGB;
    r.BytesDone = kGB;
    r.StartTick = 0xFFFFFFFFu - 49999u;
    PaneView pane;
    ApplyPaneEvent(pane, r, contextAt(50000));
    EXPECT_EQ(pane.Remaining, QStringLiteral("00:03:20"));
}

TEST(PaneRules, CountLines)
{
    CProgressData r = recordFor(UPD_COUNT_FILE_OF);
    r.SelectedFiles = 5;
    r.FilesDone = 5;
    PaneView pane;
    ApplyPaneEvent(pane, r, contextAt(0));
    EXPECT_EQ(pane.Count, QStringLiteral("5 von 5 Datei(en)"));

    r.Mask = UPD_COUNT_FILE_OF | UPD_COUNT_DIRS;
    r.DirectoriesDone = 7;
    r.DirectoryCount = 4;
    ApplyPaneEvent(pane, r, contextAt(0));
    EXPECT_EQ(pane.Count, QStringLiteral("4 von 4 Verzeichn."));
}

TEST(PaneRules, SearchedCountMovesBarOne)
{
    CProgressData r = recordFor(UPD_COUNT_SEARCHED);
    r.StageSearchedCount = 1;
    r.DirectoriesDone = 4;
    PaneView pane;
    ApplyPaneEvent(pane, r, contextAt(0));
    EXPECT_EQ(pane.Count, QStringLiteral("1 von 4 Verzeichn."));
    EXPECT_EQ(pane.Bar1, 25);
    EXPECT_EQ(pane.Percent1, QStringLiteral("25 %"));
}

TEST(PaneRules, FileBarUsesArchiveSizeWhenCompressed)
{
    CProgressData r = recordFor(UPD_BAR2_FILE | UPD_PCT2_FILE);
    r.FileSize = 1000;
    r.CompressedSize = 200;
    r.FileBytesDone = 100;
    r.Compressed = 1;
    PaneView pane;
    ApplyPaneEvent(pane, r, contextAt(0));
    EXPECT_EQ(pane.Bar2, 50);
    EXPECT_EQ(pane.Percent2, QStringLiteral("50 %"));
}

TEST(PaneRules, ErrorLineAlwaysRefreshedAndRedFromOneError)
{
    CProgressData r = recordFor(0);
    PaneView pane;
    ApplyPaneEvent(pane, r, contextAt(0));
    EXPECT_EQ(pane.ErrorLine, QStringLiteral("0 Fehler"));
    EXPECT_FALSE(pane.ErrorLineRed);
    r.ErrorCount = 1;
    ApplyPaneEvent(pane, r, contextAt(0));
    EXPECT_EQ(pane.ErrorLine, QStringLiteral("1 Fehler"));
    EXPECT_TRUE(pane.ErrorLineRed);
}

TEST(PaneRules, MessageBoxLineKeepsOneLineBreak)
{
    const struct { const char16_t *text; const char16_t *line; } rows[] = {
        {u"a\r\n\r\n", u"a\r\n"},
        {u"a", u"a\r\n"},
        {u"a\r\nb\n", u"a\r\nb\r\n"},
        {u"", u""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(MessageBoxLine(QString::fromUtf16(row.text)), QString::fromUtf16(row.line));
}
