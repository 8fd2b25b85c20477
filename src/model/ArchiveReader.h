#pragma once

#include <QString>

#include <optional>

class QIODevice;

namespace model {

// Reads the little-endian values and length-prefixed strings of a project file. The first
// failure is kept: every later read returns 0 or an empty string, so a record reader can read
// all its fields and look at Failed() once at the end.
class ArchiveReader {
public:
    enum class Failure { None, EndOfFile, BadStringLength };

    explicit ArchiveReader(QIODevice &device);

    quint8 ReadByte();
    quint16 ReadWord();
    quint32 ReadDword();
    quint64 ReadQword();

    // A string in the UTF-16 form or in the older single-byte form (Windows-1252).
    QString ReadString();

    // UTF-16 characters up to a line feed, which is removed together with a carriage return
    // right before it. None when the device ends first or the line grows beyond `maxLength`
    // characters; neither counts as a failure of the reader.
    std::optional<QString> ReadLine(qsizetype maxLength);

    bool Failed() const { return m_failure != Failure::None; }
    Failure GetFailure() const { return m_failure; }
    // Where the failing read began, counted in bytes from the start of the device.
    qint64 FailureOffset() const { return m_failureOffset; }

private:
    bool readExact(char *data, qint64 size);
    std::optional<quint64> readLength(bool &utf16);
    QString readCharacters(quint64 length, bool utf16);
    void fail(Failure failure, qint64 offset);

    QIODevice &m_device;
    Failure m_failure = Failure::None;
    qint64 m_failureOffset = -1;
};

} // namespace model
