#include "engine/CheckFileFormat.h"

#include "engine/TextFormat.h"

#include <QSysInfo>
#include <QtEndian>

#include <limits>

namespace {

constexpr char16_t kSeparator = u'|';
constexpr char16_t kByteOrderMark = 0xFEFF;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == u'\r' || c == u'\n';
}

qint64 saturatedStep(qint64 value, int digit, bool negative)
{
    constexpr qint64 max = std::numeric_limits<qint64>::max();
    constexpr qint64 min = std::numeric_limits<qint64>::min();
    if (negative)
        return value < (min + digit) / 10 ? min : value * 10 - digit;
    return value > (max - digit) / 10 ? max : value * 10 + digit;
}

void appendDecimal(QString &text, qint64 value)
{
    char16_t digits[21];
    char16_t *first = digits + 21;
    // Through the unsigned type, so that the most negative value has its digits too.
    quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    do {
        *--first = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--first = u'-';
    text.append(QStringView(first, digits + 21));
}

} // namespace

bool FitsInCheckLine(QStringView text)
{
    for (QChar c : text) {
        if (c == kSeparator || c == u'\r' || c == u'\n')
            return false;
    }
    return true;
}

QString FormatCheckLine(const CheckLine &line)
{
    return FormatStr(374, {line.Key, line.Time, line.Size, line.Checksum});
}

void AppendCheckLine(QString &text, QStringView key, qint64 time, qint64 size, QStringView checksum)
{
    text += key;
    text += kSeparator;
    appendDecimal(text, time);
    text += kSeparator;
    appendDecimal(text, size);
    text += kSeparator;
    text += checksum;
    text += QStringView(u"\r\n");
}

std::optional<CheckLine> ParseCheckLine(QStringView line)
{
    const qsizetype bar1 = line.indexOf(kSeparator);
    const qsizetype bar2 = bar1 < 0 ? -1 : line.indexOf(kSeparator, bar1 + 1);
    if (bar2 < 0)
        return std::nullopt;
    qsizetype bar3 = line.indexOf(kSeparator, bar2 + 1);
    CheckLine result;
    result.Key = line.left(bar1).toString();
    result.Time = ParseCheckNumber(line.mid(bar1 + 1, bar2 - bar1 - 1));
    if (bar3 < 0) {
        result.Size = ParseCheckNumber(line.mid(bar2 + 1));
        return result;
    }
    result.Size = ParseCheckNumber(line.mid(bar2 + 1, bar3 - bar2 - 1));
    const qsizetype bar4 = line.indexOf(kSeparator, bar3 + 1);
    result.Checksum = (bar4 < 0 ? line.mid(bar3 + 1) : line.mid(bar3 + 1, bar4 - bar3 - 1)).toString();
    return result;
}

qint64 ParseCheckNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = saturatedStep(value, text[i].unicode() - u'0', negative);
    return value;
}

namespace {

// The text of a check file. Where its bytes already are UTF-16 in the machine's order they are
// read where they lie instead of being copied.
QStringView checkFileText(const QByteArray &content, QString *decoded)
{
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        if (reinterpret_cast<quintptr>(content.constData()) % alignof(char16_t) == 0)
            return QStringView(reinterpret_cast<const char16_t *>(content.constData()), content.size() / 2);
    }
    *decoded = DecodeUtf16Le(content);
    return *decoded;
}

} // namespace

qsizetype ForEachCheckLine(const QByteArray &content, const std::function<void(CheckLine &&)> &take)
{
    QString decoded;
    QStringView text = checkFileText(content, &decoded);
    if (text.startsWith(QChar(kByteOrderMark)))
        text = text.mid(1);
    qsizetype count = 0;
    while (!text.isEmpty()) {
        const qsizetype lineFeed = text.indexOf(u'\n');
        QStringView line = lineFeed < 0 ? text : text.left(lineFeed);
        text = lineFeed < 0 ? QStringView() : text.mid(lineFeed + 1);
        const qsizetype cr = line.indexOf(u'\r');
        if (auto parsed = ParseCheckLine(cr < 0 ? line : line.left(cr))) {
            take(std::move(*parsed));
            ++count;
        }
    }
    return count;
}

qsizetype CountCheckFileLines(const QByteArray &content)
{
    QString decoded;
    return checkFileText(content, &decoded).count(u'\n') + 1;
}

QByteArray EncodeUtf16Le(const QString &text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data());
    return bytes;
}

QString DecodeUtf16Le(const QByteArray &bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes.constData(), text.size(), text.data());
    return text;
}
