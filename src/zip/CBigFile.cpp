#include "zip/CBigFile.h"

#include "zip/CZipFileException.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int openFlags(BigFileMode mode)
{
    switch (mode) {
    case BigFileMode::CreateReadWrite: return O_RDWR | O_CREAT | O_TRUNC;
    case BigFileMode::OpenReadWrite: return O_RDWR;
    // A FIFO would block the open until a writer appears; with O_NONBLOCK it opens at once.
    case BigFileMode::OpenRead: return O_RDONLY | O_NONBLOCK;
    case BigFileMode::CreateWrite: return O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW;
    }
    return O_RDONLY;
}

} // namespace

CBigFile::~CBigFile()
{
    Abandon();
}

void CBigFile::Open(const QString &path, BigFileMode mode)
{
    Abandon();
    const QByteArray encoded = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(encoded.constData(), openFlags(mode) | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        CZipFileException::ThrowLastError(path);
    m_fd = fd;
    m_path = path;
}

void CBigFile::Close()
{
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        CZipFileException::ThrowLastError(m_path);
}

void CBigFile::Abandon() noexcept
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

size_t CBigFile::Read(void *data, size_t count)
{
    auto *bytes = static_cast<char *>(data);
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(m_fd, bytes + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            CZipFileException::ThrowLastError(m_path);
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    return done;
}

void CBigFile::Write(const void *data, size_t count)
{
    const auto *bytes = static_cast<const char *>(data);
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_fd, bytes + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = EIO;
        if (n <= 0)
            CZipFileException::ThrowLastError(m_path);
        done += static_cast<size_t>(n);
    }
}

int64_t CBigFile::Seek(int64_t offset, int whence)
{
    const off_t position = ::lseek(m_fd, offset, whence);
    if (position < 0)
        CZipFileException::ThrowLastError(m_path);
    return position;
}

int64_t CBigFile::Position() const
{
    const off_t position = ::lseek(m_fd, 0, SEEK_CUR);
    if (position < 0)
        CZipFileException::ThrowLastError(m_path);
    return position;
}

int64_t CBigFile::Size() const
{
    struct stat status {};
    if (::fstat(m_fd, &status) != 0)
        CZipFileException::ThrowLastError(m_path);
    return status.st_size;
}

void CBigFile::Truncate(int64_t size)
{
    if (::ftruncate(m_fd, size) != 0)
        CZipFileException::ThrowLastError(m_path);
}
