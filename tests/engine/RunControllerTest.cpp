#include "engine/RunContext.h"
#include "engine/RunController.h"
#include "model/CViewData.h"
#include "resources/Strings.h"
#include "support/RecordingObserver.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>

namespace {

// Builds run parameters with one job per entry of `active`.
void addJobs(CViewData &params, std::initializer_list<bool> active)
{
    for (bool a : active) {
        auto job = std::make_unique<CListData>();
        job->Active = a ? 1 : 0;
        job->SourceDir = QStringLiteral("/nonexistent/source");
        job->TargetDir = QStringLiteral("/nonexistent/target");
        params.Jobs.push_back(std::move(job));
    }
}

QString startLine(int job)
{
    return QStringLiteral("Starte Job %1\r\n").arg(job);
}

QString endLine(int job, int errors)
{
    return QStringLiteral("Beende Job %1  (%2 Fehler)\r\n").arg(job).arg(errors);
}

int paneOf(const RecordingObserver &observer, const QString &text)
{
    for (const auto &m : observer.Messages()) {
        if (m.text == text)
            return m.pane;
    }
    return -2;
}

void runHeadless(CViewData &params, RecordingObserver &observer)
{
    RunContext run(params, observer, Presentation::Headless);
    RunController(run).Run();
}

// Holds every worker at its start line until the test opens the job's gate, so the test
// decides the order in which jobs end.
struct GatedJobs {
    explicit GatedJobs(RecordingObserver &observer)
    {
        observer.SetMessageHook([this](const CProgressData &record) {
            for (int job = 0; job < int(gates.size()); ++job) {
                if (record.MessageText == startLine(job)) {
                    arrived[size_t(job)].Open();
                    gates[size_t(job)].Wait();
                }
            }
        });
    }
    std::array<Gate, 8> gates;
    std::array<Gate, 8> arrived; // opened when the job's worker reaches its start line
};

void waitForMessage(const RecordingObserver &observer, const QString &text)
{
    while (!observer.MessageTexts().contains(text))
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}
} // namespace

TEST(RunController, OneThreadRunsJobsInRowOrderInTheFirstPane)
{
    CViewData params;
    params.ThreadCount = 1;
    addJobs(params, {true, true, true});
    RecordingObserver observer;
    runHeadless(params, observer);

    const QStringList texts = observer.MessageTexts();
    const QStringList expected = {startLine(0), endLine(0, 0), startLine(1), endLine(1, 0),
                                  startLine(2), endLine(2, 0), LoadStr(306)};
    EXPECT_EQ(texts, expected);
    for (int job = 0; job < 3; ++job)
        EXPECT_EQ(paneOf(observer, startLine(job)), 0);
    for (const auto &pane : observer.Panes())
        EXPECT_EQ(pane.pane, 0);
}

TEST(RunController, ThreeThreadsReuseTheFirstFinishedSlot)
{
    CViewData params;
    params.ThreadCount = 3;
    addJobs(params, {true, true, true, true, true});
    RecordingObserver observer;
    GatedJobs gated(observer);

    RunContext run(params, observer, Presentation::Headless);
    std::thread controller([&] { RunController(run).Run(); });
    gated.gates[1].Open();
    waitForMessage(observer, endLine(1, 0));
    gated.arrived[3].Wait();
    gated.gates[3].Open();
    waitForMessage(observer, endLine(3, 0));
    gated.arrived[4].Wait();
    for (Gate &gate : gated.gates)
        gate.Open();
    controller.join();

    EXPECT_EQ(paneOf(observer, startLine(0)), 0);
    EXPECT_EQ(paneOf(observer, startLine(1)), 1);
    EXPECT_EQ(paneOf(observer, startLine(2)), 2);
    EXPECT_EQ(paneOf(observer, startLine(3)), 1) << "job 3 takes the slot job 1 left";
    EXPECT_EQ(paneOf(observer, startLine(4)), 1) << "jobs 0 and 2 were still running";
    EXPECT_EQ(observer.MessageTexts().last(), LoadStr(306));
}

