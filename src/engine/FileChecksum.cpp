#include "engine/CPruefdatei.h"

#include "platform/FileHandle.h"

#include <QCryptographicHash>

namespace {

constexpr qint64 kChecksumChunkBytes = 64000;

} // namespace

QString CPruefdatei::ComputeFileChecksum(const QString &path, const std::atomic<bool> *stopping)
{
    platform::FileHandle file;
    if (!file.Open(path, platform::OpenMode::Read))
        return QString();
    QCryptographicHash md5(QCryptographicHash::Md5);
    QByteArray chunk(kChecksumChunkBytes, Qt::Uninitialized);
    // A short read does not mark the end of every kind of file (network file systems may
    // return less); only a read of nothing does.
    for (;;) {
        const qint64 got = file.Read(chunk.data(), chunk.size());
        if (got < 0)
            return QString();
        if (got == 0)
            break;
        if (stopping && stopping->load(std::memory_order_relaxed))
            return QString();
        md5.addData(QByteArrayView(chunk.constData(), got));
    }
    return QString::fromLatin1(md5.result().toHex());
}
