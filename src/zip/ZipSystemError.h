#pragma once

#include <QString>

// The system's text for an errno value in the user's locale, followed by
// "  (Fehlercode=%d)\r\n" — the form every system error takes in the program's messages.
// The ZIP library does not link the platform layer, so it keeps this small copy.
QString ZipSystemErrorText(int errorCode);

// Result of a system call made by the ZIP module: 0 or the errno value of the failure.
struct ZipSystemStatus {
    int ErrorCode = 0;

    bool Ok() const { return ErrorCode == 0; }
    static ZipSystemStatus LastError();
};
