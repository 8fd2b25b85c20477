#include "engine/ChecksumAhead.h"

#include "engine/CPruefdatei.h"

namespace {

// A checksum is small; the bound keeps the thread from reading far ahead of the listing.
constexpr qsizetype kMostChecksumsAhead = 64;

} // namespace

ChecksumAhead::ChecksumAhead()
    : m_ahead([](const QString &path,
                 const std::atomic<bool> &stopping) { return CPruefdatei::ComputeFileChecksum(path, &stopping); },
              [](const QString &) { return qsizetype(1); }, kMostChecksumsAhead)
{
}

QString ChecksumAhead::Take(const QString &path)
{
    if (std::optional<QString> checksum = m_ahead.Take(path))
        return *checksum;
    return CPruefdatei::ComputeFileChecksum(path);
}
