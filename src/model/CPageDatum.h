#pragma once

#include <QString>

namespace model {

// The date filter of the page "Datum". The dates and amounts stay the texts the user typed;
// they are interpreted only when a run starts.
struct CPageDatum {
    enum Mode : qint32 { NoDateFilter = 0, AbsoluteRange = 1, RelativeToStart = 2 };

    qint32 DateFilterMode = NoDateFilter;
    QString RelativeHours;
    QString DateFromText;
    QString DateToText;
    QString RelativeDays;

    void Reset();

    // Empties the texts the chosen mode does not use: mode 0 all four, mode 1 the relative
    // amounts, mode 2 the absolute dates. Any other mode value leaves the texts alone.
    void ApplyModeRules();

    friend bool operator==(const CPageDatum &, const CPageDatum &) = default;
};

} // namespace model
