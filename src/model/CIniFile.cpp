#include "model/CIniFile.h"

#include "model/AsciiCase.h"
#include "model/DateTimeText.h"
#include "model/ProfileBinary.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace model {

namespace {

// The name of a section header line, or none for any other line.
std::optional<QStringView> sectionName(QStringView line)
{
    line = line.trimmed();
    if (!line.startsWith(u'['))
        return std::nullopt;
    const qsizetype end = line.indexOf(u']');
    return (end < 0 ? line.mid(1) : line.mid(1, end - 1)).trimmed();
}

struct KeyLine {
    QStringView Key;
    QStringView Value;
};

std::optional<KeyLine> keyLine(QStringView line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0 || line.trimmed().startsWith(u';'))
        return std::nullopt;
    return KeyLine{line.first(equals).trimmed(), line.mid(equals + 1).trimmed()};
}

QString unquoted(QStringView value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
        && value.back() == value.front())
        return value.mid(1, value.size() - 2).toString();
    return value.toString();
}

// Quotes a value whose outer blanks or quotes would otherwise be lost when it is read back.
QString quotedIfNeeded(const QString &value)
{
    if (value.isEmpty())
        return value;
    const QChar first = value.front();
    const QChar last = value.back();
    const bool outerBlank = first.isSpace() || last.isSpace();
    const bool outerQuotes = value.size() >= 2 && (first == u'"' || first == u'\'') && last == first;
    return outerBlank || outerQuotes ? u'"' + value + u'"' : value;
}

// The lines of one section: from its header to the line before the next header.
struct SectionRange {
    qsizetype Header = -1;
    qsizetype End = -1;
};

SectionRange findSection(const QStringList &lines, const QString &section)
{
    SectionRange range;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QStringView> name = sectionName(lines[i]);
        if (!name)
            continue;
        if (range.Header >= 0) {
            range.End = i;
            return range;
        }
        if (EqualsIgnoringAsciiCase(*name, section))
            range.Header = i;
    }
    range.End = lines.size();
    return range;
}

qsizetype findKey(const QStringList &lines, const SectionRange &range, const QString &key)
{
    for (qsizetype i = range.Header + 1; i < range.End; ++i) {
        const std::optional<KeyLine> entry = keyLine(lines[i]);
        if (entry && EqualsIgnoringAsciiCase(entry->Key, key))
            return i;
    }
    return -1;
}

void setKey(QStringList &lines, const QString &section, const QString &key, const QString &line)
{
    const SectionRange range = findSection(lines, section);
    if (range.Header < 0) {
        lines << u'[' + section + u']' << line;
        return;
    }
    const qsizetype existing = findKey(lines, range, key);
    if (existing >= 0) {
        lines[existing] = line;
        return;
    }
    // The new key goes after the section's last non-empty line, before any blank separator.
    qsizetype insertAt = range.End;
    while (insertAt > range.Header + 1 && lines[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    lines.insert(insertAt, line);
}

// A file that begins with the UTF-16LE byte-order mark is UTF-16LE, as some editors save it;
// any other is UTF-8, with or without its byte-order mark.
QString decodeText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE")) {
        return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2),
                                  (bytes.size() - 2) / 2);
    }
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

} // namespace

CIniFile::CIniFile(QString path)
    : m_path(std::move(path))
{
}

std::optional<QString> CIniFile::ReadString(const QString &section, const QString &key) const
{
    const std::optional<QStringList> lines = readLines();
    if (!lines)
        return std::nullopt;
    const SectionRange range = findSection(*lines, section);
    if (range.Header < 0)
        return std::nullopt;
    const qsizetype index = findKey(*lines, range, key);
    if (index < 0)
        return std::nullopt;
    return unquoted(keyLine((*lines)[index])->Value);
}

QString CIniFile::GetString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return ReadString(section, key).value_or(defaultValue);
}

int CIniFile::GetInt(const QString &section, const QString &key, int defaultValue) const
{
    const std::optional<QString> text = ReadString(section, key);
    return text ? ParseLeadingInt(*text) : defaultValue;
}

std::optional<QByteArray> CIniFile::GetBinary(const QString &section, const QString &key) const
{
    const std::optional<QString> text = ReadString(section, key);
    return text ? DecodeProfileBinary(*text) : std::nullopt;
}

bool CIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    if (value.contains(u'\n') || value.contains(u'\r'))
        return false;
    // A file that exists but cannot be read is left alone rather than replaced by one key.
    std::optional<QStringList> lines = readLines();
    if (!lines)
        return false;
    setKey(*lines, section, key, key + u'=' + quotedIfNeeded(value));
    return writeLines(*lines);
}

bool CIniFile::WriteInt(const QString &section, const QString &key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool CIniFile::WriteBinary(const QString &section, const QString &key, const QByteArray &value)
{
    return WriteString(section, key, EncodeProfileBinary(value));
}

bool CIniFile::RemoveSection(const QString &section)
{
    std::optional<QStringList> lines = readLines();
    if (!lines)
        return false;
    const SectionRange range = findSection(*lines, section);
    if (range.Header < 0)
        return true;
    lines->remove(range.Header, range.End - range.Header);
    return writeLines(*lines);
}

std::optional<QStringList> CIniFile::readLines() const
{
    const QFileInfo info(m_path);
    if (!info.exists())
        return QStringList();
    // Only a regular file is read: a FIFO or device in its place would block or never end.
    if (!info.isFile())
        return std::nullopt;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString text = decodeText(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

bool CIniFile::writeLines(const QStringList &lines) const
{
    QSaveFile file(m_path);
    // Unbuffered, so that a short write shows in the count written (see SaveProject).
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + '\n';
    return file.write(bytes) == bytes.size() && file.commit();
}

} // namespace model
