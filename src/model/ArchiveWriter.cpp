#include "model/ArchiveWriter.h"

#include <QtEndian>

namespace model {

namespace {

template <typename T> void append(QByteArray &bytes, T value)
{
    char buffer[sizeof(T)];
    qToLittleEndian<T>(value, buffer);
    bytes.append(buffer, qsizetype(sizeof(T)));
}

} // namespace

void ArchiveWriter::WriteByte(quint8 value)
{
    m_bytes.append(char(value));
}

void ArchiveWriter::WriteWord(quint16 value)
{
    append(m_bytes, value);
}

void ArchiveWriter::WriteDword(quint32 value)
{
    append(m_bytes, value);
}

void ArchiveWriter::WriteQword(quint64 value)
{
    append(m_bytes, value);
}

void ArchiveWriter::WriteBool(qint32 value)
{
    WriteDword(value != 0 ? 1 : 0);
}

void ArchiveWriter::WriteString(const QString &text)
{
    WriteByte(0xFF);
    WriteWord(0xFFFE);
    writeLength(quint64(text.size()));
    WriteRawUtf16(text);
}

void ArchiveWriter::WriteRawUtf16(const QString &text)
{
    for (const QChar unit : text)
        WriteWord(unit.unicode());
}

void ArchiveWriter::writeLength(quint64 length)
{
    if (length < 0xFF) {
        WriteByte(quint8(length));
        return;
    }
    WriteByte(0xFF);
    if (length < 0xFFFE) {
        WriteWord(quint16(length));
        return;
    }
    WriteWord(0xFFFF);
    if (length < 0xFFFFFFFFu) {
        WriteDword(quint32(length));
        return;
    }
    WriteDword(0xFFFFFFFFu);
    WriteQword(length);
}

} // namespace model
