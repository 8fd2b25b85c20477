#pragma once

#include "engine/CProgressData.h"
#include "engine/CProtokolldatei.h"

#include <QDateTime>
#include <QString>

class CListData;
class RunContext;

// What one worker owns while it runs one job (or the pairs of a Kopierdatei): its progress
// record, its four record files and its place in the job list.
struct JobContext {
    JobContext(RunContext &run, const CListData *job, int jobIndex, int pane);

    RunContext &Run;
    const CListData *Job; // none in a run from a Kopierdatei
    int JobIndex;
    QDateTime JobStart;
    CProgressData Record;
    CProtokolldatei Log;
    CProtokolldatei CopiedList;
    CProtokolldatei RetryList;
    CProtokolldatei SkippedList;

    // An error line: counted for the job and the run.
    void Error(const QString &text);
    // An error line that also goes into the job's log.
    void ErrorLogged(const QString &text);
    // An information line, not counted.
    void Info(const QString &text);
    void InfoLogged(const QString &text);
    void Pane(quint64 mask);
    bool IsCancelled() const;
};
