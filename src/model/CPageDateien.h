#pragma once

#include <QString>

namespace model {

// The list files of the page "Dateien" and whether each is deleted when the project closes.
struct CPageDateien {
    QString CopiedListFile;
    QString RetryListFile;
    QString SkippedListFile;
    qint32 DeleteRetryListAtEnd = 0;
    qint32 DeleteCopiedListAtEnd = 1;
    qint32 DeleteSkippedListAtEnd = 1;

    void Reset();

    friend bool operator==(const CPageDateien &, const CPageDateien &) = default;
};

} // namespace model
