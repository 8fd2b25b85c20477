#pragma once

#include <QByteArray>
#include <QList>

// The user extended attributes ("user." names) of open files.

namespace platform {

// Names of the user extended attributes of `fd`; empty when the file system has none.
bool ListUserXattrs(int fd, QList<QByteArray> *names);

// Whether the target of CopyUserXattrs may carry attributes that the source lacks. A file
// the caller has just created carries none, so they need not be looked for.
enum class TargetXattrs {
    MayHaveStale,
    None,
};

// Gives `target` exactly the user extended attributes of `source`, except `excludedName`,
// which the target loses. A target file system without extended attributes is left as it
// is and counts as success.
bool CopyUserXattrs(int source, int target, const char *excludedName,
                    TargetXattrs targetXattrs = TargetXattrs::MayHaveStale);

} // namespace platform
