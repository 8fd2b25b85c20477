#pragma once

#include <QString>

namespace model {

// The wildcard patterns of the page "Muster", each a comma-separated text as the user typed it.
struct CPageMuster {
    qint32 FileIncludeEnabled = 0;
    qint32 FileExcludeEnabled = 0;
    QString FileIncludePatterns;
    QString FileExcludePatterns;
    qint32 DirIncludeEnabled = 0;
    qint32 DirExcludeEnabled = 0;
    QString DirIncludePatterns;
    QString DirExcludePatterns;

    void Reset();

    friend bool operator==(const CPageMuster &, const CPageMuster &) = default;
};

} // namespace model
