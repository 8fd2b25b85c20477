#include "zip/ZipDosTime.h"

#include <algorithm>

namespace {

constexpr int kFirstYear = 1980;
constexpr int kLastYear = kFirstYear + 127;

} // namespace

ZipDosDateTime ToDosDateTime(const QDateTime &moment)
{
    const QDateTime local = moment.toLocalTime();
    const QDate date = local.date();
    const QTime time = local.time();
    const int year = std::clamp(date.year(), kFirstYear, kLastYear);
    ZipDosDateTime result;
    result.Date = static_cast<uint16_t>(((year - kFirstYear) << 9) | (date.month() << 5) | date.day());
    result.Time = static_cast<uint16_t>((time.hour() << 11) | (time.minute() << 5) | (time.second() / 2));
    return result;
}

QDateTime FromDosDateTime(uint16_t date, uint16_t time)
{
    const QDate day(kFirstYear + (date >> 9), (date >> 5) & 0x0F, date & 0x1F);
    const QTime clock(time >> 11, (time >> 5) & 0x3F, (time & 0x1F) * 2);
    if (!day.isValid() || !clock.isValid())
        return {};
    return QDateTime(day, clock, Qt::LocalTime);
}
