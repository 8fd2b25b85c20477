#include "model/CViewData.h"

CViewData::CViewData()
{
    Reset();
}

void CViewData::Reset()
{
    Jobs.clear();
    CheckFileData.Reset();

    CViewDataOptions defaults;
    defaults.DateFrom = DateFrom;
    defaults.DateTo = DateTo;
    defaults.DateFrom.SetStatus(model::CDateTime::Status::Null);
    defaults.DateTo.SetStatus(model::CDateTime::Status::Null);
    static_cast<CViewDataOptions &>(*this) = defaults;
}
