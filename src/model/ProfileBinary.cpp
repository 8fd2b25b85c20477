#include "model/ProfileBinary.h"

namespace model {

namespace {

std::optional<quint8> nibble(QChar letter)
{
    const char16_t unit = letter.unicode();
    if (unit < u'A' || unit > u'P')
        return std::nullopt;
    return quint8(unit - u'A');
}

} // namespace

QString EncodeProfileBinary(QByteArrayView bytes)
{
    QString text;
    text.reserve(2 * bytes.size());
    for (const char byte : bytes) {
        const auto value = quint8(byte);
        text.append(QChar(char16_t(u'A' + (value & 0x0F))));
        text.append(QChar(char16_t(u'A' + (value >> 4))));
    }
    return text;
}

std::optional<QByteArray> DecodeProfileBinary(QStringView text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    QByteArray bytes;
    bytes.reserve(text.size() / 2);
    for (qsizetype i = 0; i < text.size(); i += 2) {
        const std::optional<quint8> low = nibble(text[i]);
        const std::optional<quint8> high = nibble(text[i + 1]);
        if (!low || !high)
            return std::nullopt;
        bytes.append(char(quint8(*high << 4) | *low));
    }
    return bytes;
}

} // namespace model
