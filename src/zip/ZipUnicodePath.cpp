#include "zip/ZipUnicodePath.h"

#include "zip/ZipByteOrder.h"
#include "zip/ZipConstants.h"

#include <QStringDecoder>

#include <functional>
#include <zlib.h>

namespace {

constexpr uint8_t kFieldVersion = 1;
constexpr qsizetype kFieldHeaderSize = 4;
constexpr qsizetype kVersionAndCrcSize = 5;

bool isPlainAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

uint32_t crcOf(const QByteArray &bytes)
{
    return static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), static_cast<uInt>(bytes.size())));
}

// Calls `visit` with the id and data of every well-formed field; stops at a malformed one.
void forEachField(const QByteArray &extra, const std::function<void(uint16_t, const QByteArray &)> &visit)
{
    qsizetype offset = 0;
    while (offset + kFieldHeaderSize <= extra.size()) {
        const uint16_t id = ZipBytes::Get16(extra, offset);
        const uint16_t size = ZipBytes::Get16(extra, offset + 2);
        if (offset + kFieldHeaderSize + size > extra.size())
            return;
        visit(id, extra.mid(offset + kFieldHeaderSize, size));
        offset += kFieldHeaderSize + size;
    }
}

} // namespace

QByteArray ZipUnicodePath::WithUnicodePath(const QByteArray &extra, const QByteArray &storedName,
                                           const QString &name)
{
    QByteArray result;
    forEachField(extra, [&](uint16_t id, const QByteArray &data) {
        if (id == ZipConst::UnicodePathExtraId)
            return;
        ZipBytes::Append16(result, id);
        ZipBytes::Append16(result, static_cast<uint16_t>(data.size()));
        result.append(data);
    });
    if (isPlainAscii(name))
        return result;
    const QByteArray utf8 = name.toUtf8();
    const qsizetype fieldSize = kVersionAndCrcSize + utf8.size();
    if (result.size() + kFieldHeaderSize + fieldSize > static_cast<qsizetype>(ZipConst::MaxFieldLength))
        return result;
    ZipBytes::Append16(result, ZipConst::UnicodePathExtraId);
    ZipBytes::Append16(result, static_cast<uint16_t>(fieldSize));
    result.append(static_cast<char>(kFieldVersion));
    ZipBytes::Append32(result, crcOf(storedName));
    result.append(utf8);
    return result;
}

std::optional<QString> ZipUnicodePath::Find(const QByteArray &extra, const QByteArray &storedName)
{
    std::optional<QString> found;
    forEachField(extra, [&](uint16_t id, const QByteArray &data) {
        if (found || id != ZipConst::UnicodePathExtraId || data.size() < kVersionAndCrcSize)
            return;
        if (static_cast<uint8_t>(data.at(0)) != kFieldVersion || ZipBytes::Get32(data, 1) != crcOf(storedName))
            return;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString name = decoder.decode(data.mid(kVersionAndCrcSize));
        if (!decoder.hasError())
            found = name;
    });
    return found;
}
