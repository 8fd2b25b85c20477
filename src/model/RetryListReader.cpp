#include "model/RetryListReader.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace model {

namespace {

// Reads the whole of an open regular file; on failure returns the errno.
int readAll(int fd, QByteArray &bytes)
{
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return errno;
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    // Devices and pipes can deliver endless data or block, so only regular files are read.
    if (!S_ISREG(info.st_mode))
        return EINVAL;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0)
            return 0;
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return errno;
        bytes.append(buffer, count);
    }
}

} // namespace

QString DecodeUtf16Le(const QByteArray &bytes)
{
    qsizetype pos = 0;
    if (bytes.size() >= 2 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xFE)
        pos = 2;
    QString text;
    text.reserve((bytes.size() - pos) / 2);
    for (; pos + 1 < bytes.size(); pos += 2)
        text.append(QChar(char16_t(uchar(bytes[pos]) | (uchar(bytes[pos + 1]) << 8))));
    return text;
}

RetryList ParseRetryList(const QString &text)
{
    RetryList list;
    for (QStringView line : QStringView(text).split(u'\n')) {
        const qsizetype cr = line.indexOf(u'\r');
        if (cr >= 0)
            line.truncate(cr);
        const qsizetype bar = line.indexOf(u'|');
        if (bar < 0)
            continue;
        const QStringView rest = line.mid(bar + 1);
        const qsizetype nextBar = rest.indexOf(u'|');
        list.Sources.append(line.left(bar).toString());
        list.Targets.append((nextBar < 0 ? rest : rest.left(nextBar)).toString());
    }
    return list;
}

std::optional<FileError> ReadRetryList(const QString &path, RetryList &list)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return FileError{path, errno};
    QByteArray bytes;
    const int error = readAll(fd, bytes);
    ::close(fd);
    if (error != 0)
        return FileError{path, error};
    list = ParseRetryList(DecodeUtf16Le(bytes));
    return std::nullopt;
}

} // namespace model

