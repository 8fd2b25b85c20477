#include "zip/ZipFileSystem.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

bool pathExists(const QByteArray &encoded)
{
    struct stat status {};
    return ::stat(encoded.constData(), &status) == 0;
}

} // namespace

QString ZipFileSystem::WithoutTrailingSlashes(const QString &path)
{
    QString result = path;
    while (result.size() > 1 && result.endsWith(QLatin1Char('/')))
        result.chop(1);
    return result;
}

QString ZipFileSystem::ParentOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

ZipSystemStatus ZipFileSystem::CreateDirectoryTree(const QString &path)
{
    const QString directory = WithoutTrailingSlashes(path);
    const QByteArray encoded = QFile::encodeName(directory);
    if (directory.isEmpty() || directory == QStringLiteral("/") || pathExists(encoded))
        return {};
    const QString parent = ParentOf(directory);
    if (!parent.isEmpty() && parent != directory) {
        const ZipSystemStatus parentStatus = CreateDirectoryTree(parent);
        if (!parentStatus.Ok())
            return parentStatus;
    }
    if (::mkdir(encoded.constData(), 0777) != 0 && !(errno == EEXIST && pathExists(encoded)))
        return ZipSystemStatus::LastError();
    return {};
}

ZipSystemStatus ZipFileSystem::SetLastWriteTime(const QString &path, const QDateTime &lastWrite)
{
    const qint64 milliseconds = lastWrite.toMSecsSinceEpoch();
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_NOW;
    times[1].tv_sec = static_cast<time_t>(milliseconds / 1000);
    times[1].tv_nsec = static_cast<long>((milliseconds % 1000) * 1000000);
    if (::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) != 0)
        return ZipSystemStatus::LastError();
    return {};
}
