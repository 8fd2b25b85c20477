#pragma once

#include "model/CListData.h"

#include <QList>
#include <QString>

#include <optional>

namespace model {

// Whether a normal run may start: at least one job is active and the source directory of every
// active job exists. Target directories play no part; a missing one is created by the run.
bool PassesStartCheck(const QList<CListData> &jobs);

// None when the run may start; otherwise the message that stops it (string 314).
std::optional<QString> StartCheckFailure(const QList<CListData> &jobs);

} // namespace model
