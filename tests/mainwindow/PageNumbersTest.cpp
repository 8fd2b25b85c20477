#include "mainwindow/PageNumbers.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

TEST(PageNumbers, AWholeNumberFieldAcceptsOnlyAWholeNumber)
{
    const struct {
        const char16_t *text;
        std::optional<qint64> value;
    } rows[] = {
        {u"0", 0},
        {u"65535", 65535},
        {u"  12  ", 12},
        {u"+7", 7},
        {u"-3", -3},
        {u"9223372036854775807", kMax},
        {u"-9223372036854775808", kMin},
        {u"9223372036854775808", std::nullopt},
        {u"", std::nullopt},
        {u"   ", std::nullopt},
        {u"-", std::nullopt},
        {u"12a", std::nullopt},
        {u"1 2", std::nullopt},
        {u"1.5", std::nullopt},
        {u"zwölf", std::nullopt},
        {u"\u0661", std::nullopt}, // an Arabic-Indic digit one
    };
    for (const auto &row : rows)
        EXPECT_EQ(ui::ParseWholeNumber(QString::fromUtf16(row.text)), row.value)
            << QString::fromUtf16(row.text).toStdString();
}

TEST(PageNumbers, TheLeadingNumberIsReadAsTheCLibraryReadsIt)
{
    const struct {
        const char16_t *text;
        qint64 value;
    } rows[] = {
        {u"256", 256},   {u"  42abc", 42},       {u"abc", 0},    {u"", 0},
        {u"-5", -5},     {u"+5x", 5},            {u"- 5", 0},
        {u"99999999999999999999", kMax},         {u"-99999999999999999999", kMin},
    };
    for (const auto &row : rows)
        EXPECT_EQ(ui::ParseLeadingInt64(QString::fromUtf16(row.text)), row.value)
            << QString::fromUtf16(row.text).toStdString();
}

TEST(PageNumbers, MultiplicationStopsAtTheLimits)
{
    EXPECT_EQ(ui::SaturatingMultiply(3840, 1048576), 4026531840LL);
    EXPECT_EQ(ui::SaturatingMultiply(kMax, 2), kMax);
    EXPECT_EQ(ui::SaturatingMultiply(kMin, 2), kMin);
    EXPECT_EQ(ui::SaturatingMultiply(-kMax, 1048576), kMin);
}

} // namespace
