#include "zip/CZipStorage.h"

#include "zip/CZipException.h"
#include "zip/ZipConstants.h"

#include <algorithm>
#include <cstring>

namespace {

BigFileMode fileMode(ZipOpenMode mode)
{
    switch (mode) {
    case ZipOpenMode::Create: return BigFileMode::CreateReadWrite;
    case ZipOpenMode::Open: return BigFileMode::OpenReadWrite;
    case ZipOpenMode::OpenReadOnly: return BigFileMode::OpenRead;
    }
    return BigFileMode::OpenRead;
}

} // namespace

CZipStorage::CZipStorage() = default;

void CZipStorage::Open(const QString &path, ZipOpenMode mode)
{
    m_file.Open(path, fileMode(mode));
    m_buffer.Allocate(ZipConst::OutputBufferSize);
    m_bufferFill = 0;
    m_readOnly = mode == ZipOpenMode::OpenReadOnly;
    m_currentDisk = 0;
}

void CZipStorage::Close(ZipCloseMode mode)
{
    if (IsClosed())
        return;
    m_currentDisk = -1;
    if (mode == ZipCloseMode::AfterError) {
        m_bufferFill = 0;
        m_file.Abandon();
        return;
    }
    try {
        Flush();
        m_file.Close();
    } catch (...) {
        m_bufferFill = 0;
        m_file.Abandon();
        throw;
    }
}

void CZipStorage::Write(const void *data, size_t count)
{
    if (static_cast<uint64_t>(Position()) + count > ZipConst::MaxArchiveSize)
        throw CZipException(ZipCause::TooLarge, Path());
    const auto *bytes = static_cast<const uint8_t *>(data);
    while (count > 0) {
        if (m_bufferFill == 0 && count >= m_buffer.Size()) {
            m_file.Write(bytes, count);
            return;
        }
        const size_t part = std::min(count, m_buffer.Size() - m_bufferFill);
        std::memcpy(m_buffer.Data() + m_bufferFill, bytes, part);
        m_bufferFill += part;
        bytes += part;
        count -= part;
        if (m_bufferFill == m_buffer.Size())
            Flush();
    }
}

void CZipStorage::Flush()
{
    if (m_bufferFill == 0)
        return;
    const size_t fill = m_bufferFill;
    m_bufferFill = 0;
    m_file.Write(m_buffer.Data(), fill);
}

int64_t CZipStorage::Position() const
{
    return m_file.Position() + static_cast<int64_t>(m_bufferFill);
}
