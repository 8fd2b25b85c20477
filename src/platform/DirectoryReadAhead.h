#pragma once

#include "platform/DirectoryListing.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

// Lists the directories a depth-first tree walk will enter next on a thread of its own, so
// that reading directories and examining their entries, which is mostly the kernel's work,
// runs on a second core while the walk decides what to do with the entries it has.
//
// The walk stays in charge: it announces the subdirectories it may enter, takes each listing
// when it gets there and withdraws a directory it decides not to enter. Whatever it takes is
// exactly what ListDirectory gives, and the fault seam counts each Take as one listing, in
// the walk's order. The directory the walk will most likely take next is left to the walk
// itself, so that both threads list at the same time instead of the walk waiting.
class DirectoryReadAhead {
public:
    explicit DirectoryReadAhead(ArchiveMarker marker);
    DirectoryReadAhead(const DirectoryReadAhead &) = delete;
    DirectoryReadAhead &operator=(const DirectoryReadAhead &) = delete;
    // Waits for a listing under way; listings not taken are dropped.
    ~DirectoryReadAhead();

    // Subdirectories the walk may enter, in the order it will enter them. A depth-first walk
    // enters them before anything announced earlier, so they go in front of it.
    void Announce(const QStringList &directories);

    // The walk will not enter `directory`: it is not listed ahead, or its listing is dropped.
    void Withdraw(const QString &directory);

    // The listing of `directory`, as ListDirectory returns it: made ahead when it is ready
    // or under way, made here otherwise.
    bool Take(const QString &directory, QList<DirectoryEntry> *entries);

private:
    struct Listing {
        bool Done = false;
        bool Withdrawn = false; // while under way: dropped when done
        bool Ok = false;
        int Error = 0;
        QList<DirectoryEntry> Entries;
    };

    void startThreadOnce();
    void listAhead();
    bool mayListAhead() const;
    QString nextToList();
    bool removePending(const QString &directory);
    bool handOver(Listing listing, QList<DirectoryEntry> *entries);

    const ArchiveMarker m_marker;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<QString> m_pending; // the walk needs the last one first
    QHash<QString, Listing> m_listed; // under way or done, not yet taken
    qsizetype m_entriesAhead = 0;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace platform
