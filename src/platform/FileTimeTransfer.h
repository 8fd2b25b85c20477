#pragma once

#include <QString>

// Carrying the file times of one file over to another.

namespace platform {

// Which half of a transfer failed.
enum class TimeTransferStep {
    None,
    ReadSource,  // the source's times could not be read
    WriteTarget, // the target did not take them
};

// Gives `target` the last-access and last-write times of `source` to the nanosecond; the
// creation time cannot be set on Linux. Symbolic links are followed on both sides. Only the
// owner (or root) may set times, but neither side needs write permission, so a read-only
// target takes them without its attributes being touched.
// On failure `failedStep` says which half failed and the last error tells why.
// Fault-injection points: Stat (reading the source) and SetFileTime (writing the target).
bool TransferFileTimes(const QString &source, const QString &target, TimeTransferStep *failedStep);

} // namespace platform
