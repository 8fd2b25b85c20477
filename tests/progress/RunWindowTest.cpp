#include "RunWindowFixture.h"

#include "engine/CProgressData.h"
#include "progress/CFortschrittCtrl.h"
#include "progress/CMessageEdit.h"
#include "progress/CStaticFortschrittControls.h"
#include "progress/GuiRunObserver.h"
#include "progress/ProgressTexts.h"
#include "resources/Strings.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>

#include <thread>

namespace {

// Sends `records` as message or pane events from a thread of its own, as a worker does, while
// the window thread keeps its event loop going.
void sendAsWorker(CDlgSichProgress &dialog, const std::function<void(IRunObserver &)> &send)
{
    SoundLog log;
    FakeSound sound(log);
    GuiRunObserver observer(dialog.Events(), sound, dialog);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        send(observer);
        done = true;
    });
    while (!done)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    worker.join();
}

CProgressData messageRecord(MessageKind kind, const QString &text, int skippedFiles = 0, int skippedDirs = 0)
{
    CProgressData record;
    record.Pane = 0;
    record.Kind = kind;
    record.MessageText = text;
    record.SkippedFiles = skippedFiles;
    record.SkippedDirectories = skippedDirs;
    return record;
}

int right(const QRect &r)
{
    return r.x() + r.width();
}

int bottom(const QRect &r)
{
    return r.y() + r.height();
}

QString actionLine(const CDlgSichProgress &dialog)
{
    return dialog.Controls().Panes.at(0)->Cell(PaneChild::ActionLine).Text();
}

} // namespace

class RunWindowThreads : public RunWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(RunWindowThreads, SizePanesAndLayout)
{
    const int threads = GetParam();
    dialog->Params().ThreadCount = threads;
    AddJob();
    Start();
    QString endTimeAtFirstJob = QStringLiteral("<not seen>");
    AtMessage(StartLine(0), [&] { endTimeAtFirstJob = FieldText("endTimeField"); });

    EXPECT_EQ(dialog->size(), QSize(700, threads * 150 + 250));
    EXPECT_EQ(dialog->windowTitle(), LoadStr(kTextWindowCaption));
    EXPECT_EQ(dialog->Controls().Panes.size(), threads);
    for (int i = 1; i <= 3; ++i) {
        const auto *pane = dialog->findChild<CFortschrittCtrl *>(QStringLiteral("pane%1").arg(i));
        EXPECT_EQ(pane != nullptr, i <= threads) << "pane " << i;
    }
    const auto *label = dialog->findChild<QLabel *>(QStringLiteral("endTimeLabel"));
    EXPECT_EQ(label->text(), threads == 1 ? LoadStr(423) : ControlText(1138));

    const ProgressControls &c = dialog->Controls();
    const int lowestPane = bottom(c.Panes.last()->geometry());
    for (const CFortschrittCtrl *pane : c.Panes)
        EXPECT_EQ(right(pane->geometry()), 695);
    EXPECT_EQ(right(c.SummaryBox->geometry()), 695);
    EXPECT_EQ(bottom(c.SummaryBox->geometry()), threads * 150 + 250 - 5);
    EXPECT_EQ(c.SummaryBox->y(), lowestPane + 5);
    EXPECT_EQ(c.MessageFrame->y(), lowestPane + 5);
    EXPECT_EQ(right(c.MessageFrame->geometry()), c.SummaryBox->x() - 5);
    EXPECT_EQ(c.MessageBox->geometry(), c.MessageFrame->geometry().adjusted(10, 15, -10, -10));
    EXPECT_TRUE(c.SummaryBox->geometry().contains(c.CancelButton->geometry())) << "the button moved with its box";

    WaitForRunEnd();
    if (threads > 1) {
        EXPECT_EQ(endTimeAtFirstJob, QString()) << "without an estimate the field stays empty";
    }
    EXPECT_EQ(label->text(), LoadStr(424));
    EXPECT_EQ(c.CancelButton->text(), LoadStr(209));
    const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
    EXPECT_TRUE(time.match(FieldText("startTimeField")).hasMatch()) << FieldText("startTimeField").toStdString();
    EXPECT_TRUE(time.match(FieldText("endTimeField")).hasMatch());
    EXPECT_TRUE(FieldText("durationField").startsWith(QStringLiteral("00:00:")));
    EXPECT_TRUE(dialog->IsWindowOpen()) << "the window stays until the user closes it";
}

INSTANTIATE_TEST_SUITE_P(Threads, RunWindowThreads, ::testing::Values(1, 3));

