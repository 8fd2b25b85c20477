#include "zip/CZipMemoryTracker.h"

#include <cstdlib>
#include <new>

CZipMemoryTracker::~CZipMemoryTracker()
{
    ReleaseAll();
}

void *CZipMemoryTracker::Allocate(void *opaque, unsigned int items, unsigned int size)
{
    auto *tracker = static_cast<CZipMemoryTracker *>(opaque);
    void *block = std::calloc(items, size);
    if (!block)
        return nullptr;
    try {
        tracker->m_blocks.insert(block);
    } catch (const std::bad_alloc &) {
        std::free(block);
        return nullptr;
    }
    return block;
}

void CZipMemoryTracker::Free(void *opaque, void *address)
{
    auto *tracker = static_cast<CZipMemoryTracker *>(opaque);
    if (tracker->m_blocks.erase(address) > 0)
        std::free(address);
}

void CZipMemoryTracker::ReleaseAll()
{
    for (void *block : m_blocks)
        std::free(block);
    m_blocks.clear();
}
