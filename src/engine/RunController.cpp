#include "engine/RunController.h"

#include "engine/CJobSlot.h"
#include "engine/CProtokolldatei.h"
#include "engine/CUtil.h"
#include "engine/JobSteps.h"
#include "engine/RetryListRestore.h"
#include "engine/RunContext.h"
#include "engine/TextFormat.h"
#include "engine/TimeFormat.h"
#include "model/CViewData.h"
#include "resources/Strings.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr auto kDrawingPause = std::chrono::milliseconds(1000);

void deleteListFile(const QString &path)
{
    if (path.isEmpty())
        return;
    bool existed = false;
    CUtil::DeleteFileForced(path, &existed);
}

} // namespace

RunController::RunController(RunContext &run)
    : m_run(run)
{
}

RunController::~RunController() = default;

void RunController::Run()
{
    begin();
    startJobs();
    waitForWorkers();
    finish();
}

void RunController::begin()
{
    const CViewData &params = m_run.Params();
    m_run.MarkRunning(true);
    m_run.ResetCancel();
    if (!params.StartMinimized && m_run.GetPresentation() == Presentation::Window)
        std::this_thread::sleep_for(kDrawingPause);
    m_runStart = QDateTime::currentDateTime();
    m_run.Observer().OnRunField(RunField::StartTime, FormatDateTime(LoadStr(303), m_runStart));
    deleteListFile(params.CopiedListFile);
    deleteListFile(params.RetryListFile);
    deleteListFile(params.SkippedListFile);
    m_slots.clear();
    m_activeJobCount = 0;
}

void RunController::startJobs()
{
    const CViewData &params = m_run.Params();
    if (params.RetryRun) {
        m_slots.push_back(std::make_unique<CJobSlot>(0));
        startWorker(*m_slots.back(), 0);
    }
    for (int i = 0; i < int(params.Jobs.size()); ++i) {
        if (!params.Jobs[i]->Active)
            continue;
        ++m_activeJobCount;
        CJobSlot *slot = acquireSlot();
        if (!slot)
            return;
        startWorker(*slot, i);
    }
}

// The first finished slot in array order, a new slot while fewer than ThreadCount exist,
// or none when the run was cancelled while every slot was busy.
CJobSlot *RunController::acquireSlot()
{
    const auto threadCount = size_t(std::clamp(int(m_run.Params().ThreadCount), 1, 3));
    CJobSlot *free = nullptr;
    if (m_slots.size() >= threadCount) {
        m_run.WaitUntil([&] {
            if (m_run.IsCancelled())
                return true;
            for (const auto &slot : m_slots) {
                if (slot->IsFinished()) {
                    free = slot.get();
                    return true;
                }
            }
            return false;
        });
    }
    if (m_run.IsCancelled())
        return nullptr;
    if (free)
        return free;
    m_slots.push_back(std::make_unique<CJobSlot>(int(m_slots.size())));
    return m_slots.back().get();
}

void RunController::startWorker(CJobSlot &slot, int jobIndex)
{
    const CViewData &params = m_run.Params();
    const CListData *job = params.RetryRun ? nullptr : params.Jobs[jobIndex].get();
    if (slot.Start(m_run, job, jobIndex))
        return;
    CProgressData record;
    record.Pane = slot.SlotNumber();
    record.ErrorCount = 1;
    m_run.SendMessage(record, MessageKind::Error, FormatStr(5001, {TimeStamp(), qint64(jobIndex)}));
    QString error;
    if (params.RetryRun && !RestoreRetryPairs(params, &error)) {
        m_run.SendMessage(record, MessageKind::Error,
                          FormatStr(5003, {TimeStamp(), params.RetryListFile, error}));
    }
}

void RunController::waitForWorkers()
{
    m_run.WaitUntil([&] {
        return std::all_of(m_slots.begin(), m_slots.end(),
                           [](const auto &slot) { return slot->IsFinished(); });
    });
    m_slots.clear();
}

void RunController::finish()
{
    const CViewData &params = m_run.Params();
    IRunObserver &observer = m_run.Observer();
    m_runEnd = QDateTime::currentDateTime();
    observer.OnRunField(RunField::EndTimeLabel, LoadStr(424));
    observer.OnRunField(RunField::EndTime, FormatDateTime(LoadStr(303), m_runEnd));
    observer.OnRunField(RunField::Duration,
                        FormatDuration(RoundedSpanMs(m_runStart, m_runEnd), HourWrap::Wrap24));
    if (!params.ExitAfterCopy)
        observer.OnRestoreWindows();
    saveCheckFile();
    appendRunSummary();
    CProgressData record;
    m_run.SendMessage(record, MessageKind::Information, LoadStr(306));
    observer.OnRunField(RunField::CancelButton, LoadStr(209));
    m_run.MarkRunning(false);
    playEndSounds();
    if (params.ExitAfterCopy)
        observer.OnCloseRequest();
}

void RunController::saveCheckFile()
{
    CViewData &params = m_run.Params();
    if (!params.CheckFileData.IsEnabled())
        return;
    // A failed save keeps the previous check file intact; the next run simply copies more.
    params.CheckFileData.Save();
    params.CheckFileData.Clear();
}

void RunController::appendRunSummary()
{
    const CViewData &params = m_run.Params();
    if (params.LogFile.isEmpty())
        return;
    CProtokolldatei summary;
    if (!summary.OpenTemp())
        return;
    WriteRunSummary(summary, m_run, m_activeJobCount, m_runStart, m_runEnd);
    QString error;
    if (!summary.AppendTo(params.LogFile, &error)) {
        CProgressData record;
        m_run.SendMessage(record, MessageKind::Information, error);
    }
}

void RunController::playEndSounds()
{
    IRunObserver &observer = m_run.Observer();
    observer.OnPlaySound(RunSound::RunEnded);
    observer.OnPlaySound(m_run.ErrorCount() == 0 ? RunSound::EndedWithoutErrors
                                                 : RunSound::EndedWithErrors);
}
