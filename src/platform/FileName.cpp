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

void AppendUtf8(QByteArray &out, char32_t value)
{
    if (value < 0x80) {
        out.append(static_cast<char>(value));
    } else if (value < 0x800) {
        out.append(static_cast<char>(0xC0 | (value >> 6)));
        out.append(static_cast<char>(0x80 | (value & 0x3F)));
    } else if (value < 0x10000) {
        out.append(static_cast<char>(0xE0 | (value >> 12)));
        out.append(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (value & 0x3F)));
    } else {
        out.append(static_cast<char>(0xF0 | (value >> 18)));
        out.append(static_cast<char>(0x80 | ((value >> 12) & 0x3F)));
        out.append(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (value & 0x3F)));
    }
}

bool IsEscapedByte(char16_t unit)
{
    return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
}

} // namespace

QByteArray EncodeFileName(const QString &name)
{
    QByteArray out;
    out.reserve(name.size() * 3);
    const qsizetype size = name.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = name[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(name[i + 1].unicode())) {
            AppendUtf8(out, QChar::surrogateToUcs4(unit, name[i + 1].unicode()));
            ++i;
        } else if (IsEscapedByte(unit)) {
            out.append(static_cast<char>(unit - kEscapeBase));
        } else if (QChar::isSurrogate(unit)) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

QString DecodeFileName(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (qsizetype pos = 0; pos < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (byte < 0x80) {
            out.append(QChar(char16_t(byte)));
            ++pos;
            continue;
        }
        char32_t codePoint = 0;
        const int length = ValidSequence(bytes, pos, &codePoint);
        if (length == 0) {
            out.append(QChar(static_cast<char16_t>(kEscapeBase + byte)));
            ++pos;
            continue;
        }
        if (QChar::requiresSurrogates(codePoint)) {
            out.append(QChar(QChar::highSurrogate(codePoint)));
            out.append(QChar(QChar::lowSurrogate(codePoint)));
        } else {
            out.append(QChar(static_cast<char16_t>(codePoint)));
        }
        pos += length;
    }
    return out;
}

} // namespace platform
