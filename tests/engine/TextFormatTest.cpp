#include "engine/TextFormat.h"
#include "engine/TimeFormat.h"

#include <gtest/gtest.h>

TEST(TextFormat, FillsTheDesignsPrintfFormats)
{
    const struct { const char16_t *format; std::initializer_list<FormatArg> args; const char16_t *expected; } rows[] = {
        {u"Starte Job %d\r\n", {qint64(3)}, u"Starte Job 3\r\n"},
        {u"%I64d %%", {qint64(5000000000)}, u"5000000000 %"},
        {u"%I64d|%d|%i", {qint64(-9223372036854775807 - 1), qint64(-7), qint64(9223372036854775807)},
         u"-9223372036854775808|-7|9223372036854775807"},
        {u"%5d|%-3d|%u|%x", {qint64(42), qint64(7), qint64(-1), qint64(255)}, u"   42|7  |18446744073709551615|ff"},
        {u"%0.2f MB/Sek", {10.24}, u"10.24 MB/Sek"},
        {u"%02d:%02d:%02d", {qint64(1), qint64(2), qint64(3)}, u"01:02:03"},
        {u"%s Datei: \"%s\"", {QStringLiteral("[x],"), QStringLiteral("/tmp/ä b")}, u"[x], Datei: \"/tmp/ä b\""},
        {u"%s und %s", {QStringLiteral("eins")}, u"eins und %s"},
        {u"%d", {QStringLiteral("kein int")}, u"%d"},
        {u"100%", {}, u"100%"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(FormatText(QString::fromUtf16(row.format), row.args), QString::fromUtf16(row.expected));
}

TEST(TimeFormat, StrftimePatternsAndDurations)
{
    const QDateTime when(QDate(2015, 3, 1), QTime(7, 8, 9));
    EXPECT_EQ(FormatDateTime(QStringLiteral("%Y_%m_%d"), when), QStringLiteral("2015_03_01"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("%y%m%d%H%M%S"), when), QStringLiteral("150301070809"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("%d.%m.%Y %H:%M:%S"), when), QStringLiteral("01.03.2015 07:08:09"));
    EXPECT_EQ(FormatDuration(25ll * 3600 * 1000 + 61000, HourWrap::Wrap24), QStringLiteral("01:01:01"));
    EXPECT_EQ(FormatDuration(25ll * 3600 * 1000, HourWrap::NoWrap), QStringLiteral("25:00:00"));
    EXPECT_EQ(RoundedSpanMs(when, when.addMSecs(1499)), 1000);
    EXPECT_EQ(RoundedSpanMs(when, when.addMSecs(1500)), 2000);
}
