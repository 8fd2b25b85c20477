#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace model {

// Binary settings values are stored as text of two letters per byte: first 'A' plus the low
// four bits, then 'A' plus the high four bits, so the byte 0x2C becomes "MC".
QString EncodeProfileBinary(QByteArrayView bytes);

// The bytes of such a text; none for a text of odd length or with a letter outside 'A'..'P'.
std::optional<QByteArray> DecodeProfileBinary(QStringView text);

} // namespace model
