#pragma once

#include "engine/CZusammenfassung.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

struct CProgressData;
struct CViewDataOptions;

// What the run summary needs besides the run parameters and the totals.
struct RunSummaryFacts {
    int ActiveJobCount = 0;
    QDateTime RunStart;
    QDateTime RunEnd;
    bool UserIsAdmin = false;
    QString Version; // "%d,%d,%d,%d"
};

// The program's version as "major,minor,patch,tweak".
QString ProgramVersionText();

// The lines that end a job's block in the log: an empty line, end time, duration (hours
// modulo 24), files, directories, bytes, speed and errors.
QStringList JobSummaryLines(const CProgressData &record, const QDateTime &jobStart, const QDateTime &jobEnd);

// The whole run summary, from its head line of '#' to the empty line after its closing line.
QStringList RunSummaryLines(const CViewDataOptions &params, const CZusammenfassung::Totals &totals,
                            const RunSummaryFacts &facts);
