#pragma once

#include <QString>

namespace platform {

// Creates a new empty file named "~XXXXXX.tmp" (six random characters) in `directory`,
// readable and writable by the owner only, and returns its path; an empty string on failure.
QString MakeTempFile(const QString &directory);

// $TMPDIR, else /tmp, always ending with '/'.
QString SystemTempPath();

} // namespace platform
