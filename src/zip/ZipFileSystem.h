#pragma once

#include "zip/ZipSystemError.h"

#include <QDateTime>
#include <QString>

// The few file-system operations the ZIP container needs besides reading and writing.
namespace ZipFileSystem {

// Creates `path` with every missing parent directory. An existing path counts as created.
ZipSystemStatus CreateDirectoryTree(const QString &path);

// Sets the last-write time of `path` to `lastWrite` and its last-access time to now.
ZipSystemStatus SetLastWriteTime(const QString &path, const QDateTime &lastWrite);

// `path` without its trailing '/' characters; "/" itself stays.
QString WithoutTrailingSlashes(const QString &path);

// Everything in front of the last '/' of `path` (empty when there is none; "/" for a
// file in the root).
QString ParentOf(const QString &path);

} // namespace ZipFileSystem
