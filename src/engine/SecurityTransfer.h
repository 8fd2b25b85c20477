#pragma once

#include "platform/Security.h"

#include <QString>

#include <optional>

// Reading and writing the security settings that travel with a directory: group, permission
// bits, access ACL and default ACL (platform/Security.h). The owner is not copied.

// The settings of `path` (symbolic links followed), or none; then `errorCode` (may be null)
// holds the errno. On success `errorCode` is left as it is.
std::optional<platform::SecurityDescriptor> GetFileSecurityDescriptor(const QString &path, int *errorCode = nullptr);

// Applies `descriptor` to `path`. `errorCode` (may be null) := 0 first. No descriptor (null)
// succeeds without doing anything. On failure `errorCode` holds the errno (EINVAL for a
// descriptor that was never read).
bool SetFileSecurityDescriptor(const QString &path, const platform::SecurityDescriptor *descriptor,
                               int *errorCode = nullptr);
