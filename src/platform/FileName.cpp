#include "platform/FileName.h"

namespace platform {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence starting at `pos` and its code point, or 0 when the
// byte there does not start one. Overlong forms, surrogates and values above U+10FFFF are
// not valid.
int ValidSequence(QByteArrayView bytes, qsizetype pos, char32_t *codePoint)
{
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    int length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > bytes.size())
        return 0;
    for (int i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[pos + i]);
        if (!IsContinuation(byte))
            return 0;
        value = (value << 6) | (byte & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *codePoint = value;
    return length;
}

char *PutUtf8(char *out, char32_t value)
{
    if (value < 0x80) {
        *out++ = static_cast<char>(value);
    } else if (value < 0x800) {
        *out++ = static_cast<char>(0xC0 | (value >> 6));
        *out++ = static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (value >> 12));
        *out++ = static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (value & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (value >> 18));
        *out++ = static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (value & 0x3F));
    }
    return out;
}

bool IsEscapedByte(char16_t unit)
{
    return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
}

} // namespace

// Both conversions write into a buffer of the largest possible length and cut it to size at
// the end: every path of a run passes through them, several times per copied file.
// One UTF-16 unit never takes more than three bytes (a surrogate pair takes four).
QByteArray EncodeFileName(const QString &name)
{
    const qsizetype size = name.size();
    const auto *units = reinterpret_cast<const char16_t *>(name.utf16());
    QByteArray out(size * 3, Qt::Uninitialized);
    char *next = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = units[i];
        if (unit < 0x80) {
            *next++ = static_cast<char>(unit);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(units[i + 1])) {
            next = PutUtf8(next, QChar::surrogateToUcs4(unit, units[i + 1]));
            ++i;
        } else if (IsEscapedByte(unit)) {
            *next++ = static_cast<char>(unit - kEscapeBase);
        } else if (QChar::isSurrogate(unit)) {
            next = PutUtf8(next, 0xFFFD);
        } else {
            next = PutUtf8(next, unit);
        }
    }
    out.truncate(next - out.constData());
    return out;
}

// One byte never gives more than one UTF-16 unit (a four-byte sequence gives two).
QString DecodeFileName(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *next = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype pos = 0; pos < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (byte < 0x80) {
            *next++ = char16_t(byte);
            ++pos;
            continue;
        }
        char32_t codePoint = 0;
        const int length = ValidSequence(bytes, pos, &codePoint);
        if (length == 0) {
            *next++ = static_cast<char16_t>(kEscapeBase + byte);
            ++pos;
            continue;
        }
        if (QChar::requiresSurrogates(codePoint)) {
            *next++ = QChar::highSurrogate(codePoint);
            *next++ = QChar::lowSurrogate(codePoint);
        } else {
            *next++ = static_cast<char16_t>(codePoint);
        }
        pos += length;
    }
    out.truncate(next - reinterpret_cast<const char16_t *>(out.constData()));
    return out;
}

} // namespace platform
