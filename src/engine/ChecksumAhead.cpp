#include "engine/ChecksumAhead.h"

#include "engine/CPruefdatei.h"
#include "platform/FaultInjection.h"

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

void ChecksumAhead::Announce(const QStringList &paths)
{
    // The files are opened and read through the fault seam, which counts calls over all
    // threads; a test that arms a fault gets the checksums in the listing's order.
    if (platform::fault::AnyArmed())
        return;
    m_ahead.Announce(paths);
}

QString ChecksumAhead::Take(const QString &path)
{
    if (std::optional<QString> checksum = m_ahead.Take(path))
        return *checksum;
    return CPruefdatei::ComputeFileChecksum(path);
}
