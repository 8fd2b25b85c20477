#pragma once

#include <QByteArrayView>
#include <QString>

namespace model {

// Decodes text in the German ANSI code page (Windows-1252), the single-byte form older project
// files used for their strings. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the control characters of the same value, as the system conversion does.
QString DecodeWindows1252(QByteArrayView bytes);

} // namespace model
