#include "platform/ErrorText.h"

#include <clocale>
#include <cstring>
#include <locale.h>

namespace platform {

namespace {

// The locale of the environment, made once; the program's global locale may still be "C"
// when the first error is formatted.
locale_t UserLocale()
{
    static const locale_t locale = [] {
        locale_t made = newlocale(LC_ALL_MASK, "", nullptr);
        return made ? made : newlocale(LC_ALL_MASK, "C", nullptr);
    }();
    return locale;
}

} // namespace

QString ErrorText(int err)
{
    const locale_t locale = UserLocale();
    const char *text = locale ? strerror_l(err, locale) : nullptr;
    QString result = text ? QString::fromLocal8Bit(text) : QString();
    while (result.endsWith(u'\n') || result.endsWith(u'\r'))
        result.chop(1);
    return result;
}

} // namespace platform
