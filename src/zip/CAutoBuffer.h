#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

enum class BufferContents { Keep, Clear };

// An owned byte buffer with its size.
class CAutoBuffer
{
public:
    CAutoBuffer() = default;
    explicit CAutoBuffer(size_t size);

    // Resizing to the current size keeps the contents (and clears them on request);
    // any other size reallocates with zeroed contents.
    void Allocate(size_t size, BufferContents contents = BufferContents::Keep);
    void Release();

    bool IsAllocated() const { return m_data != nullptr; }
    uint8_t *Data() { return m_data.get(); }
    const uint8_t *Data() const { return m_data.get(); }
    size_t Size() const { return m_size; }

private:
    std::unique_ptr<uint8_t[]> m_data;
    size_t m_size = 0;
};
