#pragma once

#include <QDateTime>

#include <memory>
#include <vector>

class CJobSlot;
class RunContext;

// Drives one run: starts a worker per active job, never more than ThreadCount at a time,
// reusing the first finished slot in array order, and finishes the run when all have ended.
class RunController {
public:
    explicit RunController(RunContext &run);
    ~RunController();

    // Runs the whole run on the calling thread; returns when the run is finished.
    void Run();

private:
    void begin();
    void startJobs();
    CJobSlot *acquireSlot();
    void startWorker(CJobSlot &slot, int jobIndex);
    void waitForWorkers();
    void finish();
    void saveCheckFile();
    void appendRunSummary();
    void playEndSounds();

    RunContext &m_run;
    std::vector<std::unique_ptr<CJobSlot>> m_slots;
    int m_activeJobCount = 0;
    QDateTime m_runStart;
    QDateTime m_runEnd;
};
