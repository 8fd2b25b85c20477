#include "zip/CZipCodePage.h"

#include "zip/CZipException.h"

#include <QList>

#include <cerrno>
#include <iconv.h>

namespace {

constexpr const char *kOemCodePage = "CP850";
constexpr const char *kAnsiCodePage = "CP1252";

// One conversion descriptor for the duration of one conversion.
class IconvHandle
{
public:
    IconvHandle(const char *to, const char *from) : m_handle(iconv_open(to, from))
    {
        if (m_handle == reinterpret_cast<iconv_t>(-1))
            throw CZipException(ZipCause::Generic, QString());
    }
    ~IconvHandle() { iconv_close(m_handle); }
    IconvHandle(const IconvHandle &) = delete;
    IconvHandle &operator=(const IconvHandle &) = delete;

    // Converts as much as possible; returns false when the next input unit has no mapping.
    bool Convert(char *&in, size_t &inLeft, char *&out, size_t &outLeft)
    {
        return iconv(m_handle, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1);
    }

private:
    iconv_t m_handle;
};

// ASCII is the same in both code pages, and most names are plain ASCII.
bool isAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

bool isAscii(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

QByteArray encode(const char *codePage, const QString &text)
{
    if (isAscii(text))
        return text.toLatin1();
    QList<uint> units = text.toUcs4();
    IconvHandle handle(codePage, "UTF-32LE");
    QByteArray result(units.size(), '\0');
    char *in = reinterpret_cast<char *>(units.data());
    size_t inLeft = static_cast<size_t>(units.size()) * sizeof(uint);
    char *out = result.data();
    size_t outLeft = static_cast<size_t>(result.size());
    while (inLeft > 0 && !handle.Convert(in, inLeft, out, outLeft) && outLeft > 0) {
        *out++ = '?';
        --outLeft;
        in += sizeof(uint);
        inLeft -= sizeof(uint);
    }
    result.truncate(result.size() - static_cast<qsizetype>(outLeft));
    return result;
}

QString decode(const char *codePage, const QByteArray &bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QByteArray input = bytes;
    IconvHandle handle("UTF-16LE", codePage);
    QString result(input.size(), QChar());
    char *in = input.data();
    size_t inLeft = static_cast<size_t>(input.size());
    char *out = reinterpret_cast<char *>(result.data());
    size_t outLeft = static_cast<size_t>(result.size()) * sizeof(char16_t);
    while (inLeft > 0 && !handle.Convert(in, inLeft, out, outLeft) && outLeft > 0) {
        const auto byte = static_cast<char16_t>(static_cast<unsigned char>(*in));
        *reinterpret_cast<char16_t *>(out) = byte;
        out += sizeof(char16_t);
        outLeft -= sizeof(char16_t);
        ++in;
        --inLeft;
    }
    result.truncate(result.size() - static_cast<qsizetype>(outLeft / sizeof(char16_t)));
    return result;
}

} // namespace

QByteArray CZipCodePage::ToOem(const QString &text)
{
    return encode(kOemCodePage, text);
}

QString CZipCodePage::FromOem(const QByteArray &bytes)
{
    return decode(kOemCodePage, bytes);
}

QByteArray CZipCodePage::ToAnsi(const QString &text)
{
    return encode(kAnsiCodePage, text);
}

QString CZipCodePage::FromAnsi(const QByteArray &bytes)
{
    return decode(kAnsiCodePage, bytes);
}
