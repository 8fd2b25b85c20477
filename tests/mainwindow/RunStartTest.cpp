#include "MainWindowFixture.h"

#include "engine/TextFormat.h"
#include "mainwindow/CommandIds.h"
#include "model/ProjectFile.h"
#include "resources/Strings.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QPushButton>

namespace {

class RunStart : public MainWindowTest {
protected:
    CListData Job(const QString &source, const QString &target, qint32 active = 1) const
    {
        CListData data;
        data.Active = active;
        data.SourceDir = source;
        data.TargetDir = target;
        return data;
    }

    QString Missing(const QString &name) const { return temp.filePath(name); }

    // Lets the run's threads and the window work until the run has ended completely.
    void WaitForRunEnd()
    {
        QDeadlineTimer deadline(60000);
        while (Frame().Progress().IsRunInProgress() || Frame().Progress().IsRunThreadAlive()) {
            ASSERT_FALSE(deadline.hasExpired()) << "the run did not end";
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }

    bool ListButtonsEnabled() const
    {
        for (const char *name : {"NewButton", "ChangeButton", "CopyButton", "DeleteButton", "MoveUpButton", "MoveDownButton"}) {
            if (View().findChild<QPushButton *>(QString::fromLatin1(name))->isEnabled())
                return true;
        }
        return false;
    }
};

struct StartCheckCase {
    const char *name;
    int active;       // active jobs, each with an existing source
    int inactiveMissingSource;
    bool activeMissingSource;
    bool activeMissingTarget;
    bool expected;
};

class StartCheck : public RunStart, public ::testing::WithParamInterface<StartCheckCase> {};

TEST_P(StartCheck, DecidesByTheActiveJobsSources)
{
    QList<CListData> jobs;
    for (int i = 0; i < GetParam().active; ++i)
        jobs.append(Job(Dir(QStringLiteral("q%1").arg(i)), Dir(QStringLiteral("z%1").arg(i))));
    for (int i = 0; i < GetParam().inactiveMissingSource; ++i)
        jobs.append(Job(Missing(QStringLiteral("fehlt%1").arg(i)), Dir(QStringLiteral("zi%1").arg(i)), 0));
    if (GetParam().activeMissingSource)
        jobs.append(Job(Missing(QStringLiteral("fehlt-aktiv")), Dir(QStringLiteral("za"))));
    if (GetParam().activeMissingTarget)
        jobs.append(Job(Dir(QStringLiteral("qa")), Missing(QStringLiteral("ziel-fehlt"))));
    OpenJobs(jobs);
    EXPECT_EQ(View().CanStartRun(), GetParam().expected);
    Frame().UpdateCommandStates();
    EXPECT_EQ(Frame().Action(CommandId::Run)->isEnabled(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartCheck,
    ::testing::Values(StartCheckCase{"NoJob", 0, 0, false, false, false},
                      StartCheckCase{"OnlyInactive", 0, 1, false, false, false},
                      StartCheckCase{"OneActive", 1, 0, false, false, true},
                      StartCheckCase{"InactiveMissingSourceDoesNotBlock", 1, 1, false, false, true},
                      StartCheckCase{"MissingTargetDoesNotBlock", 0, 0, false, true, true},
                      StartCheckCase{"ActiveMissingSourceBlocks", 2, 0, true, false, false}),
    [](const ::testing::TestParamInfo<StartCheckCase> &info) { return std::string(info.param.name); });

TEST_F(RunStart, FailedStartCheckShowsMessage314AndStartsNothing)
{
    OpenJobs({Job(Missing(QStringLiteral("fehlt")), Dir(QStringLiteral("z")))});
    Frame().Action(CommandId::Run)->trigger();
    View().StartRun(model::StartKind::User);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Entweder kein aktiver Listeneintrag vorhanden\noder nicht alle "
                                                       "Quellverzeichnisse der aktiven Einträge vorhanden."));
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Stop);
    EXPECT_FALSE(Frame().Progress().IsWindowOpen());
    EXPECT_TRUE(View().IsTimerRunning());
}

TEST_F(RunStart, ThreadCountOutOfRangeStopsTheStartWithAMessage)
{
    model::CProjectData project;
    project.Jobs = {Job(Dir(QStringLiteral("q")), Dir(QStringLiteral("z")))};
    project.Option.ThreadCount = 4;
    const QString path = temp.filePath(QStringLiteral("vier.zelv"));
    ASSERT_FALSE(model::SaveProject(path, project).has_value());
    ASSERT_TRUE(Frame().Files().OpenDocumentFile(path));
    View().StartRun(model::StartKind::User);
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_FALSE(Frame().Progress().IsWindowOpen());
    EXPECT_TRUE(View().IsTimerRunning());
}

TEST_F(RunStart, RunCopiesTheActiveJobsShowsTheirStatusAndFreesTheListAtTheEnd)
{
    const QString source = Dir(QStringLiteral("quelle"));
    const QString target = temp.filePath(QStringLiteral("ziel"));
    QFile file(source + QStringLiteral("/a.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Inhalt");
    file.close();
    OpenJobs({Job(source, target), Job(Missing(QStringLiteral("inaktiv")), target, 0)});
    Select({0});

    View().StartRun(model::StartKind::User);
    ASSERT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(Frame().Progress().IsWindowOpen());
    EXPECT_FALSE(ListButtonsEnabled());
    EXPECT_FALSE(View().IsTimerRunning());
    Frame().UpdateCommandStates();
    EXPECT_FALSE(Frame().Action(CommandId::Run)->isEnabled()) << "one run at a time";
    EXPECT_FALSE(Frame().Action(CommandId::RetryRun)->isEnabled());
    EXPECT_EQ(Frame().Progress().Params().BatchStart, 0);

    WaitForRunEnd();
    EXPECT_TRUE(QFile::exists(target + QStringLiteral("/a.txt")));
    EXPECT_FALSE(List().CellText(0, CViewSich::ColStatus).isEmpty()) << "the run reported the job's status";
    EXPECT_FALSE(ListButtonsEnabled()) << "the list stays locked while the run's window is open";

    Frame().Progress().Cancel();
    EXPECT_FALSE(Frame().Progress().IsWindowOpen());
    EXPECT_TRUE(ListButtonsEnabled());
    EXPECT_TRUE(View().IsTimerRunning());
}

TEST_F(RunStart, CountdownStartMarksTheRunAsBatch)
{
    OpenJobs({Job(Dir(QStringLiteral("q")), temp.filePath(QStringLiteral("z")))});
    prompts.exec = [](QDialog &) { return int(QDialog::Accepted); };
    Frame().OnStartRequest();
    ASSERT_TRUE(Frame().Progress().IsWindowOpen());
    EXPECT_EQ(Frame().Progress().Params().BatchStart, 1);
    WaitForRunEnd();
    Frame().Progress().Cancel();
}

TEST_F(RunStart, RetryRunAsksForTheKopierdateiAndReportsOneThatCannotBeOpened)
{
    OpenJobs({});
    Project().Dateien.RetryListFile = QStringLiteral("/pfad/kopierdatei.txt");
    Frame().Action(CommandId::RetryRun)->trigger();
    EXPECT_EQ(prompts.openFileInitials, QStringList{QStringLiteral("/pfad/kopierdatei.txt")});
    EXPECT_TRUE(prompts.messages.empty()) << "a cancelled dialog starts nothing";

    prompts.openFile = temp.filePath(QStringLiteral("fehlt"));
    Frame().Action(CommandId::RetryRun)->trigger();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.contains(temp.filePath(QStringLiteral("fehlt.txt"))))
        << "a name without extension gets .txt";
    EXPECT_FALSE(Frame().Progress().IsWindowOpen());
}

TEST_F(RunStart, RetryRunCopiesThePairsOfTheKopierdatei)
{
    const QString source = Dir(QStringLiteral("q")) + QStringLiteral("/datei.txt");
    const QString target = Dir(QStringLiteral("z")) + QStringLiteral("/datei.txt");
    QFile data(source);
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.write("x");
    data.close();
    const QString list = temp.filePath(QStringLiteral("kopierdatei.txt"));
    QFile retry(list);
    ASSERT_TRUE(retry.open(QIODevice::WriteOnly));
    const QString line = source + u'|' + target + QStringLiteral("|\r\n");
    retry.write(reinterpret_cast<const char *>(line.utf16()), line.size() * 2);
    retry.close();
    OpenJobs({});
    View().StartRetryRun(list);
    ASSERT_TRUE(Frame().Progress().IsWindowOpen());
    EXPECT_EQ(Frame().Progress().Params().RetryRun, 1);
    WaitForRunEnd();
    Frame().Progress().Cancel();
    EXPECT_TRUE(QFile::exists(target));
}

} // namespace
