#include "model/DateTimeText.h"

#include <QRegularExpression>

#include <algorithm>

#include <limits>

namespace model {

namespace {

// Two-digit years up to this value belong to the 2000s, the others to the 1900s.
constexpr int lastTwoDigitYearOf2000s = 29;

int expandYear(const QString &digits)
{
    const int year = digits.toInt();
    if (digits.size() > 2)
        return year;
    return year <= lastTwoDigitYearOf2000s ? 2000 + year : 1900 + year;
}

int fieldOrZero(const QRegularExpressionMatch &match, int group)
{
    return match.hasCaptured(group) ? match.captured(group).toInt() : 0;
}

} // namespace

CDateTime ParseDateTimeText(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^\\s*([0-9]{1,2})\\.([0-9]{1,2})\\.([0-9]{1,4})"
        "(?:\\s+([0-9]{1,2})[.:]([0-9]{1,2})(?:[.:]([0-9]{1,2}))?)?\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return CDateTime::FromLocal(QDate(), QTime());
    const QDate date(expandYear(match.captured(3)), match.captured(2).toInt(), match.captured(1).toInt());
    const QTime time(fieldOrZero(match, 4), fieldOrZero(match, 5), fieldOrZero(match, 6));
    return CDateTime::FromLocal(date, time);
}

int ParseLeadingInt(const QString &text)
{
    qsizetype pos = 0;
    while (pos < text.size() && text.at(pos).isSpace())
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text.at(pos) == u'+' || text.at(pos) == u'-'))
        negative = text.at(pos++) == u'-';
    const qint64 limit = negative ? -qint64(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
    qint64 value = 0;
    for (; pos < text.size() && text.at(pos) >= u'0' && text.at(pos) <= u'9'; ++pos)
        value = std::min(limit, value * 10 + (text.at(pos).unicode() - u'0'));
    return static_cast<int>(negative ? -value : value);
}

CDateTime RelativeDateFrom(int days, int hours, const CDateTime &now)
{
    if (days <= 0 && hours <= 0)
        return CDateTime();
    return now.AddHours(-(qint64(days) * 24 + hours));
}

} // namespace model
