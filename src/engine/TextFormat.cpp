#include "engine/TextFormat.h"

#include "resources/Strings.h"

namespace {

struct Conversion {
    QString flags;     // flags, width and precision as written, e.g. "02" or "0.2"
    QChar type;        // d, u, s, f, x, c ...
    qsizetype length;  // characters consumed from the format, '%' included
};

bool isLengthModifier(QChar c)
{
    return c == u'l' || c == u'h' || c == u'I' || c == u'6' || c == u'4' || c == u'3' || c == u'2'
        || c == u'L' || c == u'z' || c == u'j' || c == u't' || c == u'q';
}

// Reads one conversion starting at format[pos] == '%'.
bool parseConversion(const QString &format, qsizetype pos, Conversion &out)
{
    qsizetype i = pos + 1;
    QString flags;
    while (i < format.size() && (format[i].isDigit() || format[i] == u'.' || format[i] == u'-'
                                 || format[i] == u'+' || format[i] == u' ' || format[i] == u'#')) {
        flags += format[i++];
    }
    while (i < format.size() && isLengthModifier(format[i]))
        ++i;
    if (i >= format.size())
        return false;
    out.flags = flags;
    out.type = format[i];
    out.length = i - pos + 1;
    return true;
}

QString formatInteger(const Conversion &c, qint64 value)
{
    // Plain decimals are by far the most common conversion; they need no printf.
    if (c.flags.isEmpty() && (c.type == u'd' || c.type == u'i'))
        return QString::number(value);
    const QByteArray spec = '%' + c.flags.toLatin1() + "ll" + char(c.type.toLatin1());
    return QString::asprintf(spec.constData(), static_cast<long long>(value));
}

QString formatDouble(const Conversion &c, double value)
{
    const QByteArray spec = '%' + c.flags.toLatin1() + char(c.type.toLatin1());
    return QString::asprintf(spec.constData(), value);
}

QString formatText(const Conversion &c, const QString &value)
{
    if (c.flags.isEmpty())
        return value;
    const QByteArray spec = '%' + c.flags.toLatin1() + 's';
    return QString::asprintf(spec.constData(), value.toUtf8().constData());
}

// Formats one argument; returns false when the argument does not fit the conversion.
bool formatArgument(const Conversion &c, const FormatArg &arg, QString &out)
{
    const char type = char(c.type.toLatin1());
    switch (type) {
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
        if (const auto *v = std::get_if<qint64>(&arg)) { out = formatInteger(c, *v); return true; }
        return false;
    case 'f': case 'e': case 'g': case 'E': case 'G':
        if (const auto *v = std::get_if<double>(&arg)) { out = formatDouble(c, *v); return true; }
        if (const auto *v = std::get_if<qint64>(&arg)) { out = formatDouble(c, double(*v)); return true; }
        return false;
    case 's': case 'S':
        if (const auto *v = std::get_if<QString>(&arg)) { out = formatText(c, *v); return true; }
        return false;
    case 'c': case 'C':
        if (const auto *v = std::get_if<qint64>(&arg)) { out = QChar(char16_t(*v)); return true; }
        return false;
    default:
        return false;
    }
}

} // namespace

QString FormatText(const QString &format, std::initializer_list<FormatArg> args)
{
    const FormatArg *values = args.begin();
    size_t next = 0;
    QString result;
    result.reserve(format.size() + 64);
    for (qsizetype pos = 0; pos < format.size();) {
        if (format[pos] != u'%') {
            result += format[pos++];
            continue;
        }
        if (pos + 1 < format.size() && format[pos + 1] == u'%') {
            result += u'%';
            pos += 2;
            continue;
        }
        Conversion c;
        QString piece;
        if (!parseConversion(format, pos, c) || next >= args.size()
            || !formatArgument(c, values[next], piece)) {
            result += format[pos++];
            continue;
        }
        ++next;
        result += piece;
        pos += c.length;
    }
    return result;
}

QString FormatStr(int id, std::initializer_list<FormatArg> args)
{
    return FormatText(LoadStr(id), args);
}
