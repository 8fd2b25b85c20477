#include "platform/DirectoryReadAhead.h"

#include "platform/FaultInjection.h"
#include "platform/LastError.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

// Listings made ahead wait in memory until the walk takes them; when the walk is slow (it
// computes checksums, say) this bounds what they hold to a few megabytes.
constexpr qsizetype kMaxEntriesAhead = 16384;

} // namespace

DirectoryReadAhead::DirectoryReadAhead(ArchiveMarker marker)
    : m_marker(marker)
{
}

DirectoryReadAhead::~DirectoryReadAhead()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void DirectoryReadAhead::Announce(const QStringList &directories)
{
    if (directories.isEmpty())
        return;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        for (auto it = directories.crbegin(); it != directories.crend(); ++it) {
            if (!m_listed.contains(*it))
                m_pending.push_back(*it);
        }
        startThreadOnce();
    }
    m_changed.notify_all();
}

void DirectoryReadAhead::Withdraw(const QString &directory)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (removePending(directory))
        return;
    const auto it = m_listed.find(directory);
    if (it == m_listed.end())
        return;
    if (!it->Done) {
        it->Withdrawn = true;
        return;
    }
    m_entriesAhead -= it->Entries.size();
    m_listed.erase(it);
    m_changed.notify_all();
}

bool DirectoryReadAhead::Take(const QString &directory, QList<DirectoryEntry> *entries)
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        const auto it = m_listed.find(directory);
        if (it == m_listed.end())
            break;
        if (it->Done) {
            Listing listing = std::move(*it);
            m_listed.erase(it);
            m_entriesAhead -= listing.Entries.size();
            lock.unlock();
            m_changed.notify_all();
            return handOver(std::move(listing), entries);
        }
        m_changed.wait(lock);
    }
    removePending(directory);
    lock.unlock();
    return ListDirectory(directory, entries, m_marker);
}

bool DirectoryReadAhead::handOver(Listing listing, QList<DirectoryEntry> *entries)
{
    if (fault::Fails(fault::Operation::ListDirectory)) {
        entries->clear();
        return false;
    }
    *entries = std::move(listing.Entries);
    if (!listing.Ok)
        SetLastError(listing.Error);
    return listing.Ok;
}

void DirectoryReadAhead::startThreadOnce()
{
    if (!m_thread.joinable())
        m_thread = std::thread([this] { listAhead(); });
}

void DirectoryReadAhead::listAhead()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        while (!m_stop && !mayListAhead())
            m_changed.wait(lock);
        if (m_stop)
            return;
        const QString directory = nextToList();
        m_listed.insert(directory, Listing());
        lock.unlock();
        Listing listing;
        listing.Ok = ListDirectoryUncounted(directory, &listing.Entries, m_marker);
        listing.Error = listing.Ok ? 0 : LastError();
        listing.Done = true;
        lock.lock();
        const auto it = m_listed.find(directory);
        if (it->Withdrawn) {
            m_listed.erase(it);
            continue;
        }
        m_entriesAhead += listing.Entries.size();
        *it = std::move(listing);
        m_changed.notify_all();
    }
}

bool DirectoryReadAhead::mayListAhead() const
{
    return !m_pending.empty() && m_entriesAhead < kMaxEntriesAhead;
}

// The walk takes the last pending directory next and lists it itself when it finds it not
// started; the one before it is the nearest that the walk will not reach first.
QString DirectoryReadAhead::nextToList()
{
    const auto pick = m_pending.size() >= 2 ? m_pending.end() - 2 : m_pending.end() - 1;
    QString directory = std::move(*pick);
    m_pending.erase(pick);
    return directory;
}

bool DirectoryReadAhead::removePending(const QString &directory)
{
    const auto it = std::find(m_pending.rbegin(), m_pending.rend(), directory);
    if (it == m_pending.rend())
        return false;
    m_pending.erase(std::next(it).base());
    return true;
}

} // namespace platform
