#pragma once

#include "zip/CAutoBuffer.h"
#include "zip/CBigFile.h"
#include "zip/ZipModes.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// The archive file with its output buffer. Headers and entry data are collected in the
// buffer and written in large blocks.
class CZipStorage
{
public:
    CZipStorage();

    void Open(const QString &path, ZipOpenMode mode);
    // Normal: flush and close (may throw). AfterError: close without writing.
    void Close(ZipCloseMode mode);
    // A closed archive has no current disk.
    bool IsClosed() const { return m_currentDisk < 0; }
    bool IsReadOnly() const { return m_readOnly; }

    // Buffered write at the end of what was written so far. Refuses (TooLarge) a write that
    // would let the archive file reach 4 GiB.
    void Write(const void *data, size_t count);
    void Flush();
    // File position at which the next buffered byte will land.
    int64_t Position() const;

    CBigFile &File() { return m_file; }
    const QString &Path() const { return m_file.Path(); }

private:
    CBigFile m_file;
    CAutoBuffer m_buffer;
    size_t m_bufferFill = 0;
    int m_currentDisk = -1;
    bool m_readOnly = false;
};
