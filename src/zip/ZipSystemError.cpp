#include "zip/ZipSystemError.h"

#include <cerrno>
#include <cstring>

namespace {

// Longest system text taken over; longer texts are cut.
constexpr size_t kMaxSystemTextLength = 4096;

QString systemText(int errorCode)
{
    char buffer[kMaxSystemTextLength];
    // The GNU variant returns a pointer that may or may not point into the buffer.
    const char *text = strerror_r(errorCode, buffer, sizeof buffer);
    QString result = QString::fromLocal8Bit(text);
    while (result.endsWith(QLatin1Char('\n')) || result.endsWith(QLatin1Char('\r')))
        result.chop(1);
    return result;
}

} // namespace

QString ZipSystemErrorText(int errorCode)
{
    return systemText(errorCode) + QStringLiteral("  (Fehlercode=%1)\r\n").arg(errorCode);
}

ZipSystemStatus ZipSystemStatus::LastError()
{
    return ZipSystemStatus{errno != 0 ? errno : EIO};
}
