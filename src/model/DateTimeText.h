#pragma once

#include "model/CDateTime.h"

#include <QString>

namespace model {

// Reads a date bound as a German user types it, "tt.mm.jjjj hh.mm.ss": day, month and year
// separated by dots, optionally followed by blanks and the time with "." or ":" between hours,
// minutes and seconds. The seconds, or the whole time, may be left out (they count as 0), and
// blanks around the text are ignored. A year of one or two digits is read in the window
// 1930..2029 (00-29 are 2000-2029, 30-99 are 1930-1999); three or four digits are the year
// itself. A text that is empty, malformed or names no real date and time gives an invalid value.
CDateTime ParseDateTimeText(const QString &text);

// Converts a text to an int the way the C library does: leading white space, an optional sign,
// then decimal digits up to the first other character. No digits give 0; a value outside the
// range of int is clamped to it.
int ParseLeadingInt(const QString &text);

// The lower bound of a relative date filter: `now` moved back by `days` days and `hours` hours.
// A null value (no filter) unless days > 0 or hours > 0.
CDateTime RelativeDateFrom(int days, int hours, const CDateTime &now);

} // namespace model
