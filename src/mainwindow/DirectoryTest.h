#pragma once

#include "model/CListData.h"

#include <QList>
#include <QString>

// The report of "Testen": which source and target directories of the active jobs are missing.
// Inactive jobs are not looked at; an empty directory counts as missing and is named by
// string 333.
QString DirectoryTestReport(const QList<CListData> &jobs);
