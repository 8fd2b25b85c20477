#include "model/CPageZip.h"

namespace model {

QString CPageZip::DefaultExcludePatterns()
{
    return QStringLiteral("*.zip, *.jpg, *.pdf, *.mpg, *.mp3, ");
}

void CPageZip::Reset()
{
    *this = CPageZip{};
}

void CPageZip::ApplyDependencies()
{
    if (CompressFiles == 0) {
        VerifyCompressed = 0;
        CompressExcludeEnabled = 0;
    }
}

std::optional<OptionRangeError> CPageZip::Validate() const
{
    if (CompressMinSize > MaxCompressMinSize)
        return OptionRangeError{QStringLiteral("CompressMinSize"), CompressMinSize, 0, MaxCompressMinSize};
    if (CompressMaxSizeMB < MinCompressMaxSizeMB || CompressMaxSizeMB > MaxCompressMaxSizeMB)
        return OptionRangeError{QStringLiteral("CompressMaxSizeMB"), CompressMaxSizeMB, MinCompressMaxSizeMB,
                                MaxCompressMaxSizeMB};
    return std::nullopt;
}

} // namespace model
