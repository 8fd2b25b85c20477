#pragma once

#include <QString>

#include <optional>

namespace ui {

// A whole number as typed into a number field: blanks around it, an optional sign and decimal
// digits. None for an empty text, anything else, or a number beyond the 64-bit range.
std::optional<qint64> ParseWholeNumber(const QString &text);

// The text read as the C library reads a 64-bit number: leading blanks, an optional sign, then
// the digits up to the first other character. No digits give 0; a number beyond the 64-bit range
// is clamped to it.
qint64 ParseLeadingInt64(const QString &text);

// a * b, clamped to the 64-bit range.
qint64 SaturatingMultiply(qint64 a, qint64 b);

} // namespace ui
