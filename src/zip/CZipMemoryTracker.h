#pragma once

#include <cstddef>
#include <unordered_set>

// Allocation hooks for zlib that remember every block handed out. A stream abandoned by an
// error is never ended by zlib; its blocks are freed by ReleaseAll or the destructor.
class CZipMemoryTracker
{
public:
    CZipMemoryTracker() = default;
    ~CZipMemoryTracker();
    CZipMemoryTracker(const CZipMemoryTracker &) = delete;
    CZipMemoryTracker &operator=(const CZipMemoryTracker &) = delete;

    // zlib's alloc_func and free_func; `opaque` is the tracker.
    static void *Allocate(void *opaque, unsigned int items, unsigned int size);
    static void Free(void *opaque, void *address);

    // Frees every block still listed. Only valid when no zlib stream uses them any more.
    void ReleaseAll();
    size_t BlockCount() const { return m_blocks.size(); }

private:
    std::unordered_set<void *> m_blocks;
};
