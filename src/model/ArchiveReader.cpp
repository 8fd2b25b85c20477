#include "model/ArchiveReader.h"

#include "model/Windows1252.h"

#include <QIODevice>
#include <QtEndian>

namespace model {

namespace {

constexpr quint64 maxStringLength = 2147483647;

template <typename T> T fromLittleEndian(const char *bytes)
{
    return qFromLittleEndian<T>(bytes);
}

} // namespace

ArchiveReader::ArchiveReader(QIODevice &device)
    : m_device(device)
{
}

quint8 ArchiveReader::ReadByte()
{
    char byte = 0;
    return readExact(&byte, 1) ? quint8(byte) : 0;
}

quint16 ArchiveReader::ReadWord()
{
    char bytes[2];
    return readExact(bytes, 2) ? fromLittleEndian<quint16>(bytes) : 0;
}

quint32 ArchiveReader::ReadDword()
{
    char bytes[4];
    return readExact(bytes, 4) ? fromLittleEndian<quint32>(bytes) : 0;
}

quint64 ArchiveReader::ReadQword()
{
    char bytes[8];
    return readExact(bytes, 8) ? fromLittleEndian<quint64>(bytes) : 0;
}

QString ArchiveReader::ReadString()
{
    if (Failed())
        return QString();
    const qint64 start = m_device.pos();
    bool utf16 = false;
    const std::optional<quint64> length = readLength(utf16);
    if (Failed())
        return QString();
    if (!length) {
        fail(Failure::BadStringLength, start);
        return QString();
    }
    return readCharacters(*length, utf16);
}

// The length prefix of a string; `utf16` tells whether the Unicode marker FF FE FF came first.
// None for a 64-bit length beyond what a string can hold. After a failed read the value is
// meaningless; the caller looks at Failed().
std::optional<quint64> ArchiveReader::readLength(bool &utf16)
{
    utf16 = false;
    quint8 byte = ReadByte();
    if (byte < 0xFF)
        return byte;
    quint16 word = ReadWord();
    if (word == 0xFFFE) {
        utf16 = true;
        byte = ReadByte();
        if (byte < 0xFF)
            return byte;
        word = ReadWord();
    }
    if (word < 0xFFFF)
        return word;
    const quint32 dword = ReadDword();
    if (dword < 0xFFFFFFFFu)
        return dword;
    const quint64 qword = ReadQword();
    if (qword > maxStringLength)
        return std::nullopt;
    return qword;
}

QString ArchiveReader::readCharacters(quint64 length, bool utf16)
{
    const qint64 start = m_device.pos();
    const quint64 byteCount = utf16 ? 2 * length : length;
    // A length beyond the end of the file cannot be satisfied; checking first keeps a damaged
    // length from allocating more memory than the file could ever fill.
    if (byteCount > quint64(m_device.size() - start)) {
        fail(Failure::BadStringLength, start);
        return QString();
    }
    QByteArray bytes(qsizetype(byteCount), Qt::Uninitialized);
    if (!readExact(bytes.data(), qint64(byteCount)))
        return QString();
    if (!utf16)
        return DecodeWindows1252(bytes);
    QString text(qsizetype(length), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(fromLittleEndian<quint16>(bytes.constData() + 2 * i));
    return text;
}

std::optional<QString> ArchiveReader::ReadLine(qsizetype maxLength)
{
    QString line;
    while (line.size() <= maxLength) {
        char bytes[2];
        if (m_device.read(bytes, 2) != 2)
            return std::nullopt;
        const char16_t unit = fromLittleEndian<quint16>(bytes);
        if (unit == u'\n') {
            if (line.endsWith(u'\r'))
                line.chop(1);
            return line;
        }
        line.append(QChar(unit));
    }
    return std::nullopt;
}

bool ArchiveReader::readExact(char *data, qint64 size)
{
    if (Failed())
        return false;
    const qint64 start = m_device.pos();
    if (m_device.read(data, size) == size)
        return true;
    fail(Failure::EndOfFile, start);
    return false;
}

void ArchiveReader::fail(Failure failure, qint64 offset)
{
    if (Failed())
        return;
    m_failure = failure;
    m_failureOffset = offset;
}

} // namespace model
