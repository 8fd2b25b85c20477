#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

enum class BigFileMode {
    CreateReadWrite,   // created or truncated
    OpenReadWrite,     // must exist, not truncated
    OpenRead,          // must exist
    CreateWrite,       // created or truncated; a symbolic link in its place is refused
};

// A file opened by path with 64-bit positions. Every failure throws CZipFileException
// with the system's error.
class CBigFile
{
public:
    CBigFile() = default;
    ~CBigFile();
    CBigFile(const CBigFile &) = delete;
    CBigFile &operator=(const CBigFile &) = delete;

    void Open(const QString &path, BigFileMode mode);
    // Closes and reports a failure of the final close (on network file systems the last
    // write error may only show here).
    void Close();
    // Closes without reporting anything; for clean-up after another error.
    void Abandon() noexcept;
    bool IsOpen() const { return m_fd >= 0; }
    const QString &Path() const { return m_path; }

    // Reads up to `count` bytes; fewer only at the end of the file.
    size_t Read(void *data, size_t count);
    void Write(const void *data, size_t count);
    int64_t Seek(int64_t offset, int whence);
    int64_t Position() const;
    int64_t Size() const;
    void Truncate(int64_t size);

private:
    int m_fd = -1;
    QString m_path;
};
