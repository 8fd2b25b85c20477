#include "mainwindow/PageDatumTexts.h"

#include "engine/TextFormat.h"
#include "engine/TimeFormat.h"
#include "mainwindow/PageTexts.h"
#include "model/CDateTime.h"
#include "model/CPageDatum.h"
#include "model/DateTimeText.h"
#include "resources/Strings.h"

namespace ui {

namespace {

QString formatted(const model::CDateTime &value)
{
    if (!value.IsValid())
        return QString();
    return FormatDateTime(LoadStr(PageText::DateTimeFormat), QDateTime(value.Date(), value.Time()));
}

Explanation absoluteExplanation(const model::CPageDatum &datum)
{
    const QString from = DateBoundText(datum.DateFromText);
    const QString to = DateBoundText(datum.DateToText);
    if (!from.isEmpty() && !to.isEmpty())
        return {PageText::DateRange, {from, to}};
    if (!from.isEmpty())
        return {PageText::DateFromOnly, {from}};
    if (!to.isEmpty())
        return {PageText::DateToOnly, {to}};
    return {};
}

// With a negative amount the span is the sum of both, which may even put the bound after the
// run's start; the sentence then says what the filter really does.
Explanation mixedSignExplanation(qint64 days, qint64 hours)
{
    const qint64 total = days * 24 + hours;
    if (total > 0)
        return {PageText::LastHours, {total, total}};
    return {PageText::BoundAfterStart, {-total}};
}

Explanation relativeExplanation(const model::CPageDatum &datum)
{
    const qint64 days = model::ParseLeadingInt(datum.RelativeDays);
    const qint64 hours = model::ParseLeadingInt(datum.RelativeHours);
    if (days <= 0 && hours <= 0)
        return {};
    if (days < 0 || hours < 0)
        return mixedSignExplanation(days, hours);
    if (days == 0)
        return {PageText::LastHours, {hours, hours}};
    if (hours == 0)
        return {PageText::LastDays, {days, days}};
    return {PageText::LastDaysAndHours, {days, hours, days, hours}};
}

} // namespace

QString DateBoundText(const QString &typed)
{
    return formatted(model::ParseDateTimeText(typed));
}

QString RelativeBoundText(const QString &days, const QString &hours, const QDateTime &today)
{
    const model::CDateTime from = model::RelativeDateFrom(model::ParseLeadingInt(days), model::ParseLeadingInt(hours),
                                                          model::CDateTime::FromDateTime(today));
    return formatted(from);
}

Explanation ExplainDateFilter(const model::CPageDatum &datum)
{
    switch (datum.DateFilterMode) {
    case model::CPageDatum::AbsoluteRange:
        return absoluteExplanation(datum);
    case model::CPageDatum::RelativeToStart:
        return relativeExplanation(datum);
    default:
        return {};
    }
}

QString DateFilterExplanation(const model::CPageDatum &datum)
{
    const Explanation explanation = ExplainDateFilter(datum);
    if (explanation.StringId == 0)
        return QString();
    const QString format = LoadStr(explanation.StringId);
    const std::vector<FormatArg> &a = explanation.Args;
    switch (a.size()) {
    case 1:
        return FormatText(format, {a[0]});
    case 2:
        return FormatText(format, {a[0], a[1]});
    case 4:
        return FormatText(format, {a[0], a[1], a[2], a[3]});
    default:
        return format;
    }
}

} // namespace ui
