#pragma once

// The error of the last failed platform operation of the calling thread, an errno value.
// Every failing operation of this library sets it; a successful one leaves it unchanged,
// so a caller reads it right after the failing call, as with errno itself.

namespace platform {

int LastError();

// Records `err` as the calling thread's last error and also stores it in errno.
void SetLastError(int err);

// Records the current errno as the last error and returns false, so that a failing
// branch can end with `return FailFromErrno();`.
bool FailFromErrno();

// Records `err` and returns false.
bool FailWith(int err);

} // namespace platform
