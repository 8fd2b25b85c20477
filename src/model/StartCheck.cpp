#include "model/StartCheck.h"

#include "engine/CUtil.h"
#include "resources/Strings.h"

#include <algorithm>

namespace model {

bool PassesStartCheck(const QList<CListData> &jobs)
{
    const auto active = [](const CListData &job) { return job.Active != 0; };
    if (std::none_of(jobs.begin(), jobs.end(), active))
        return false;
    return std::all_of(jobs.begin(), jobs.end(), [&](const CListData &job) {
        return !active(job) || CUtil::PathExists(job.SourceDir);
    });
}

std::optional<QString> StartCheckFailure(const QList<CListData> &jobs)
{
    if (PassesStartCheck(jobs))
        return std::nullopt;
    return LoadStr(314);
}

} // namespace model
