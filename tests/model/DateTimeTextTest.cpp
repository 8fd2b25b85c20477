#include "model/DateTimeText.h"

#include <gtest/gtest.h>

#include <climits>

using namespace Qt::Literals::StringLiterals;
using model::CDateTime;

namespace {

struct DateRow {
    const char16_t *text;
    int year, month, day, hour, minute, second; // year 0: the text is invalid
};

class DateTextTest : public testing::TestWithParam<DateRow> {};

TEST_P(DateTextTest, ParsesAsAGermanUserTypesIt)
{
    const DateRow &row = GetParam();
    const CDateTime parsed = model::ParseDateTimeText(QString::fromUtf16(row.text));
    if (row.year == 0) {
        EXPECT_EQ(parsed.GetStatus(), CDateTime::Status::Invalid);
        return;
    }
    ASSERT_TRUE(parsed.IsValid());
    EXPECT_EQ(parsed.Date(), QDate(row.year, row.month, row.day));
    EXPECT_EQ(parsed.Time(), QTime(row.hour, row.minute, row.second));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DateTextTest,
    testing::Values(
        DateRow{u"10.10.2006 10.12.33", 2006, 10, 10, 10, 12, 33},
        DateRow{u"10.10.2006 10:12:33", 2006, 10, 10, 10, 12, 33},
        DateRow{u"01.02.2020 23:59:59", 2020, 2, 1, 23, 59, 59},
        DateRow{u"1.2.2020 7:05", 2020, 2, 1, 7, 5, 0},
        DateRow{u"01.02.2020 10.12", 2020, 2, 1, 10, 12, 0},
        DateRow{u"01.02.2020", 2020, 2, 1, 0, 0, 0},
        DateRow{u"  01.02.2020   10:12:33  ", 2020, 2, 1, 10, 12, 33},
        DateRow{u"29.02.2020", 2020, 2, 29, 0, 0, 0},
        DateRow{u"31.12.9999 23:59:59", 9999, 12, 31, 23, 59, 59},
        // Two-digit years: 00-29 are this century, 30-99 the last one.
        DateRow{u"01.02.20", 2020, 2, 1, 0, 0, 0},
        DateRow{u"01.02.00", 2000, 2, 1, 0, 0, 0},
        DateRow{u"01.02.29 10:00", 2029, 2, 1, 10, 0, 0},
        DateRow{u"01.02.30", 1930, 2, 1, 0, 0, 0},
        DateRow{u"01.02.99", 1999, 2, 1, 0, 0, 0},
        DateRow{u"01.02.5", 2005, 2, 1, 0, 0, 0},
        DateRow{u"01.02.999", 999, 2, 1, 0, 0, 0},
        // Texts that name no date.
        DateRow{u"", 0, 0, 0, 0, 0, 0},
        DateRow{u"   ", 0, 0, 0, 0, 0, 0},
        DateRow{u"31.02.2020", 0, 0, 0, 0, 0, 0},
        DateRow{u"29.02.2021", 0, 0, 0, 0, 0, 0},
        DateRow{u"00.01.2020", 0, 0, 0, 0, 0, 0},
        DateRow{u"01.13.2020", 0, 0, 0, 0, 0, 0},
        DateRow{u"01.01.0000", 0, 0, 0, 0, 0, 0},
        DateRow{u"01.02.2020 24:00:00", 0, 0, 0, 0, 0, 0},
        DateRow{u"01.02.2020 10:60", 0, 0, 0, 0, 0, 0},
        DateRow{u"01.02.2020 10:12:60", 0, 0, 0, 0, 0, 0},
        DateRow{u"01.02.2020 10", 0, 0, 0, 0, 0, 0},
        DateRow{u"01.02.2020x", 0, 0, 0, 0, 0, 0},
        DateRow{u"2020-02-01", 0, 0, 0, 0, 0, 0},
        DateRow{u"01/02/2020", 0, 0, 0, 0, 0, 0},
        DateRow{u"01.02.", 0, 0, 0, 0, 0, 0},
        DateRow{u"heute", 0, 0, 0, 0, 0, 0},
        DateRow{u"01.02.20201", 0, 0, 0, 0, 0, 0}));

struct IntRow {
    const char16_t *text;
    int expected;
};

TEST(DateTimeText, LeadingIntegerLikeTheCLibrary)
{
    const IntRow rows[] = {
        {u"", 0},         {u"abc", 0},     {u"5", 5},         {u"  12", 12},     {u"\t7", 7},
        {u"+3", 3},       {u"-4", -4},     {u"12abc", 12},    {u"3 4", 3},       {u"- 4", 0},
        {u"+", 0},        {u"007", 7},     {u"2147483647", INT_MAX},
        {u"99999999999", INT_MAX},         {u"-2147483648", INT_MIN},        {u"-99999999999", INT_MIN},
    };
    for (const IntRow &row : rows)
        EXPECT_EQ(model::ParseLeadingInt(QString::fromUtf16(row.text)), row.expected)
            << QString::fromUtf16(row.text).toStdString();
}

TEST(DateTimeText, RelativeStartGoesBackByDaysAndHours)
{
    const CDateTime now = model::ParseDateTimeText(u"05.03.2021 12:00:00"_s);
    struct Row {
        int days, hours;
        const char16_t *expected; // nullptr: no filter
    };
    const Row rows[] = {
        {2, 3, u"03.03.2021 09:00:00"},
        {0, 5, u"05.03.2021 07:00:00"},
        {1, 0, u"04.03.2021 12:00:00"},
        // A positive amount with a negative one goes by their sum.
        {1, -30, u"05.03.2021 18:00:00"},
        {0, 0, nullptr},
        {-1, 0, nullptr},
        {-2, -3, nullptr},
    };
    for (const Row &row : rows) {
        const CDateTime from = model::RelativeDateFrom(row.days, row.hours, now);
        if (row.expected == nullptr) {
            EXPECT_TRUE(from.IsNull()) << row.days << ' ' << row.hours;
        } else {
            EXPECT_TRUE(from == model::ParseDateTimeText(QString::fromUtf16(row.expected)))
                << row.days << ' ' << row.hours;
        }
    }
}

TEST(DateTimeText, RelativeStartFarBackStaysOrderedOrBecomesInvalid)
{
    const CDateTime now = model::ParseDateTimeText(u"05.03.2021"_s);
    const CDateTime farBack = model::RelativeDateFrom(1'000'000, 0, now);
    ASSERT_TRUE(farBack.IsValid());
    EXPECT_LT(farBack, now);
    EXPECT_EQ(farBack.Date(), now.Date().addDays(-1'000'000));
    // A span beyond the range of the value must not wrap around into the future: the bound is
    // invalid, and an invalid bound filters nothing.
    EXPECT_EQ(model::RelativeDateFrom(INT_MAX, INT_MAX, now).GetStatus(), CDateTime::Status::Invalid);
    EXPECT_EQ(model::RelativeDateFrom(1, 0, CDateTime()).GetStatus(), CDateTime::Status::Invalid);
}

} // namespace
