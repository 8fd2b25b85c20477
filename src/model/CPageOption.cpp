#include "model/CPageOption.h"

namespace model {

void CPageOption::Reset()
{
    *this = CPageOption{};
}

void CPageOption::ApplyDependencies()
{
    if (AppendDateToTarget != 0) {
        OnlyExistingInTarget = 0;
        OnlyMissingInTarget = 0;
    }
    if (ShutdownAfterCopy == 0)
        RebootAfterShutdown = 0;
    if (DeleteEmptyTargetDirs == 0)
        IncludeRootDir = 0;
}

std::optional<OptionRangeError> CPageOption::Validate() const
{
    if (ThreadCount < MinThreadCount || ThreadCount > MaxThreadCount)
        return OptionRangeError{QStringLiteral("ThreadCount"), ThreadCount, MinThreadCount, MaxThreadCount};
    return std::nullopt;
}

} // namespace model
