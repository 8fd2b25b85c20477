#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Conversion between the byte strings the kernel uses for file names and the QString paths
// of the program, without losing any name.
//
// Valid UTF-8 is decoded as usual. Each byte that is not part of a valid UTF-8 sequence
// becomes the lone low surrogate U+DC00 + byte (U+DC80 to U+DCFF), and encoding turns such a
// surrogate back into that byte. A name listed from disk therefore reaches the same file when
// it is passed back, and it survives the program's UTF-16 record files unchanged.
// (QFile::decodeName replaces such bytes with U+FFFD, which cannot be reversed.)
// Any other lone surrogate, which no decoded name contains, is encoded as U+FFFD.

namespace platform {

QByteArray EncodeFileName(const QString &name);
QString DecodeFileName(QByteArrayView bytes);

} // namespace platform