TEST_F(RunWindowTest, ResizingKeepsTheLayoutRules)
{
    dialog->Params().ThreadCount = 2;
    Start();
    dialog->resize(900, 650);
    QApplication::processEvents();
    const ProgressControls &c = dialog->Controls();
    EXPECT_EQ(right(c.Panes[1]->geometry()), 895);
    EXPECT_EQ(bottom(c.SummaryBox->geometry()), 645);
    EXPECT_EQ(right(c.SummaryBox->geometry()), 895);
    EXPECT_EQ(right(c.MessageFrame->geometry()), c.SummaryBox->x() - 5);
    EXPECT_TRUE(c.SummaryBox->geometry().contains(c.CancelButton->geometry()));
    EXPECT_EQ(c.Panes[1]->Cell(PaneChild::ErrorLine).geometry().x(), 895 - c.Panes[1]->x() - 5 - 90);
}

TEST_F(RunWindowTest, MessageLinesArriveInOrder)
{
    dialog->Params().ThreadCount = 1;
    AddJob();
    AddJob();
    AddJob();
    Start();
    WaitForRunEnd();

    const QStringList lines = BoxLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.last(), LoadStr(306));
    EXPECT_FALSE(lines.contains(QString())) << "no empty lines from trailing line breaks";
    qsizetype previous = -1;
    for (int job = 0; job < 3; ++job) {
        const qsizetype start = lines.indexOf(StartLine(job));
        const qsizetype end = lines.indexOf(EndLine(job, 0));
        ASSERT_GE(start, 0) << job;
        ASSERT_GT(end, start) << job;
        EXPECT_GT(start, previous);
        previous = end;
    }
    EXPECT_EQ(FieldText("errorField"), QStringLiteral("0"));
    EXPECT_TRUE(host.log.contains(QStringLiteral("Status 0 Fertig: 0 Fehler")));
    EXPECT_TRUE(host.log.contains(QStringLiteral("Status 2 Fertig: 0 Fehler")));
}

TEST_F(RunWindowTest, TrailingLineBreaksCollapseToOne)
{
    Start();
    WaitForRunEnd();
    dialog->Controls().MessageBox->Clear();
    sendAsWorker(*dialog, [](IRunObserver &o) {
        o.OnMessageEvent(messageRecord(MessageKind::Information, QStringLiteral("a\r\n\r\n")));
        o.OnMessageEvent(messageRecord(MessageKind::Information, QStringLiteral("b")));
        o.OnMessageEvent(messageRecord(MessageKind::Information, QString()));
        o.OnMessageEvent(messageRecord(MessageKind::Information, QStringLiteral("c\n\r")));
    });
    EXPECT_EQ(dialog->Controls().MessageBox->toPlainText(), QStringLiteral("a\nb\nc\n"));
    EXPECT_EQ(dialog->Controls().MessageBox->CharacterCount(), 9) << "three lines with CR LF each";
}

TEST_F(RunWindowTest, SkipFieldAddsTheSkipCounters)
{
    Start();
    WaitForRunEnd();
    EXPECT_EQ(FieldText("skipField"), QStringLiteral("0 / 0"));
    sendAsWorker(*dialog, [](IRunObserver &o) {
        o.OnMessageEvent(messageRecord(MessageKind::SkipCounters, QString(), 3, 1));
        o.OnMessageEvent(messageRecord(MessageKind::SkipCounters, QString(), 2, 0));
    });
    EXPECT_EQ(FieldText("skipField"), QStringLiteral("5 / 1"));
    EXPECT_EQ(FieldText("errorField"), QStringLiteral("0"));
}

TEST_F(RunWindowTest, ErrorLabelAndFieldTurnRedFromTheFirstError)
{
    Start();
    WaitForRunEnd();
    const auto *label = dialog->findChild<QLabel *>(QStringLiteral("errorLabel"));
    const auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("errorField"));
    const QColor red(200, 0, 0);
    EXPECT_NE(label->palette().color(QPalette::WindowText), red);
    EXPECT_NE(field->palette().color(QPalette::Text), red);

    sendAsWorker(*dialog, [](IRunObserver &o) {
        o.OnMessageEvent(messageRecord(MessageKind::Information, QStringLiteral("Hinweis")));
    });
    EXPECT_NE(field->palette().color(QPalette::Text), red) << "an information line is no error";

    sendAsWorker(*dialog, [](IRunObserver &o) {
        o.OnMessageEvent(messageRecord(MessageKind::Error, QStringLiteral("Fehler eins\r\n")));
    });
    EXPECT_EQ(field->text(), QStringLiteral("1"));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), red);
    EXPECT_EQ(field->palette().color(QPalette::Text), red);

    sendAsWorker(*dialog, [](IRunObserver &o) {
        o.OnMessageEvent(messageRecord(MessageKind::Error, QString()));
    });
    EXPECT_EQ(field->text(), QStringLiteral("2")) << "an error without text still counts";
    EXPECT_EQ(dialog->ErrorCount(), 2);
}

