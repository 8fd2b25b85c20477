#include "model/CDateTime.h"
#include "model/DateTimeText.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <ctime>
#include <limits>

using namespace Qt::Literals::StringLiterals;
using model::CDateTime;

namespace {

constexpr qint64 epochOffsetMs = 11'644'473'600'000; // 1601-01-01 to 1970-01-01

qint64 fileTimeOf(const QDateTime &moment)
{
    return (moment.toMSecsSinceEpoch() + epochOffsetMs) * CDateTime::TicksPerMillisecond;
}

// Runs a test in a fixed time zone with daylight saving (central Europe), so that the local
// offset is neither zero nor constant.
class CDateTimeZoneTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_oldTz = qgetenv("TZ");
        m_hadTz = qEnvironmentVariableIsSet("TZ");
        qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
        tzset();
    }
    void TearDown() override
    {
        if (m_hadTz)
            qputenv("TZ", m_oldTz);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    QByteArray m_oldTz;
    bool m_hadTz = false;
};

TEST(CDateTime, DefaultIsNullWithValueZero)
{
    const CDateTime value;
    EXPECT_TRUE(value.IsNull());
    EXPECT_FALSE(value.IsValid());
    EXPECT_EQ(value.LocalTicks(), 0);
}

TEST(CDateTime, OnlyTwoValidValuesCompare)
{
    const CDateTime early = model::ParseDateTimeText(u"01.01.2020"_s);
    const CDateTime late = model::ParseDateTimeText(u"02.01.2020"_s);
    CDateTime nullValue;
    CDateTime invalid = model::ParseDateTimeText(u"kein Datum"_s);
    ASSERT_EQ(invalid.GetStatus(), CDateTime::Status::Invalid);

    EXPECT_TRUE(early < late);
    EXPECT_TRUE(late > early);
    EXPECT_TRUE(early == model::ParseDateTimeText(u"01.01.2020 00:00:00"_s));
    for (const CDateTime &other : {nullValue, invalid}) {
        EXPECT_FALSE(early < other);
        EXPECT_FALSE(early > other);
        EXPECT_FALSE(early == other);
        EXPECT_FALSE(other < early);
        EXPECT_FALSE(other > early);
        EXPECT_FALSE(other <= early);
        EXPECT_FALSE(other >= early);
    }
    EXPECT_FALSE(nullValue == CDateTime());
}

TEST(CDateTime, ResettingTheStatusKeepsTheValue)
{
    CDateTime value = model::ParseDateTimeText(u"05.06.2007 08:09:10"_s);
    const qint64 ticks = value.LocalTicks();
    value.SetStatus(CDateTime::Status::Null);
    EXPECT_TRUE(value.IsNull());
    EXPECT_EQ(value.LocalTicks(), ticks);
}

TEST(CDateTime, FileTimeMatchesTheLocalWallClock)
{
    // 2006-10-10 and 2021-01-15, with sub-second parts.
    for (qint64 ms : {Q_INT64_C(1160475153000), Q_INT64_C(1610712000123), Q_INT64_C(0)}) {
        const qint64 fileTime = (ms + epochOffsetMs) * CDateTime::TicksPerMillisecond + 4567;
        const CDateTime value = CDateTime::FromFileTime(fileTime);
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms);
        ASSERT_TRUE(value.IsValid());
        EXPECT_EQ(value.Date(), local.date());
        EXPECT_EQ(value.Time(), local.time());
        EXPECT_EQ(value.LocalTicks() % CDateTime::TicksPerMillisecond, 4567);
    }
}

TEST(CDateTime, FileTimeEqualToATypedDateIsNotEarlier)
{
    const QDateTime moment(QDate(2006, 10, 10), QTime(10, 12, 33));
    const CDateTime file = CDateTime::FromFileTime(fileTimeOf(moment));
    const CDateTime typed = model::ParseDateTimeText(u"10.10.2006 10:12:33"_s);
    const CDateTime secondLater = model::ParseDateTimeText(u"10.10.2006 10:12:34"_s);
    EXPECT_TRUE(file == typed);
    EXPECT_FALSE(file < typed);
    EXPECT_FALSE(file > typed);
    EXPECT_TRUE(file < secondLater);
    // Half a second past the typed moment is later than it.
    EXPECT_TRUE(CDateTime::FromFileTime(fileTimeOf(moment) + 5'000'000) > typed);
}

