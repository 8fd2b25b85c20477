#pragma once

namespace cli {

// The exit statuses of zelvaron-cli.
enum ExitStatus : int {
    ExitSuccess = 0,       // done; a run ended without error lines
    ExitRunHadErrors = 1,  // the run ended, with error lines
    ExitCannotStart = 2,   // wrong arguments or input, or the run could not start
    ExitProjectFailed = 3, // the project file could not be read or written
};

} // namespace cli
