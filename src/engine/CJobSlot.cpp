#include "engine/CJobSlot.h"

#include "engine/JobWorker.h"
#include "engine/RunContext.h"

#include <system_error>

CJobSlot::CJobSlot(int slotNumber)
    : m_slotNumber(slotNumber)
{
}

CJobSlot::~CJobSlot()
{
    Join();
}

bool CJobSlot::Start(RunContext &run, const CListData *job, int jobIndex)
{
    Join();
    m_job = job;
    m_jobIndex = jobIndex;
    m_finished.store(0);
    try {
        m_thread = std::thread([this, &run] { work(run); });
    } catch (const std::system_error &) {
        m_finished.store(1);
        return false;
    }
    return true;
}

void CJobSlot::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void CJobSlot::work(RunContext &run)
{
    JobWorker(run, m_job, m_jobIndex, m_slotNumber);
    m_finished.store(1);
    run.NotifyController();
}
