#pragma once

#include "model/OptionRangeError.h"

#include <QString>

#include <optional>

namespace model {

// The per-file compression options of the page "Komprimieren".
struct CPageZip {
    qint32 CompressFiles = 0;
    qint32 VerifyCompressed = 0;
    qint32 CompressExcludeEnabled = 0;
    QString CompressExcludePatterns = DefaultExcludePatterns();
    quint32 CompressMinSize = 256;    // bytes
    quint32 CompressMaxSizeMB = 3840; // megabytes; 3840 stays below the 4 GiB a ZIP entry can hold

    static constexpr quint32 MaxCompressMinSize = 65535;
    static constexpr quint32 MinCompressMaxSizeMB = 1;
    static constexpr quint32 MaxCompressMaxSizeMB = 3840;

    // Formats that are compressed already: "*.zip, *.jpg, *.pdf, *.mpg, *.mp3, ".
    static QString DefaultExcludePatterns();

    void Reset();

    // Checking archives and excluding patterns only mean something while files are compressed.
    void ApplyDependencies();

    // The first value outside its accepted range, if any.
    std::optional<OptionRangeError> Validate() const;

    friend bool operator==(const CPageZip &, const CPageZip &) = default;
};

} // namespace model
