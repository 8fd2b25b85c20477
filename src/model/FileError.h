#pragma once

#include <QString>

namespace model {

// A file that could not be opened or read, with the system's error number (errno); the front
// end turns the number into the system's text.
struct FileError {
    QString Path;
    int ErrorCode = 0;

    friend bool operator==(const FileError &, const FileError &) = default;
};

} // namespace model