TEST_F(RunWindowTest, PaneEventsFillTheAddressedPaneThroughThePaneRules)
{
    dialog->Params().ThreadCount = 2;
    Start();
    WaitForRunEnd();
    sendAsWorker(*dialog, [](IRunObserver &o) {
        CProgressData record;
        record.Pane = 1;
        record.Mask = UPD_ACT_COPY | UPD_SOURCE | UPD_COUNT_FILE_OF | UPD_BAR1_BYTES | UPD_PCT1_BYTES;
        record.SourcePath = QStringLiteral("/quelle/x.dat");
        record.SelectedFiles = 4;
        record.FilesDone = 1;
        record.TotalBytes = 200;
        record.BytesDone = 50;
        record.ErrorCount = 1;
        o.OnPaneEvent(record);
        record.Pane = 2; // no third pane with two threads
        record.SourcePath = QStringLiteral("/falsch");
        o.OnPaneEvent(record);
    });
    const CFortschrittCtrl &pane = *dialog->Controls().Panes[1];
    EXPECT_EQ(pane.Cell(PaneChild::ActionLine).Text(), LoadStr(203));
    EXPECT_EQ(pane.Cell(PaneChild::SourceLine).Text(), QStringLiteral("/quelle/x.dat"));
    EXPECT_EQ(pane.Cell(PaneChild::CountLine).Text(), QStringLiteral("2 von 4 Datei(en)"));
    EXPECT_EQ(pane.Cell(PaneChild::Percent1).Text(), QStringLiteral("25 %"));
    EXPECT_EQ(pane.Bar1().value(), 25);
    EXPECT_EQ(pane.Cell(PaneChild::ErrorLine).Text(), QStringLiteral("1 Fehler"));
    EXPECT_EQ(pane.Cell(PaneChild::ErrorLine).TextColour(), QColor(200, 0, 0));
    EXPECT_EQ(dialog->Controls().Panes[0]->Cell(PaneChild::SourceLine).Text(), QString());
}

class RunWindowMinimized : public RunWindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RunWindowMinimized, AMinimizedWindowGetsNoPaneEventsButEveryMessage)
{
    const bool minimized = GetParam();
    dialog->Params().StartMinimized = minimized;
    AddJob();
    Start();
    EXPECT_EQ(dialog->isMinimized(), minimized);
    EXPECT_EQ(host.log.contains(QStringLiteral("MinimizeMainWindow")), minimized);
    WaitForRunEnd();

    EXPECT_EQ(actionLine(*dialog), minimized ? QString() : LoadStr(205));
    const QStringList lines = BoxLines();
    EXPECT_TRUE(lines.contains(StartLine(0)));
    EXPECT_TRUE(lines.contains(EndLine(0, 0)));
    EXPECT_EQ(lines.last(), LoadStr(306));
    EXPECT_FALSE(dialog->isMinimized()) << "the end of the run restores the windows";
    EXPECT_FALSE(host.minimized);
}

INSTANTIATE_TEST_SUITE_P(StartMinimized, RunWindowMinimized, ::testing::Bool());

TEST_F(RunWindowTest, MinimizingTheWindowTakesTheMainWindowAlongAndStopsPaneEvents)
{
    AddJob();
    Start();
    WaitForRunEnd();
    CProgressData pane;
    pane.Pane = 0;
    pane.Mask = UPD_ACT_COMPARE;

    dialog->showMinimized();
    QApplication::processEvents();
    EXPECT_TRUE(host.minimized);
    sendAsWorker(*dialog, [&](IRunObserver &o) {
        o.OnPaneEvent(pane);
        o.OnMessageEvent(messageRecord(MessageKind::Information, QStringLiteral("während minimiert")));
    });
    EXPECT_EQ(actionLine(*dialog), LoadStr(205)) << "the pane keeps what it showed";
    EXPECT_EQ(BoxLines().last(), QStringLiteral("während minimiert"));

    dialog->showNormal();
    QApplication::processEvents();
    EXPECT_FALSE(host.minimized);
    EXPECT_EQ(host.log.filter(QStringLiteral("RestoreMainWindow")).size(), 1);
    sendAsWorker(*dialog, [&](IRunObserver &o) { o.OnPaneEvent(pane); });
    EXPECT_EQ(actionLine(*dialog), LoadStr(204));
}

TEST_F(RunWindowTest, ProgressOfAMinimizedMainWindowGoesToItsTitleAndTheTaskbar)
{
    dialog->Params().ThreadCount = 1;
    Start();
    WaitForRunEnd();
    RunProgress progress;
    progress.percent = 37;
    progress.threadCount = 1;
    sendAsWorker(*dialog, [&](IRunObserver &o) { o.OnRunProgress(progress); });
    EXPECT_TRUE(host.log.filter(QStringLiteral("Title")).isEmpty()) << "the main window is not minimised";
    host.minimized = true;
    sendAsWorker(*dialog, [&](IRunObserver &o) { o.OnRunProgress(progress); });
    EXPECT_EQ(host.log.filter(QStringLiteral("Title")), QStringList{QStringLiteral("Title 37 %")});
    ASSERT_GE(taskbar->shown.size(), 2u);
    EXPECT_EQ(taskbar->shown.back().percent, 37);
}
