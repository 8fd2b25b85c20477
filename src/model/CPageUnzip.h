#pragma once

#include <QtGlobal>

namespace model {

// The page "Dekomprimieren": unpack, after the run, the archives this program made.
struct CPageUnzip {
    qint32 DecompressFiles = 0;

    void Reset();

    friend bool operator==(const CPageUnzip &, const CPageUnzip &) = default;
};

} // namespace model
