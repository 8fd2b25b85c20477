#include "engine/TimeFormat.h"

#include "engine/TextFormat.h"
#include "resources/Strings.h"

namespace {

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, u'0');
}

QString expand(QChar conversion, const QDateTime &when)
{
    const QDate date = when.date();
    const QTime time = when.time();
    switch (conversion.unicode()) {
    case u'Y': return QString::number(date.year()).rightJustified(4, u'0');
    case u'y': return twoDigits(date.year() % 100);
    case u'm': return twoDigits(date.month());
    case u'd': return twoDigits(date.day());
    case u'H': return twoDigits(time.hour());
    case u'M': return twoDigits(time.minute());
    case u'S': return twoDigits(time.second());
    case u'%': return QStringLiteral("%");
    default: return QString(u'%') + conversion;
    }
}

} // namespace

QString FormatDateTime(const QString &pattern, const QDateTime &when)
{
    QString result;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size()) {
            result += expand(pattern[++i], when);
        } else {
            result += pattern[i];
        }
    }
    return result;
}

QString FormatDuration(qint64 milliseconds, HourWrap wrap)
{
    const qint64 totalSeconds = milliseconds / 1000;
    qint64 hours = totalSeconds / 3600;
    if (wrap == HourWrap::Wrap24)
        hours %= 24;
    return FormatText(QStringLiteral("%02d:%02d:%02d"),
                      {hours, (totalSeconds / 60) % 60, totalSeconds % 60});
}

qint64 RoundedSpanMs(const QDateTime &from, const QDateTime &to)
{
    const qint64 ms = from.msecsTo(to);
    return ((ms + 500) / 1000) * 1000;
}

QString TimeStamp()
{
    return QStringLiteral("[") + FormatDateTime(LoadStr(303), QDateTime::currentDateTime())
        + QStringLiteral("],");
}
