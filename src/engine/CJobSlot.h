#pragma once

#include <atomic>
#include <thread>

class CListData;
class RunContext;

// One worker slot of a run. The slot number selects the progress pane and never changes;
// a finished slot is reused for the next job, so that job shows in the same pane.
class CJobSlot {
public:
    explicit CJobSlot(int slotNumber);
    ~CJobSlot();
    CJobSlot(const CJobSlot &) = delete;
    CJobSlot &operator=(const CJobSlot &) = delete;

    int SlotNumber() const { return m_slotNumber; }
    bool IsFinished() const { return m_finished.load() != 0; }

    // Runs JobWorker for `job` (none in a run from a Kopierdatei) on a new thread. A thread
    // that cannot be created leaves the slot finished, so that nobody waits for it.
    bool Start(RunContext &run, const CListData *job, int jobIndex);
    // Waits for the worker thread of the previous job, which has already marked the slot
    // finished as its last action.
    void Join();

private:
    void work(RunContext &run);

    const int m_slotNumber;
    const CListData *m_job = nullptr;
    int m_jobIndex = 0;
    std::atomic<int> m_finished{1};
    std::thread m_thread;
};
