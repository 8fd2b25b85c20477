#pragma once

#include <QString>

struct JobContext;

// What became of a copied ".zip" target when archives are to be unpacked.
enum class UnpackOutcome {
    NotUnpacked, // not one of the program's own archives: it stays an ordinary file
    Unpacked,    // unpacked into the target's directory; the copied archive may go
    Failed,      // unpacking failed; the archive stays an ordinary file
};

struct UnpackResult {
    UnpackOutcome Outcome = UnpackOutcome::NotUnpacked;
    QString ErrorText; // the ZIP component's reason when the outcome is Failed
};

// Unpacks job.Record.TargetPath into its own directory when it is one of the program's
// archives, with progress events on a copy of the job's record. Every failure is shown as
// one error line on that copy and its text comes back in ErrorText.
UnpackResult UnpackCopiedArchive(JobContext &job);
