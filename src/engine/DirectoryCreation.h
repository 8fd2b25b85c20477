#pragma once

#include <QString>

// Creating a directory together with its missing parents.

// Creates `path` (trailing '/' ignored) and every missing parent, top-down. True when `path`
// is a directory afterwards (a symbolic link to a directory counts); an existing directory is
// left alone. On failure LastError() tells why: the failing creation's errno, or ENOTDIR when
// something other than a directory has the name.
bool CreateDirectoryTree(const QString &path);

// CreateDirectoryTree that gives every level it creates the security settings of the
// source level at the same depth from the bottom: target and source are paired level by level
// from their last components upwards (t/a/b with s/a/b: t/a gets s/a, t/a/b gets s/a/b). An
// existing level is not touched; where the source runs out of levels the new level keeps the
// default settings.
//
// `errorCode` (may be null) := 0 first. The result is false
// - with error code 0 when nothing was done because the target contains " /" or "/ " or ends
//   with a blank (the caller falls back to CreateDirectoryTree), or when a directory could not
//   be created (LastError() tells why);
// - with the errno of the security transfer when a directory was created but did not receive
//   its settings; the directory stays.
bool CreateDirectoryTreeWithSecurity(const QString &target, const QString &source, int *errorCode = nullptr);
