#include "RunWindowFixture.h"

#include "progress/ProgressTexts.h"
#include "resources/Strings.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

const QString kUserCancel = QStringLiteral("Abbruch durch den Benutzer.");

} // namespace

TEST_F(RunWindowTest, CancelAnsweredNoLeavesTheRunAlone)
{
    AddJob();
    Start();
    answer = Answer::No;
    AtMessage(StartLine(0), [&] { dialog->Controls().CancelButton->click(); });
    WaitForRunEnd();

    EXPECT_EQ(questions, 1);
    EXPECT_EQ(questionTexts.value(0), LoadStr(208));
    EXPECT_FALSE(BoxLines().contains(kUserCancel));
    EXPECT_TRUE(BoxLines().contains(EndLine(0, 0)));
    EXPECT_EQ(FieldText("errorField"), QStringLiteral("0"));
    EXPECT_EQ(sounds.Played(), (std::vector<RunSound>{RunSound::RunEnded, RunSound::EndedWithoutErrors}));
    EXPECT_TRUE(dialog->IsWindowOpen());
}

TEST_F(RunWindowTest, CancelAnsweredYesFinishesTheRunAndKeepsTheWindow)
{
    dialog->Params().ThreadCount = 1;
    AddJob();
    AddJob();
    Start();
    answer = Answer::Yes;
    AtMessage(StartLine(0), [&] { dialog->Controls().CancelButton->click(); });
    WaitForRunEnd();

    const QStringList lines = BoxLines();
    EXPECT_TRUE(lines.contains(kUserCancel));
    // The interrupted listing may report an error of its own besides the cancel line.
    const int errors = dialog->ErrorCount();
    EXPECT_GE(errors, 1);
    EXPECT_TRUE(lines.contains(EndLine(0, errors)));
    EXPECT_FALSE(lines.contains(StartLine(1))) << "no job starts after cancelling";
    EXPECT_EQ(lines.last(), LoadStr(306));
    EXPECT_EQ(FieldText("errorField"), QString::number(errors));
    EXPECT_EQ(dialog->Controls().CancelButton->text(), LoadStr(209));
    EXPECT_EQ(sounds.Played(), (std::vector<RunSound>{RunSound::RunEnded, RunSound::EndedWithErrors}));
    EXPECT_TRUE(dialog->IsWindowOpen());
    EXPECT_FALSE(host.log.contains(QStringLiteral("EnableView")));

    dialog->Controls().CancelButton->click();
    EXPECT_EQ(questions, 1) << "after the run the button closes without asking";
    EXPECT_FALSE(dialog->IsWindowOpen());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(host.log.contains(QStringLiteral("EnableView")));
    EXPECT_FALSE(host.log.contains(QStringLiteral("CloseMainWindow")));
    EXPECT_TRUE(dialog->Params().Jobs.empty());
    ASSERT_FALSE(taskbar->shown.empty());
    EXPECT_EQ(taskbar->shown.back().state, RunProgress::Over);
    EXPECT_TRUE(dialog->CanStartRun());
}

TEST_F(RunWindowTest, EscapeAndTheCloseBoxAskWhileRunningEnterDoesNothing)
{
    AddJob();
    Start();
    answer = Answer::No;
    AtMessage(StartLine(0), [&] {
        QTest::keyClick(dialog.get(), Qt::Key_Return);
        QTest::keyClick(dialog.get(), Qt::Key_Enter);
        EXPECT_EQ(questions, 0);
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        EXPECT_EQ(questions, 1);
        dialog->close();
        EXPECT_EQ(questions, 2);
        EXPECT_TRUE(dialog->isVisible());
    });
    WaitForRunEnd();
    EXPECT_EQ(questions, 2);

    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_TRUE(dialog->IsWindowOpen()) << "Enter does not close the window";
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->IsWindowOpen()) << "Escape closes it after the run";
    EXPECT_EQ(questions, 2);
}

TEST_F(RunWindowTest, ExitAfterCopyEndsTheProgramWithoutTheSaveQuestion)
{
    dialog->Params().ExitAfterCopy = true;
    AddJob();
    Start();
    WaitForRunEnd();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->IsWindowOpen(); }, 10000));

    EXPECT_EQ(questions, 0);
    const QStringList ends = host.log.filter(QRegularExpression(QStringLiteral("^(Clear|Close|Enable)")));
    EXPECT_EQ(ends, (QStringList{QStringLiteral("ClearDocumentModified"), QStringLiteral("CloseMainWindow"),
                                 QStringLiteral("EnableView")}));
    EXPECT_EQ(sounds.Played().size(), 2u) << "the sounds come before the close";
    EXPECT_FALSE(host.log.contains(QStringLiteral("RestoreMainWindow")));
}

