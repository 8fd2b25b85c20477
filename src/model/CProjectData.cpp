#include "model/CProjectData.h"

#include "engine/CUtil.h"

#include <algorithm>

namespace model {

namespace {

void deleteListFile(const QString &path, qint32 deleteAtEnd, QStringList &failures)
{
    if (deleteAtEnd == 0 || path.isEmpty())
        return;
    bool existed = false;
    if (!CUtil::DeleteFileForced(path, &existed) && existed)
        failures.append(path);
}

// The valid rows of a selection, each once, in ascending order.
QList<qsizetype> sortedRows(QList<qsizetype> rows, qsizetype count)
{
    rows.removeIf([count](qsizetype row) { return row < 0 || row >= count; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace

QStringList CProjectData::Reset()
{
    Jobs.clear();
    Option.Reset();
    Pruefdatei.Reset();
    Muster.Reset();
    QStringList failures;
    deleteListFile(Dateien.CopiedListFile, Dateien.DeleteCopiedListAtEnd, failures);
    deleteListFile(Dateien.RetryListFile, Dateien.DeleteRetryListAtEnd, failures);
    deleteListFile(Dateien.SkippedListFile, Dateien.DeleteSkippedListAtEnd, failures);
    Dateien.Reset();
    Datum.Reset();
    Zip.Reset();
    Unzip.Reset();
    Modified = false;
    return failures;
}

void CProjectData::AppendJob(const CListData &job)
{
    Jobs.append(job);
    Modified = true;
}

bool CProjectData::ReplaceJob(qsizetype row, const CListData &job)
{
    if (row < 0 || row >= Jobs.size())
        return false;
    Jobs[row] = job;
    Modified = true;
    return true;
}

void CProjectData::RemoveJobs(const QList<qsizetype> &rows)
{
    const QList<qsizetype> valid = sortedRows(rows, Jobs.size());
    for (auto it = valid.rbegin(); it != valid.rend(); ++it)
        Jobs.removeAt(*it);
    if (!valid.isEmpty())
        Modified = true;
}

QList<qsizetype> CProjectData::MoveJobsUp(const QList<qsizetype> &selected)
{
    QList<qsizetype> rows = sortedRows(selected, Jobs.size());
    for (qsizetype &row : rows) {
        if (row == 0)
            break;
        Jobs.swapItemsAt(row, row - 1);
        --row;
        Modified = true;
    }
    return rows;
}

QList<qsizetype> CProjectData::MoveJobsDown(const QList<qsizetype> &selected)
{
    QList<qsizetype> rows = sortedRows(selected, Jobs.size());
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (*it == Jobs.size() - 1)
            break;
        Jobs.swapItemsAt(*it, *it + 1);
        ++*it;
        Modified = true;
    }
    return rows;
}

} // namespace model
