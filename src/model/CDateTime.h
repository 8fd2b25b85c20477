#pragma once

#include <QDate>
#include <QTime>

#include <compare>

class QDateTime;

namespace model {

// A moment on the local wall clock with a status, as the date bounds of a run need it: a bound
// is unset (null), typed but not understood (invalid), or valid. The value counts 100-ns ticks
// since 1601-01-01 00:00 local time, the unit of file times, so a file time seen in local time
// compares exactly with a typed date. Only two valid values are ordered: every comparison that
// involves a null or invalid value is false, which lets a filter test `fileTime < DateFrom`
// without looking at the status first.
class CDateTime {
public:
    enum class Status { Valid, Invalid, Null };

    static constexpr qint64 TicksPerMillisecond = 10'000;
    static constexpr qint64 TicksPerSecond = 1000 * TicksPerMillisecond;
    static constexpr qint64 TicksPerHour = 3600 * TicksPerSecond;
    static constexpr qint64 TicksPerDay = 24 * TicksPerHour;

    // Null, with the value 0.
    CDateTime() = default;

    // A valid value of `ticks` since 1601-01-01 00:00 local time.
    static CDateTime FromLocalTicks(qint64 ticks);
    // Local calendar fields; invalid when the date or the time is not a real one.
    static CDateTime FromLocal(const QDate &date, const QTime &time);
    // Any moment, seen on the local wall clock; invalid for an invalid QDateTime.
    static CDateTime FromDateTime(const QDateTime &moment);
    // A file time (100-ns ticks since 1601-01-01 UTC) in local time, with the local offset that
    // applied at that moment. A negative file time has no local time: invalid.
    static CDateTime FromFileTime(qint64 fileTime);
    static CDateTime CurrentLocal();

    Status GetStatus() const { return m_status; }
    void SetStatus(Status status) { m_status = status; }
    bool IsValid() const { return m_status == Status::Valid; }
    bool IsNull() const { return m_status == Status::Null; }
    qint64 LocalTicks() const { return m_ticks; }

    // The local calendar date and the time of day (millisecond precision) of the value.
    QDate Date() const;
    QTime Time() const;

    // The value moved by `hours` on the wall clock (negative moves back); invalid when this value
    // is not valid or the result does not fit.
    CDateTime AddHours(qint64 hours) const;

    friend std::partial_ordering operator<=>(const CDateTime &a, const CDateTime &b);
    friend bool operator==(const CDateTime &a, const CDateTime &b)
    {
        return (a <=> b) == std::partial_ordering::equivalent;
    }

private:
    CDateTime(qint64 ticks, Status status) : m_ticks(ticks), m_status(status) {}

    qint64 m_ticks = 0;
    Status m_status = Status::Null;
};

} // namespace model
