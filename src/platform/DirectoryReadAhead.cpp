#include "platform/DirectoryReadAhead.h"

#include "platform/FaultInjection.h"
#include "platform/LastError.h"

#include <utility>

namespace platform {

namespace {

// Listings made ahead wait in memory until the walk takes them; when the walk is slow (it
// computes checksums, say) this bounds what they hold to a few megabytes.
constexpr qsizetype kMaxEntriesAhead = 16384;

} // namespace

DirectoryReadAhead::DirectoryReadAhead(ArchiveMarker marker)
    : m_marker(marker)
    , m_ahead(
          [marker](const QString &directory, const std::atomic<bool> &) {
              Listing listing;
              listing.Ok = ListDirectoryUncounted(directory, &listing.Entries, marker);
              listing.Error = listing.Ok ? 0 : LastError();
              return listing;
          },
          [](const Listing &listing) { return listing.Entries.size(); }, kMaxEntriesAhead)
{
}

bool DirectoryReadAhead::Take(const QString &directory, QList<DirectoryEntry> *entries)
{
    std::optional<Listing> listing = m_ahead.Take(directory);
    if (!listing)
        return ListDirectory(directory, entries, m_marker);
    if (fault::Fails(fault::Operation::ListDirectory)) {
        entries->clear();
        return false;
    }
    *entries = std::move(listing->Entries);
    if (!listing->Ok)
        SetLastError(listing->Error);
    return listing->Ok;
}

} // namespace platform
