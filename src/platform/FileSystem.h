#pragma once

#include <QString>

// Plain file-system changes with fault-injection points, for everything the engine creates,
// renames and removes.

namespace platform {

enum class RenameMode {
    ReplaceExisting,
    KeepExisting, // fails with EEXIST when the new name is taken
};

// Removes a file or a symbolic link (not its target).
bool RemoveFile(const QString &path);

bool RenameFile(const QString &from, const QString &to, RenameMode mode);

// Creates one directory; its parent must exist. Permissions 0777 less the umask.
bool CreateDirectory(const QString &path);

// Removes an empty directory.
bool RemoveDirectory(const QString &path);

} // namespace platform
