#include "platform/CopyFile.h"

#include "platform/Attributes.h"
#include "platform/FaultInjection.h"
#include "platform/FileName.h"
#include "platform/LastError.h"
#include "platform/UserXattrs.h"

#include <QByteArray>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr qint64 kMaxBufferBytes = 8 * 1024 * 1024;

struct UniqueFd {
    int fd = -1;
    UniqueFd() = default;
    UniqueFd(const UniqueFd &) = delete;
    UniqueFd &operator=(const UniqueFd &) = delete;
    ~UniqueFd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// What the copy needs to know about the target it opened.
struct OpenedTarget {
    qint64 existingSize = 0;
    mode_t permissions = 0;
    TargetXattrs xattrs = TargetXattrs::MayHaveStale;
};

struct CopyState {
    int in = -1;
    int out = -1;
    qint64 total = 0;
    qint64 done = 0;
    qint64 chunkBytes = kDefaultCopyChunkBytes;
    bool useCopyRange = true;
    QByteArray buffer;
};

bool RequireRegular(const struct stat &st)
{
    if (S_ISDIR(st.st_mode))
        return FailWith(EISDIR);
    if (!S_ISREG(st.st_mode))
        return FailWith(EINVAL);
    return true;
}

bool SameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Both files are opened without any other status flag that F_SETFL could change, so setting
// none clears O_NONBLOCK without asking for the flags first.
bool ClearNonBlocking(int fd)
{
    if (fcntl(fd, F_SETFL, 0) != 0)
        return FailFromErrno();
    return true;
}

// The source is examined before it is opened, so that a FIFO or a device is never opened,
// and again afterwards, in case it was replaced in between.
bool OpenSource(const QByteArray &path, UniqueFd &source, struct stat *st)
{
    if (fault::Fails(fault::Operation::Open))
        return false;
    struct stat before{};
    if (stat(path.constData(), &before) != 0)
        return FailFromErrno();
    if (!RequireRegular(before))
        return false;
    source.fd = open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (source.fd < 0 || fstat(source.fd, st) != 0)
        return FailFromErrno();
    if (!RequireRegular(*st) || !ClearNonBlocking(source.fd))
        return false;
    posix_fadvise(source.fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

// Root may write into any file, so the read-only attribute is checked here rather than
// left to open().
bool CheckExistingTarget(const QByteArray &path, const struct stat &source)
{
    struct stat existing{};
    if (stat(path.constData(), &existing) != 0)
        return errno == ENOENT || FailFromErrno();
    if (!RequireRegular(existing))
        return false;
    if ((existing.st_mode & S_IWUSR) == 0)
        return FailWith(EACCES);
    if (SameFile(existing, source))
        return FailWith(EINVAL);
    return true;
}

// Opens without truncating first: the content is only dropped once the target is known
// not to be the source itself.
bool OpenExistingTarget(const QByteArray &path, const struct stat &source, UniqueFd &target, OpenedTarget *info)
{
    if (!CheckExistingTarget(path, source))
        return false;
    target.fd = open(path.constData(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (target.fd < 0)
        return FailFromErrno();
    struct stat opened{};
    if (fstat(target.fd, &opened) != 0)
        return FailFromErrno();
    if (!RequireRegular(opened))
        return false;
    if (SameFile(opened, source))
        return FailWith(EINVAL);
    info->existingSize = opened.st_size;
    info->permissions = opened.st_mode & 07777;
    return ClearNonBlocking(target.fd);
}

// Most targets are new. Creating one exclusively needs none of the checks an existing file
// needs, and it cannot be a FIFO. It gets the source's permission bits from the start (the
// process's umask may take some away), so that usually no change of mode is left for the
// end; it holds nothing that the finished copy would not show to the same people.
bool OpenTarget(const QByteArray &path, const struct stat &source, UniqueFd &target, OpenedTarget *info)
{
    if (fault::Fails(fault::Operation::Open))
        return false;
    target.fd = open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, source.st_mode & 0777);
    if (target.fd < 0)
        return errno == EEXIST ? OpenExistingTarget(path, source, target, info) : FailFromErrno();
    struct stat created{};
    if (fstat(target.fd, &created) != 0)
        return FailFromErrno();
    info->existingSize = 0;
    info->permissions = created.st_mode & 07777;
    info->xattrs = TargetXattrs::None;
    return true;
}

bool WriteAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return FailFromErrno();
        }
        data += written;
        size -= written;
    }
    return true;
}

bool ReadWriteChunk(CopyState &state, qint64 *copied)
{
    if (state.buffer.isEmpty())
        state.buffer.resize(qMin(state.chunkBytes, kMaxBufferBytes));
    ssize_t got = 0;
    do {
        got = ::read(state.in, state.buffer.data(), size_t(state.buffer.size()));
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        return FailFromErrno();
    *copied = got;
    return WriteAll(state.out, state.buffer.constData(), got);
}

bool CannotCopyRange(int err)
{
    return err == EXDEV || err == ENOSYS || err == EINVAL || err == EOPNOTSUPP || err == ENOTSUP
        || err == EBADF;
}

// One chunk in the kernel. Some file systems report nothing to copy for files whose size is
// not known in advance; a zero result before any data therefore hands over to read().
bool CopyRangeChunk(CopyState &state, qint64 *copied)
{
    ssize_t moved = 0;
    do {
        moved = copy_file_range(state.in, nullptr, state.out, nullptr, size_t(state.chunkBytes), 0);
    } while (moved < 0 && errno == EINTR);
    if (moved < 0 && !CannotCopyRange(errno))
        return FailFromErrno();
    if (moved < 0 || (moved == 0 && state.done == 0)) {
        state.useCopyRange = false;
        return ReadWriteChunk(state, copied);
    }
    *copied = moved;
    return true;
}

bool CopyChunk(CopyState &state, qint64 *copied)
{
    if (state.done < state.total && fault::Fails(fault::Operation::CopyData))
        return false;
    return state.useCopyRange ? CopyRangeChunk(state, copied) : ReadWriteChunk(state, copied);
}

bool CopyData(CopyState &state, const CopyProgressCallback &callback, const std::atomic<bool> *cancelFlag)
{
    for (;;) {
        if (cancelFlag && cancelFlag->load(std::memory_order_relaxed))
            return FailWith(ECANCELED);
        qint64 copied = 0;
        if (!CopyChunk(state, &copied))
            return false;
        if (copied == 0)
            return true;
        state.done += copied;
        if (callback && callback(qMax(state.total, state.done), state.done) == CopyProgressAction::Cancel)
            return FailWith(ECANCELED);
    }
}

bool CannotStorePermissions(int err)
{
    return err == EPERM || err == EOPNOTSUPP || err == ENOTSUP;
}

// Reading the source may have moved its access time; the times are taken after the read.
bool TargetTimes(int in, const struct stat &source, CopyTimes times, timespec stamps[2])
{
    if (times == CopyTimes::Modification) {
        stamps[0].tv_sec = 0;
        stamps[0].tv_nsec = UTIME_OMIT;
        stamps[1] = source.st_mtim;
        return true;
    }
    struct stat now{};
    if (fstat(in, &now) != 0)
        return FailFromErrno();
    stamps[0] = now.st_atim;
    stamps[1] = now.st_mtim;
    return true;
}

bool TransferMetadata(int in, int out, const struct stat &source, const OpenedTarget &target, CopyTimes times)
{
    const mode_t permissions = source.st_mode & 0777;
    if (target.permissions != permissions && fchmod(out, permissions) != 0 && !CannotStorePermissions(errno))
        return FailFromErrno();
    if (!CopyUserXattrs(in, out, kArchivedMarkerName, target.xattrs))
        return false;
    if (fault::Fails(fault::Operation::SetFileTime))
        return false;
    timespec stamps[2]{};
    if (!TargetTimes(in, source, times, stamps))
        return false;
    if (futimens(out, stamps) != 0)
        return FailFromErrno();
    return true;
}

bool FinishTarget(UniqueFd &target)
{
    const int fd = target.fd;
    target.fd = -1;
    return ::close(fd) == 0 || FailFromErrno();
}

// An empty target is not truncated: on ext4 a truncation to zero makes the close start the
// write-back of the new content at once, which costs more than the copy of a small file.
bool FillTarget(int in, UniqueFd &target, const OpenedTarget &opened, const struct stat &source,
                const CopyProgressCallback &callback, const std::atomic<bool> *cancelFlag, qint64 chunkBytes,
                CopyTimes times)
{
    if (opened.existingSize != 0 && ftruncate(target.fd, 0) != 0)
        return FailFromErrno();
    CopyState state;
    state.in = in;
    state.out = target.fd;
    state.total = source.st_size;
    state.chunkBytes = chunkBytes > 0 ? chunkBytes : kDefaultCopyChunkBytes;
    return CopyData(state, callback, cancelFlag) && TransferMetadata(in, target.fd, source, opened, times)
        && FinishTarget(target);
}

} // namespace

bool CopyFileWithProgress(const QString &source, const QString &target, const CopyProgressCallback &callback,
                          const std::atomic<bool> *cancelFlag, qint64 chunkBytes, CopyTimes times)
{
    const QByteArray sourcePath = EncodeFileName(source);
    const QByteArray targetPath = EncodeFileName(target);
    UniqueFd in;
    struct stat sourceInfo{};
    if (!OpenSource(sourcePath, in, &sourceInfo))
        return false;
    UniqueFd out;
    OpenedTarget opened;
    if (!OpenTarget(targetPath, sourceInfo, out, &opened))
        return false;
    if (FillTarget(in.fd, out, opened, sourceInfo, callback, cancelFlag, chunkBytes, times))
        return true;
    const int err = LastError();
    if (out.fd >= 0)
        ::close(out.fd);
    out.fd = -1;
    ::unlink(targetPath.constData());
    SetLastError(err);
    return false;
}

} // namespace platform
