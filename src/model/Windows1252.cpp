#include "model/Windows1252.h"

#include <array>

namespace model {

namespace {

// The characters of the bytes 0x80 to 0x9F; every other byte is the Latin-1 character of the
// same value.
constexpr std::array<char16_t, 32> upperControlRange{
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

char16_t decodeByte(quint8 byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return upperControlRange[byte - 0x80];
    return char16_t(byte);
}

} // namespace

QString DecodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(decodeByte(quint8(bytes[i])));
    return text;
}

} // namespace model
