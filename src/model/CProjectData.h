#pragma once

#include "model/CListData.h"
#include "model/CPageDateien.h"
#include "model/CPageDatum.h"
#include "model/CPageMuster.h"
#include "model/CPageOption.h"
#include "model/CPagePruefdatei.h"
#include "model/CPageUnzip.h"
#include "model/CPageZip.h"

#include <QList>
#include <QStringList>

namespace model {

// A project: the ordered job list and the seven option groups that apply to every job.
// Row positions count from 0 and are the job numbers of the run's log.
struct CProjectData {
    QList<CListData> Jobs;
    CPageOption Option;
    CPagePruefdatei Pruefdatei;
    CPageMuster Muster;
    CPageDateien Dateien;
    CPageDatum Datum;
    CPageZip Zip;
    CPageUnzip Unzip;
    bool Modified = false;

    // Closes the project and leaves a new, empty one: removes the jobs, resets every group and
    // clears the modified flag. Before the group "Dateien" is reset, each list file whose
    // delete-at-project-end flag is set is deleted; a missing file or an empty path is no error.
    // Returns the paths of list files that existed but could not be deleted.
    QStringList Reset();

    // The job-list edits; each marks the project modified when it changes something.
    void AppendJob(const CListData &job);
    // False (and nothing changed) for a row outside the list.
    bool ReplaceJob(qsizetype row, const CListData &job);
    // Removes the given rows; rows outside the list are ignored.
    void RemoveJobs(const QList<qsizetype> &rows);
    // Moves every selected row one place up, from the first selected row on, and stops at the
    // first one that is already at the top. Returns the rows the selection is on afterwards.
    QList<qsizetype> MoveJobsUp(const QList<qsizetype> &selected);
    // The same downwards, from the last selected row on, stopping at the bottom.
    QList<qsizetype> MoveJobsDown(const QList<qsizetype> &selected);
};

} // namespace model
