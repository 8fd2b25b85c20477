#include "zip/CAutoBuffer.h"

#include <cstring>

CAutoBuffer::CAutoBuffer(size_t size)
{
    Allocate(size);
}

void CAutoBuffer::Allocate(size_t size, BufferContents contents)
{
    if (m_data && size == m_size) {
        if (contents == BufferContents::Clear)
            std::memset(m_data.get(), 0, m_size);
        return;
    }
    m_data = size > 0 ? std::make_unique<uint8_t[]>(size) : nullptr;
    m_size = size;
}

void CAutoBuffer::Release()
{
    m_data.reset();
    m_size = 0;
}
