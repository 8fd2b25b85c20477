#include "engine/RunContext.h"
#include "engine/RunController.h"
#include "model/CViewData.h"
#include "resources/Strings.h"
#include "support/RecordingObserver.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <thread>

namespace {

// Empty source and target directories for the jobs of one test.
class JobDirs {
public:
    QString Source(int job) const { return make(QStringLiteral("source%1").arg(job)); }
    QString Target(int job) const { return m_dir.filePath(QStringLiteral("target%1").arg(job)); }

private:
    QString make(const QString &name) const
    {
        QDir(m_dir.path()).mkpath(name);
        return m_dir.filePath(name);
    }
    QTemporaryDir m_dir;
};

// Builds run parameters with one job per entry of `active`, each over empty directories.
void addJobs(CViewData &params, const JobDirs &dirs, std::initializer_list<bool> active)
{
    int row = 0;
    for (bool a : active) {
        auto job = std::make_unique<CListData>();
        job->Active = a ? 1 : 0;
        job->SourceDir = dirs.Source(row);
        job->TargetDir = dirs.Target(row);
        params.Jobs.push_back(std::move(job));
        ++row;
    }
}

// The message lines of a run that carry text (skip-counter events have none).
QStringList textLines(const RecordingObserver &observer)
{
    QStringList texts = observer.MessageTexts();
    texts.removeAll(QString());
    return texts;
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
    JobDirs dirs;
    CViewData params;
    params.ThreadCount = 1;
    addJobs(params, dirs, {true, true, true});
    RecordingObserver observer;
    runHeadless(params, observer);

    const QStringList texts = textLines(observer);
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
    JobDirs dirs;
    CViewData params;
    params.ThreadCount = 3;
    addJobs(params, dirs, {true, true, true, true, true});
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
    EXPECT_EQ(textLines(observer).last(), LoadStr(306));
}

TEST(RunController, InactiveRowsKeepTheirJobNumbers)
{
    JobDirs dirs;
    CViewData params;
    params.ThreadCount = 2;
    addJobs(params, dirs, {false, true, false, true});
    RecordingObserver observer;
    runHeadless(params, observer);

    const QStringList texts = textLines(observer);
    EXPECT_TRUE(texts.contains(startLine(1)));
    EXPECT_TRUE(texts.contains(startLine(3)));
    EXPECT_FALSE(texts.contains(startLine(0)));
    EXPECT_FALSE(texts.contains(startLine(2)));
    std::vector<int> finishedRows;
    for (const auto &[row, text] : observer.JobStatuses()) {
        EXPECT_TRUE(row == 1 || row == 3) << row;
        if (text == QStringLiteral("Fertig: 0 Fehler"))
            finishedRows.push_back(row);
    }
    std::sort(finishedRows.begin(), finishedRows.end());
    EXPECT_EQ(finishedRows, (std::vector<int>{1, 3}));
}

TEST(RunController, NoActiveJobEndsAtOnce)
{
    JobDirs dirs;
    CViewData params;
    addJobs(params, dirs, {false});
    RecordingObserver observer;
    runHeadless(params, observer);

    EXPECT_EQ(textLines(observer), QStringList{LoadStr(306)});
    const std::vector<RunSound> sounds{RunSound::RunEnded, RunSound::EndedWithoutErrors};
    EXPECT_EQ(observer.Sounds(), sounds);
    EXPECT_EQ(observer.Field(RunField::CancelButton), LoadStr(209));
    EXPECT_EQ(observer.Field(RunField::EndTimeLabel), LoadStr(424));
    EXPECT_EQ(observer.Field(RunField::Duration), QStringLiteral("00:00:00"));
    EXPECT_EQ(observer.CloseRequests(), 0);
}

TEST(RunController, CancelWhileAllSlotsAreBusyStartsNoFurtherJob)
{
    JobDirs dirs;
    CViewData params;
    params.ThreadCount = 2;
    addJobs(params, dirs, {true, true, true, true});
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

    const QStringList texts = textLines(observer);
    EXPECT_FALSE(texts.contains(startLine(2)));
    EXPECT_FALSE(texts.contains(startLine(3)));
    EXPECT_EQ(texts.count(LoadStr(364)), 2);
    // The listing reports its own abort before the worker adds the cancel line.
    EXPECT_TRUE(texts.contains(endLine(0, 2)));
    EXPECT_TRUE(texts.contains(endLine(1, 2)));
    EXPECT_EQ(texts.last(), LoadStr(306));
    EXPECT_EQ(run.ErrorCount(), 4);
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
