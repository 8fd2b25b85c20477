#pragma once

#include "engine/TextFormat.h"

#include <QDateTime>
#include <QString>

#include <vector>

namespace model {
struct CPageDatum;
}

namespace ui {

// The texts with which the page "Datum" explains what its date filter does.

// A typed bound as a run will read it, formatted "%d.%m.%Y %H:%M:%S"; empty when it does not
// parse.
QString DateBoundText(const QString &typed);

// `today` moved back by the typed days and hours, formatted like a bound; empty unless one of
// the amounts is above 0.
QString RelativeBoundText(const QString &days, const QString &hours, const QDateTime &today);

// The sentence that says which files the filter lets through: a string of the string table and
// its arguments; string 0 for no filter.
struct Explanation {
    int StringId = 0;
    std::vector<FormatArg> Args;

    friend bool operator==(const Explanation &, const Explanation &) = default;
};

Explanation ExplainDateFilter(const model::CPageDatum &datum);

// The explanation's text; empty for no filter.
QString DateFilterExplanation(const model::CPageDatum &datum);

} // namespace ui
