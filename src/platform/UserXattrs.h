#pragma once

#include <QByteArray>
#include <QList>

// The user extended attributes ("user." names) of open files.

namespace platform {

// Names of the user extended attributes of `fd`; empty when the file system has none.
bool ListUserXattrs(int fd, QList<QByteArray> *names);

// Gives `target` exactly the user extended attributes of `source`, except `excludedName`,
// which the target loses. A target file system without extended attributes is left as it
// is and counts as success.
bool CopyUserXattrs(int source, int target, const char *excludedName);

} // namespace platform