TEST(RunController, InactiveRowsKeepTheirJobNumbers)
{
    CViewData params;
    params.ThreadCount = 2;
    addJobs(params, {false, true, false, true});
    RecordingObserver observer;
    runHeadless(params, observer);

    const QStringList texts = observer.MessageTexts();
    EXPECT_TRUE(texts.contains(startLine(1)));
    EXPECT_TRUE(texts.contains(startLine(3)));
    EXPECT_FALSE(texts.contains(startLine(0)));
    EXPECT_FALSE(texts.contains(startLine(2)));
    const auto statuses = observer.JobStatuses();
    ASSERT_EQ(statuses.size(), 2u);
    for (const auto &[row, text] : statuses) {
        EXPECT_TRUE(row == 1 || row == 3);
        EXPECT_EQ(text, QStringLiteral("Fertig: 0 Fehler"));
    }
}

TEST(RunController, NoActiveJobEndsAtOnce)
{
    CViewData params;
    addJobs(params, {false});
    RecordingObserver observer;
    runHeadless(params, observer);

    EXPECT_EQ(observer.MessageTexts(), QStringList{LoadStr(306)});
    const std::vector<RunSound> sounds{RunSound::RunEnded, RunSound::EndedWithoutErrors};
    EXPECT_EQ(observer.Sounds(), sounds);
    EXPECT_EQ(observer.Field(RunField::CancelButton), LoadStr(209));
    EXPECT_EQ(observer.Field(RunField::EndTimeLabel), LoadStr(424));
    EXPECT_EQ(observer.Field(RunField::Duration), QStringLiteral("00:00:00"));
    EXPECT_EQ(observer.CloseRequests(), 0);
}

TEST(RunController, CancelWhileAllSlotsAreBusyStartsNoFurtherJob)
{
    CViewData params;
    params.ThreadCount = 2;
    addJobs(params, {true, true, true, true});
    RecordingObserver observer;
    GatedJobs gated(observer);

    RunContext run(params, observer, Presentation::Headless);
    std::thread controller([&] { RunController(run).Run(); });
    gated.arrived[0].Wait();
    gated.arrived[1].Wait();
    run.RequestCancel();
    for (Gate &gate : gated.gates)
        gate.Open();
    controller.join();

    const QStringList texts = observer.MessageTexts();
    EXPECT_FALSE(texts.contains(startLine(2)));
    EXPECT_FALSE(texts.contains(startLine(3)));
    EXPECT_EQ(texts.count(LoadStr(364)), 2);
    EXPECT_TRUE(texts.contains(endLine(0, 1)));
    EXPECT_TRUE(texts.contains(endLine(1, 1)));
    EXPECT_EQ(texts.last(), LoadStr(306));
    EXPECT_EQ(run.ErrorCount(), 2);
    const std::vector<RunSound> sounds{RunSound::RunEnded, RunSound::EndedWithErrors};
    EXPECT_EQ(observer.Sounds(), sounds);
    EXPECT_FALSE(run.IsRunning());
}

TEST(RunController, ExitAfterCopyAsksTheWindowToClose)
{
    CViewData params;
    params.ExitAfterCopy = true;
    RecordingObserver observer;
    runHeadless(params, observer);
    EXPECT_EQ(observer.CloseRequests(), 1);
}

TEST(RunContext, SkipCountersAddUpAndPaneEventsStopWhileHidden)
{
    CViewData params;
    RecordingObserver observer;
    RunContext run(params, observer, Presentation::Headless);
    CProgressData record;
    record.SkippedFiles = 3;
    record.SkippedDirectories = 1;
    run.SendMessage(record, MessageKind::SkipCounters, QString());
    record.SkippedFiles = 2;
    record.SkippedDirectories = 0;
    run.SendMessage(record, MessageKind::SkipCounters, QString());
    EXPECT_EQ(run.SkippedFiles(), 5);
    EXPECT_EQ(run.SkippedDirectories(), 1);

    run.SetDisplayEnabled(false);
    run.SendPane(record, UPD_ACT_COPY);
    EXPECT_TRUE(observer.Panes().empty());
    run.SetDisplayEnabled(true);
    run.SendPane(record, UPD_ACT_COPY);
    EXPECT_EQ(observer.Panes().size(), 1u);
}
