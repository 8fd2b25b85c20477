#pragma once

#include <QDateTime>
#include <QString>

// Formats a local date-time with a strftime-style pattern ("%Y_%m_%d", "%H:%M:%S", ...).
// Supports %Y %y %m %d %H %M %S and %%; other characters are copied.
QString FormatDateTime(const QString &pattern, const QDateTime &when);

// "%02d:%02d:%02d" of a span in milliseconds: hours modulo 24 when `wrapHours` says so.
enum class HourWrap { Wrap24, NoWrap };
QString FormatDuration(qint64 milliseconds, HourWrap wrap);

// A span between two date-times rounded to the nearest second, in milliseconds.
qint64 RoundedSpanMs(const QDateTime &from, const QDateTime &to);

// "[%s]," around the current local time "%H:%M:%S": the first field of most engine messages.
QString TimeStamp();
