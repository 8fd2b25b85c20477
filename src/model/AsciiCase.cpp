#include "model/AsciiCase.h"

namespace model {

namespace {

char16_t foldAscii(QChar c)
{
    const char16_t unit = c.unicode();
    return unit >= u'A' && unit <= u'Z' ? char16_t(unit - u'A' + u'a') : unit;
}

} // namespace

bool EqualsIgnoringAsciiCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i]) != foldAscii(b[i]))
            return false;
    }
    return true;
}

bool StartsWithIgnoringAsciiCase(QStringView text, QStringView prefix)
{
    return text.size() >= prefix.size() && EqualsIgnoringAsciiCase(text.first(prefix.size()), prefix);
}

} // namespace model
