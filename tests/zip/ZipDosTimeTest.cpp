#include "zip/ZipDosTime.h"

#include <gtest/gtest.h>

namespace {

struct DosTimeRow {
    QDateTime local;
    uint16_t expectedDate;
    uint16_t expectedTime;
};

uint16_t dosDate(int year, int month, int day)
{
    return static_cast<uint16_t>(((year - 1980) << 9) | (month << 5) | day);
}

uint16_t dosTime(int hour, int minute, int second)
{
    return static_cast<uint16_t>((hour << 11) | (minute << 5) | (second / 2));
}

QDateTime local(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::LocalTime);
}

} // namespace

TEST(ZipDosTime, LocalTimeBecomesDosFields)
{
    const DosTimeRow rows[] = {
        {local(2021, 3, 4, 5, 6, 8), dosDate(2021, 3, 4), dosTime(5, 6, 8)},
        // Two-second resolution: an odd second is rounded down.
        {local(2021, 3, 4, 23, 59, 59), dosDate(2021, 3, 4), dosTime(23, 59, 58)},
        {local(1980, 1, 1, 0, 0, 0), dosDate(1980, 1, 1), 0},
        // Years before 1980 are written as 1980 with their own month and day.
        {local(1975, 6, 15, 12, 30, 0), dosDate(1980, 6, 15), dosTime(12, 30, 0)},
        {local(1970, 1, 2, 0, 0, 0), dosDate(1980, 1, 2), 0},
        // Years past the format's end (2107) are written as 2107 instead of wrapping around.
        {local(2150, 7, 8, 1, 2, 4), dosDate(2107, 7, 8), dosTime(1, 2, 4)},
    };
    for (const DosTimeRow &row : rows) {
        const ZipDosDateTime dos = ToDosDateTime(row.local);
        EXPECT_EQ(dos.Date, row.expectedDate) << row.local.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(dos.Time, row.expectedTime) << row.local.toString(Qt::ISODate).toStdString();
    }
}

TEST(ZipDosTime, DosFieldsReadBackAsLocalTime)
{
    EXPECT_EQ(FromDosDateTime(dosDate(2021, 3, 4), dosTime(5, 6, 8)), local(2021, 3, 4, 5, 6, 8));
    EXPECT_EQ(FromDosDateTime(dosDate(2107, 12, 31), dosTime(23, 59, 58)), local(2107, 12, 31, 23, 59, 58));
}

TEST(ZipDosTime, FieldsOutOfRangeGiveNoTime)
{
    const uint16_t invalidDates[] = {0, dosDate(2020, 13, 1), dosDate(2021, 2, 29), dosDate(2020, 4, 31)};
    for (const uint16_t date : invalidDates)
        EXPECT_FALSE(FromDosDateTime(date, 0).isValid()) << date;
    const uint16_t invalidTimes[] = {dosTime(24, 0, 0), dosTime(1, 60, 0), static_cast<uint16_t>(30)};
    for (const uint16_t time : invalidTimes)
        EXPECT_FALSE(FromDosDateTime(dosDate(2020, 1, 1), time).isValid()) << time;
}
