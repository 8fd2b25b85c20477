#pragma once

// How an archive file is opened.
enum class ZipOpenMode {
    Create,         // created or truncated; a new, empty archive
    Open,           // existing archive, read and write (entries can be added)
    OpenReadOnly,   // existing archive, only read
};

// How an archive is closed.
enum class ZipCloseMode {
    Normal,       // finish an open entry and write the central directory when it changed
    AfterError,   // after a thrown error: write nothing more, just release everything
};
