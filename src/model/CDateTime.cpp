#include "model/CDateTime.h"

#include <QDateTime>

namespace model {

namespace {

// Milliseconds from 1601-01-01 to 1970-01-01.
constexpr qint64 fileTimeEpochOffsetMs = 11'644'473'600'000;

qint64 epochJulianDay()
{
    return QDate(1601, 1, 1).toJulianDay();
}

CDateTime invalid()
{
    CDateTime value;
    value.SetStatus(CDateTime::Status::Invalid);
    return value;
}

} // namespace

CDateTime CDateTime::FromLocalTicks(qint64 ticks)
{
    return CDateTime(ticks, Status::Valid);
}

CDateTime CDateTime::FromLocal(const QDate &date, const QTime &time)
{
    if (!date.isValid() || !time.isValid())
        return invalid();
    qint64 ticks = 0;
    const qint64 days = date.toJulianDay() - epochJulianDay();
    if (__builtin_mul_overflow(days, TicksPerDay, &ticks)
        || __builtin_add_overflow(ticks, time.msecsSinceStartOfDay() * TicksPerMillisecond, &ticks))
        return invalid();
    return FromLocalTicks(ticks);
}

CDateTime CDateTime::FromDateTime(const QDateTime &moment)
{
    if (!moment.isValid())
        return invalid();
    const QDateTime local = moment.toLocalTime();
    return FromLocal(local.date(), local.time());
}

CDateTime CDateTime::FromFileTime(qint64 fileTime)
{
    if (fileTime < 0)
        return invalid();
    const qint64 utcMs = fileTime / TicksPerMillisecond - fileTimeEpochOffsetMs;
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(utcMs);
    if (!local.isValid())
        return invalid();
    qint64 ticks = 0;
    if (__builtin_add_overflow(fileTime, local.offsetFromUtc() * TicksPerSecond, &ticks))
        return invalid();
    return FromLocalTicks(ticks);
}

CDateTime CDateTime::CurrentLocal()
{
    const QDateTime now = QDateTime::currentDateTime();
    const qint64 utcTicks = (now.toMSecsSinceEpoch() + fileTimeEpochOffsetMs) * TicksPerMillisecond;
    return FromLocalTicks(utcTicks + now.offsetFromUtc() * TicksPerSecond);
}

QDate CDateTime::Date() const
{
    qint64 days = m_ticks / TicksPerDay;
    if (m_ticks % TicksPerDay < 0)
        --days;
    return QDate::fromJulianDay(epochJulianDay() + days);
}

QTime CDateTime::Time() const
{
    qint64 rest = m_ticks % TicksPerDay;
    if (rest < 0)
        rest += TicksPerDay;
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(rest / TicksPerMillisecond));
}

CDateTime CDateTime::AddHours(qint64 hours) const
{
    qint64 span = 0;
    qint64 ticks = 0;
    if (!IsValid() || __builtin_mul_overflow(hours, TicksPerHour, &span)
        || __builtin_add_overflow(m_ticks, span, &ticks))
        return invalid();
    return FromLocalTicks(ticks);
}

std::partial_ordering operator<=>(const CDateTime &a, const CDateTime &b)
{
    if (!a.IsValid() || !b.IsValid())
        return std::partial_ordering::unordered;
    return a.m_ticks <=> b.m_ticks;
}

} // namespace model
