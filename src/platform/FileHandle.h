#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// A plain file for the engine's own reads and writes (record files, comparisons), with the
// fault-injection points Open, Read, Write and Close.

namespace platform {

enum class OpenMode {
    Read,           // an existing regular file; anything else fails without being waited on
    CreateTruncate, // created when missing, emptied when present
    CreateAppend,   // created when missing, every write goes to the end
};

class FileHandle {
public:
    FileHandle() = default;
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;
    FileHandle(FileHandle &&other) noexcept;
    FileHandle &operator=(FileHandle &&other) noexcept;
    ~FileHandle(); // closes an open file and ignores the result; call Close to see it

    // Opens `path`, closing a file this handle still holds. Read mode refuses a directory
    // with EISDIR and a FIFO, socket or device with EINVAL.
    bool Open(const QString &path, OpenMode mode);

    // Reads up to `maxSize` bytes; the count read (0 at the end of the file) or -1.
    qint64 Read(char *buffer, qint64 maxSize);

    // Writes all of `data`.
    bool Write(QByteArrayView data);

    // Closes the file; false when the system reports a failure (for example a delayed write
    // error). The handle is closed afterwards in either case.
    bool Close();

    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }

private:
    int fd_ = -1;
};

} // namespace platform
