#include "model/CPageDatum.h"

namespace model {

void CPageDatum::Reset()
{
    *this = CPageDatum{};
}

void CPageDatum::ApplyModeRules()
{
    if (DateFilterMode == NoDateFilter || DateFilterMode == AbsoluteRange) {
        RelativeDays.clear();
        RelativeHours.clear();
    }
    if (DateFilterMode == NoDateFilter || DateFilterMode == RelativeToStart) {
        DateFromText.clear();
        DateToText.clear();
    }
}

} // namespace model
