#include "mainwindow/PageNumbers.h"

#include <limits>

namespace ui {

namespace {

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads the digits from `pos` on; false when the value leaves the 64-bit range. The value is
// built negatively so that the smallest 64-bit number fits.
bool readDigits(const QString &text, qsizetype &pos, bool negative, qint64 &value)
{
    qint64 negated = 0;
    for (; pos < text.size() && isAsciiDigit(text[pos]); ++pos) {
        const int digit = text[pos].unicode() - u'0';
        if (negated < (kMin + digit) / 10)
            return false;
        negated = negated * 10 - digit;
    }
    if (!negative && negated == kMin)
        return false;
    value = negative ? negated : -negated;
    return true;
}

} // namespace

std::optional<qint64> ParseWholeNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    qsizetype pos = 0;
    const bool negative = trimmed.startsWith(u'-');
    if (negative || trimmed.startsWith(u'+'))
        ++pos;
    if (pos >= trimmed.size())
        return std::nullopt;
    qint64 value = 0;
    if (!readDigits(trimmed, pos, negative, value) || pos != trimmed.size())
        return std::nullopt;
    return value;
}

qint64 ParseLeadingInt64(const QString &text)
{
    qsizetype pos = 0;
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    const bool negative = pos < text.size() && text[pos] == u'-';
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+'))
        ++pos;
    qint64 value = 0;
    if (!readDigits(text, pos, negative, value))
        return negative ? kMin : kMax;
    return value;
}

qint64 SaturatingMultiply(qint64 a, qint64 b)
{
    qint64 product = 0;
    if (!__builtin_mul_overflow(a, b, &product))
        return product;
    return (a < 0) != (b < 0) ? kMin : kMax;
}

} // namespace ui
