#pragma once

#include <QString>

namespace model {

// The page "Prüfdatei": the check file and whether it also records a checksum per file.
struct CPagePruefdatei {
    QString CheckFile;
    qint32 ChecksumEnabled = 0;

    void Reset();

    friend bool operator==(const CPagePruefdatei &, const CPagePruefdatei &) = default;
};

} // namespace model
