#pragma once

#include "platform/WorkAhead.h"

#include <QString>
#include <QStringList>

// Computes the MD5 checksums that a job's listing will ask for next on a thread of its own,
// so that two files are hashed at a time. What Take returns is exactly what
// CPruefdatei::ComputeFileChecksum gives for the file.
class ChecksumAhead {
public:
    ChecksumAhead();

    // Files whose checksum the listing will ask for, in the order it will ask.
    void Announce(const QStringList &paths);

    // The listing will not ask for the checksum of `path` after all.
    void Withdraw(const QString &path) { m_ahead.Withdraw(path); }

    // The checksum of `path`: computed ahead when it is ready or under way, computed here
    // otherwise.
    QString Take(const QString &path);

private:
    platform::WorkAhead<QString> m_ahead;
};
