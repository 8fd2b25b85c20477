#pragma once

#include <QByteArray>
#include <QString>

namespace model {

// Builds the bytes of a project file: little-endian values and strings in the UTF-16 form with
// their length prefix.
class ArchiveWriter {
public:
    void WriteByte(quint8 value);
    void WriteWord(quint16 value);
    void WriteDword(quint32 value);
    void WriteQword(quint64 value);
    // A boolean is stored as 0 or 1, whatever non-zero value it holds.
    void WriteBool(qint32 value);
    // Marker FF FE FF, the length in its shortest form, then the UTF-16LE code units.
    void WriteString(const QString &text);
    // UTF-16LE code units without length or terminator (the magic line of the header).
    void WriteRawUtf16(const QString &text);

    const QByteArray &Bytes() const { return m_bytes; }

private:
    void writeLength(quint64 length);

    QByteArray m_bytes;
};

} // namespace model