struct ShutdownRow {
    const char *name;
    bool reboot;
    const char *action;
    int message;
};

void PrintTo(const ShutdownRow &row, std::ostream *os)
{
    *os << row.name;
}

class RunWindowShutdown : public RunWindowTest, public ::testing::WithParamInterface<ShutdownRow> {};

TEST_P(RunWindowShutdown, ShutdownClosesTheWindowRegistersTheStatusAndKeepsTheMainWindow)
{
    const ShutdownRow &row = GetParam();
    dialog->Params().ShutdownAfterCopy = true;
    dialog->Params().RebootAfterShutdown = row.reboot;
    dialog->Params().ShowStatusAtNextStart = true;
    AddJob();
    Start();
    EXPECT_TRUE(dialog->Params().ExitAfterCopy) << "a shutdown implies ending the program";
    answer = Answer::Yes;
    AtMessage(StartLine(0), [&] { dialog->Controls().CancelButton->click(); });
    WaitForRunEnd();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->IsWindowOpen(); }, 10000));

    const QStringList ends = host.log.filter(QRegularExpression(QStringLiteral("^(Register|Clear|Close|Enable|Start)")));
    ASSERT_GE(dialog->ErrorCount(), 1);
    EXPECT_EQ(ends, (QStringList{QStringLiteral("RegisterStatusMessage %1").arg(dialog->ErrorCount()),
                                 QStringLiteral("ClearDocumentModified"),
                                 QStringLiteral("EnableView"),
                                 QStringLiteral("StartShutdown %1 %2")
                                     .arg(QString::fromLatin1(row.action), LoadStr(row.message))}));
}

INSTANTIATE_TEST_SUITE_P(Kinds, RunWindowShutdown,
                         ::testing::Values(ShutdownRow{"PowerOff", false, "poweroff", 377},
                                           ShutdownRow{"Reboot", true, "reboot", 376}),
                         [](const ::testing::TestParamInfo<ShutdownRow> &info) { return std::string(info.param.name); });

// The question is still open when the run ends and asks the window to close: the answer no
// longer cancels anything, and the window closes once the question is gone.
TEST_F(RunWindowTest, ACloseRequestWaitsForAnOpenQuestion)
{
    dialog->Params().ExitAfterCopy = true;
    AddJob();
    Start();
    answer = Answer::Yes;
    bool openWhenAnswered = false;
    whileAsking = [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->IsRunThreadAlive(); }, 100000));
        QApplication::processEvents();
        openWhenAnswered = dialog->IsWindowOpen();
    };
    QTimer::singleShot(0, dialog.get(), [&] { dialog->Cancel(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return questions == 1 && !dialog->IsWindowOpen(); }, 100000));

    EXPECT_TRUE(openWhenAnswered);
    EXPECT_EQ(dialog->ErrorCount(), 0) << "the late Ja cancelled nothing";
    EXPECT_EQ(host.log.count(QStringLiteral("CloseMainWindow")), 1);
}

TEST_F(RunWindowTest, CreatingAgainClosesTheFinishedWindowFirst)
{
    AddJob();
    Start();
    EXPECT_FALSE(dialog->CanStartRun());
    EXPECT_EQ(dialog->Create(), CDlgSichProgress::CreateResult::PreviousRunEnding);
    WaitForRunEnd();
    EXPECT_FALSE(dialog->CanStartRun()) << "the window is still open";

    AddJob();
    Start();
    EXPECT_EQ(host.log.count(QStringLiteral("EnableView")), 1);
    EXPECT_EQ(FieldText("errorField"), QStringLiteral("0"));
    EXPECT_TRUE(BoxLines().isEmpty()) << "a new window starts with an empty message box";
    WaitForRunEnd();
    EXPECT_TRUE(BoxLines().contains(StartLine(0)));
}

// Should the window object go while its run is in progress, the run is cancelled and its end
// awaited without a deadlock, although run threads may be waiting for the window right then.
TEST_F(RunWindowTest, DestroyingTheWindowDuringARunCancelsAndAwaitsIt)
{
    dialog->Params().ThreadCount = 3;
    AddJob();
    AddJob();
    AddJob();
    Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return BoxLines().contains(StartLine(0)); }, 100000));
    ASSERT_TRUE(dialog->IsRunInProgress());
    dialog.reset();
    EXPECT_TRUE(sounds.Played().empty()) << "a run without its window ends silently";
    EXPECT_FALSE(host.log.contains(QStringLiteral("EnableView")));
}