TEST(CDateTime, NegativeFileTimeHasNoLocalTime)
{
    EXPECT_EQ(CDateTime::FromFileTime(-1).GetStatus(), CDateTime::Status::Invalid);
    EXPECT_EQ(CDateTime::FromFileTime(std::numeric_limits<qint64>::min()).GetStatus(),
              CDateTime::Status::Invalid);
}

TEST_F(CDateTimeZoneTest, FileTimeUsesTheOffsetOfItsOwnMoment)
{
    // 12:00 UTC is 14:00 in summer and 13:00 in winter in central Europe.
    const qint64 summer = fileTimeOf(QDateTime(QDate(2021, 7, 1), QTime(12, 0), Qt::UTC));
    const qint64 winter = fileTimeOf(QDateTime(QDate(2021, 1, 15), QTime(12, 0), Qt::UTC));
    EXPECT_TRUE(CDateTime::FromFileTime(summer) == model::ParseDateTimeText(u"01.07.2021 14:00:00"_s));
    EXPECT_TRUE(CDateTime::FromFileTime(winter) == model::ParseDateTimeText(u"15.01.2021 13:00:00"_s));
}

TEST_F(CDateTimeZoneTest, CurrentLocalIsTheWallClockNow)
{
    const CDateTime before = CDateTime::FromDateTime(QDateTime::currentDateTime());
    const CDateTime now = CDateTime::CurrentLocal();
    const CDateTime after = CDateTime::FromDateTime(QDateTime::currentDateTime());
    EXPECT_TRUE(before <= now);
    EXPECT_TRUE(now <= after);
    // The value is the local wall clock, not UTC: it differs from the UTC ticks by the offset.
    const QDateTime utcNow = QDateTime::currentDateTimeUtc();
    const qint64 offsetTicks = now.LocalTicks() - fileTimeOf(utcNow);
    const qint64 expected = QDateTime::currentDateTime().offsetFromUtc() * CDateTime::TicksPerSecond;
    EXPECT_NEAR(double(offsetTicks), double(expected), 60.0 * CDateTime::TicksPerSecond);
    EXPECT_NE(expected, 0);
}

TEST(CDateTime, DateAndTimeBeforeTheFileTimeEpoch)
{
    const CDateTime value = CDateTime::FromLocal(QDate(1500, 6, 30), QTime(23, 59, 58, 250));
    ASSERT_TRUE(value.IsValid());
    EXPECT_LT(value.LocalTicks(), 0);
    EXPECT_EQ(value.Date(), QDate(1500, 6, 30));
    EXPECT_EQ(value.Time(), QTime(23, 59, 58, 250));
}

TEST(CDateTime, AddHoursMovesTheWallClock)
{
    const CDateTime start = model::ParseDateTimeText(u"28.02.2020 23:00"_s);
    EXPECT_TRUE(start.AddHours(2) == model::ParseDateTimeText(u"29.02.2020 01:00"_s));
    EXPECT_TRUE(start.AddHours(-47) == model::ParseDateTimeText(u"27.02.2020 00:00"_s));
    EXPECT_EQ(start.AddHours(std::numeric_limits<qint64>::max()).GetStatus(), CDateTime::Status::Invalid);
    EXPECT_EQ(CDateTime().AddHours(1).GetStatus(), CDateTime::Status::Invalid);
}

TEST(CDateTime, InvalidCalendarFieldsGiveAnInvalidValue)
{
    EXPECT_EQ(CDateTime::FromLocal(QDate(2021, 2, 30), QTime(0, 0)).GetStatus(), CDateTime::Status::Invalid);
    EXPECT_EQ(CDateTime::FromLocal(QDate(2021, 2, 3), QTime(25, 0)).GetStatus(), CDateTime::Status::Invalid);
    EXPECT_EQ(CDateTime::FromDateTime(QDateTime()).GetStatus(), CDateTime::Status::Invalid);
}

} // namespace
