#pragma once

// A seam for tests: makes the n-th call of one platform operation fail with a chosen errno.
// Every platform operation asks `Fails` at its start; while nothing is armed that costs one
// relaxed atomic load.

namespace platform::fault {

enum class Operation {
    Open,            // opening or creating a file, including the two opens of a copy and temp files
    Read,            // FileHandle::Read
    Write,           // FileHandle::Write
    Close,           // FileHandle::Close
    CopyData,        // one chunk of CopyFileWithProgress
    CreateDirectory,
    RemoveFile,
    RemoveDirectory,
    Rename,
    Stat,            // file information, attributes, file times and existence queries
    ListDirectory,
    SetAttributes,
    SetFileTime,     // also the final time transfer of a copy
    GetSecurity,
    SetSecurity,
    RunProgram,
};

// The `nthCall`-th call (1-based, counted from now, over all threads) of `operation` fails
// with `errnoValue`; earlier and later calls behave normally. Several operations may be
// armed at the same time; arming an operation again replaces its previous setting.
void Arm(Operation operation, int nthCall, int errnoValue);

// Forgets every armed failure.
void Disarm();

// True while any failure is armed. Work that would run on a second thread is then done in
// order on the calling one, so that "the n-th call" means the same call in every run.
bool AnyArmed();

// Called by the platform operations: true when this call of `operation` is the armed one;
// then errno and the last error already hold the injected value.
bool Fails(Operation operation);

} // namespace platform::fault
