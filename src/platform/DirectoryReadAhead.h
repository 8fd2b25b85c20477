#pragma once

#include "platform/DirectoryListing.h"
#include "platform/WorkAhead.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

// Lists the directories a depth-first tree walk will enter next on a thread of its own, so
// that reading directories and examining their entries, which is mostly the kernel's work,
// runs on a second processor while the walk decides what to do with the entries it has.
//
// The walk stays in charge: it announces the subdirectories it may enter, takes each listing
// when it gets there and withdraws a directory it decides not to enter. Whatever it takes is
// exactly what ListDirectory gives, and the fault seam counts each Take as one listing, in
// the walk's order.
class DirectoryReadAhead {
public:
    explicit DirectoryReadAhead(ArchiveMarker marker);

    // Subdirectories the walk may enter, in the order it will enter them.
    void Announce(const QStringList &directories) { m_ahead.Announce(directories); }

    // The walk will not enter `directory`: it is not listed ahead, or its listing is dropped.
    void Withdraw(const QString &directory) { m_ahead.Withdraw(directory); }

    // The listing of `directory`, as ListDirectory returns it: made ahead when it is ready
    // or under way, made here otherwise.
    bool Take(const QString &directory, QList<DirectoryEntry> *entries);

private:
    struct Listing {
        bool Ok = false;
        int Error = 0;
        QList<DirectoryEntry> Entries;
    };

    const ArchiveMarker m_marker;
    WorkAhead<Listing> m_ahead;
};

} // namespace platform
