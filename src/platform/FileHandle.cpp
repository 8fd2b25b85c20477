#include "platform/FileHandle.h"

#include "platform/FaultInjection.h"
#include "platform/FileName.h"
#include "platform/LastError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

int OpenFlags(OpenMode mode)
{
    switch (mode) {
    case OpenMode::Read:
        return O_RDONLY | O_NONBLOCK | O_CLOEXEC;
    case OpenMode::CreateTruncate:
        return O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    case OpenMode::CreateAppend:
        return O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC;
    }
    return O_RDONLY | O_CLOEXEC;
}

// A FIFO opened for reading without a writer would block every read; such files are
// refused right after the non-blocking open.
bool CheckReadable(int fd)
{
    struct stat st{};
    if (fstat(fd, &st) != 0)
        return FailFromErrno();
    if (S_ISDIR(st.st_mode))
        return FailWith(EISDIR);
    if (!S_ISREG(st.st_mode))
        return FailWith(EINVAL);
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return FailFromErrno();
    return true;
}

} // namespace

FileHandle::FileHandle(FileHandle &&other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileHandle &FileHandle::operator=(FileHandle &&other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

FileHandle::~FileHandle()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool FileHandle::Open(const QString &path, OpenMode mode)
{
    if (fd_ >= 0)
        ::close(std::exchange(fd_, -1));
    if (fault::Fails(fault::Operation::Open))
        return false;
    const int fd = ::open(EncodeFileName(path).constData(), OpenFlags(mode), 0666);
    if (fd < 0)
        return FailFromErrno();
    if (mode == OpenMode::Read && !CheckReadable(fd)) {
        const int err = LastError();
        ::close(fd);
        return FailWith(err);
    }
    fd_ = fd;
    return true;
}

qint64 FileHandle::Read(char *buffer, qint64 maxSize)
{
    if (fault::Fails(fault::Operation::Read))
        return -1;
    ssize_t got = 0;
    do {
        got = ::read(fd_, buffer, size_t(maxSize));
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        FailFromErrno();
    return got;
}

bool FileHandle::Write(QByteArrayView data)
{
    if (fault::Fails(fault::Operation::Write))
        return false;
    const char *next = data.data();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, next, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return FailFromErrno();
        }
        next += written;
        left -= written;
    }
    return true;
}

bool FileHandle::Close()
{
    if (fd_ < 0)
        return FailWith(EBADF);
    const int fd = std::exchange(fd_, -1);
    if (fault::Fails(fault::Operation::Close)) {
        ::close(fd);
        return false;
    }
    return ::close(fd) == 0 || FailFromErrno();
}

} // namespace platform
