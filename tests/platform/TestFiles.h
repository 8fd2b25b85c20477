#pragma once

#include "platform/FaultInjection.h"
#include "platform/FileName.h"

#include <QByteArray>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

// Small fixture helpers that go straight to the system, so that the code under test is not
// used to check itself.
namespace testfiles {

inline QByteArray Bytes(const QString &path)
{
    return platform::EncodeFileName(path);
}

inline bool WriteFile(const QByteArray &path, const QByteArray &content, mode_t mode = 0644)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, content.constData(), size_t(content.size())) == content.size();
    return ::close(fd) == 0 && ok && ::chmod(path.constData(), mode) == 0;
}

inline bool WriteFile(const QString &path, const QByteArray &content, mode_t mode = 0644)
{
    return WriteFile(Bytes(path), content, mode);
}

inline QByteArray ReadFile(const QString &path)
{
    QByteArray content;
    const int fd = ::open(Bytes(path).constData(), O_RDONLY);
    if (fd < 0)
        return content;
    char buffer[65536];
    for (ssize_t got = ::read(fd, buffer, sizeof buffer); got > 0; got = ::read(fd, buffer, sizeof buffer))
        content.append(buffer, got);
    ::close(fd);
    return content;
}

inline bool PathPresent(const QString &path)
{
    struct stat st{};
    return ::lstat(Bytes(path).constData(), &st) == 0;
}

inline mode_t Mode(const QString &path)
{
    struct stat st{};
    return ::stat(Bytes(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

inline QByteArray Xattr(const QString &path, const char *name)
{
    char value[4096];
    const ssize_t length = ::getxattr(Bytes(path).constData(), name, value, sizeof value);
    return length < 0 ? QByteArray() : QByteArray(value, length);
}

inline bool SetXattr(const QString &path, const char *name, const QByteArray &value)
{
    return ::setxattr(Bytes(path).constData(), name, value.constData(), size_t(value.size()), 0) == 0;
}

// Content that differs at every position, so that a misplaced chunk is noticed.
inline QByteArray Pattern(qsizetype size)
{
    QByteArray content(size, Qt::Uninitialized);
    quint32 state = 2463534242u;
    for (qsizetype i = 0; i < size; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        content[i] = char(state);
    }
    return content;
}

// Disarms the fault seam when a test ends, whichever way it ends.
struct FaultGuard {
    FaultGuard() = default;
    FaultGuard(const FaultGuard &) = delete;
    FaultGuard &operator=(const FaultGuard &) = delete;
    ~FaultGuard() { platform::fault::Disarm(); }
};

} // namespace testfiles
