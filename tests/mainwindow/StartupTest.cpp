#include "MainWindowFixture.h"

#include "mainwindow/CZelvaronApp.h"
#include "model/CSettings.h"
#include "model/ProjectFile.h"
#include "resources/Strings.h"
#include "support/gui/GuiTestApp.h"
#include "unattended/CDlgMessage.h"
#include "unattended/StatusAutostartEntry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        GuiTestApp();
        ASSERT_TRUE(temp.isValid());
        UseTestEnvironment(temp);
    }

    void TearDown() override
    {
        if (app && app->MainFrame())
            app->MainFrame()->Doc().SetModified(false);
        app.reset();
        QApplication::processEvents();
    }

    // Starts the program with `arguments` and lets the posted requests arrive.
    CZelvaronApp::StartResult Start(const QStringList &arguments)
    {
        app = std::make_unique<CZelvaronApp>(prompts);
        const CZelvaronApp::StartResult result = app->InitInstance(arguments);
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        return result;
    }

    QString Project(bool autostart)
    {
        model::CProjectData project;
        CListData job;
        job.SourceDir = temp.filePath(QStringLiteral("fehlt"));
        job.TargetDir = temp.filePath(QStringLiteral("ziel"));
        project.Jobs.append(job);
        project.Option.Autostart = autostart ? 1 : 0;
        const QString path = temp.filePath(autostart ? QStringLiteral("auto.zelv") : QStringLiteral("hand.zelv"));
        EXPECT_FALSE(model::SaveProject(path, project).has_value());
        return path;
    }

    qsizetype Countdowns() const { return prompts.dialogs.count(QStringLiteral("CDlgBatchFenster")); }

    QTemporaryDir temp;
    ScriptedPrompts prompts;
    std::unique_ptr<CZelvaronApp> app;
};

struct StatusCase {
    const char *name;
    QStringList arguments;
    CDlgMessage::Mode mode;
    QString text;
};

class StatusStart : public Startup, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusStart, ShowsOnlyTheStatusWindow)
{
    std::optional<CDlgMessage::Mode> mode;
    QString text;
    prompts.exec = [&](QDialog &dialog) {
        if (auto *message = dynamic_cast<CDlgMessage *>(&dialog)) {
            mode = message->GetMode();
            text = message->Text();
        }
        return int(QDialog::Accepted);
    };
    QStringList arguments = GetParam().arguments;
    arguments.append(Project(true));
    EXPECT_EQ(Start(arguments), CZelvaronApp::StartResult::StatusShown);
    EXPECT_EQ(prompts.dialogs, QStringList{QStringLiteral("CDlgMessage")});
    EXPECT_EQ(app->MainFrame(), nullptr);
    ASSERT_TRUE(mode.has_value());
    EXPECT_EQ(*mode, GetParam().mode);
    EXPECT_EQ(text, GetParam().text);
}

TEST_F(Startup, StatusStartRemovesTheAutostartEntrySoThatTheStatusShowsOnce)
{
    const QString entry = StatusAutostartEntry::UserPath();
    ASSERT_TRUE(entry.startsWith(temp.path()));
    QDir().mkpath(QFileInfo(entry).path());
    QFile(entry).open(QIODevice::WriteOnly);
    Start({QStringLiteral("/msg_ok=Keine Fehler.")});
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_TRUE(prompts.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatusStart,
    ::testing::Values(
        StatusCase{"ErrorText", {QStringLiteral("/msg_feh=Fehler")}, CDlgMessage::Mode::Error, QStringLiteral("Fehler")},
        StatusCase{"OkText", {QStringLiteral("/MSG_OK=Sicherung vom 1.1.2026\r\n\r\nKeine Fehler.")}, CDlgMessage::Mode::Ok,
                   QStringLiteral("Sicherung vom 1.1.2026\r\n\r\nKeine Fehler.")},
        StatusCase{"OkWinsOverError", {QStringLiteral("/msg_feh=rot"), QStringLiteral("-msg_ok=gruen")}, CDlgMessage::Mode::Ok,
                   QStringLiteral("gruen")},
        StatusCase{"WithBatch", {QStringLiteral("/BATCH"), QStringLiteral("/msg_feh=3 Fehler.")}, CDlgMessage::Mode::Error,
                   QStringLiteral("3 Fehler.")}),
    [](const ::testing::TestParamInfo<StatusCase> &info) { return std::string(info.param.name); });

struct CountdownCase {
    const char *name;
    QStringList switches;
    enum class ProjectKind { None, Manual, Autostart } project;
    int countdowns;
};

class CountdownStart : public Startup, public ::testing::WithParamInterface<CountdownCase> {};

TEST_P(CountdownStart, PostsTheStartRequestOnce)
{
    QStringList arguments = GetParam().switches;
    if (GetParam().project != CountdownCase::ProjectKind::None)
        arguments.append(Project(GetParam().project == CountdownCase::ProjectKind::Autostart));
    ASSERT_EQ(Start(arguments), CZelvaronApp::StartResult::MainWindow);
    ASSERT_NE(app->MainFrame(), nullptr);
    EXPECT_TRUE(app->MainFrame()->isVisible());
    EXPECT_EQ(Countdowns(), GetParam().countdowns);
    EXPECT_FALSE(app->BatchFlag());
    EXPECT_EQ(app->MainFrame()->Doc().Project().Jobs.size(), GetParam().project == CountdownCase::ProjectKind::None ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CountdownStart,
    ::testing::Values(
        CountdownCase{"Nothing", {}, CountdownCase::ProjectKind::None, 0},
        CountdownCase{"ProjectOnly", {}, CountdownCase::ProjectKind::Manual, 0},
        CountdownCase{"BatchAndProject", {QStringLiteral("/BATCH")}, CountdownCase::ProjectKind::Manual, 1},
        CountdownCase{"BatchAndAutostartGiveOne", {QStringLiteral("/BATCH")}, CountdownCase::ProjectKind::Autostart, 1},
        CountdownCase{"AutostartOnly", {}, CountdownCase::ProjectKind::Autostart, 1},
        CountdownCase{"LowerCaseBatchAlone", {QStringLiteral("/batch")}, CountdownCase::ProjectKind::None, 1},
        CountdownCase{"DashBatchxCounts", {QStringLiteral("-batchx")}, CountdownCase::ProjectKind::None, 1},
        CountdownCase{"OtherSwitchIsNoBatch", {QStringLiteral("-bat")}, CountdownCase::ProjectKind::None, 0}),
    [](const ::testing::TestParamInfo<CountdownCase> &info) { return std::string(info.param.name); });

TEST_F(Startup, CountdownToTheEndStartsTheRunWhichStopsAtTheStartCheckForAnEmptyProject)
{
    prompts.exec = [](QDialog &dialog) { return dialog.objectName() == QStringLiteral("CDlgBatchFenster") ? 1 : 0; };
    Start({QStringLiteral("/batch")});
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, LoadStr(314));
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Stop);
    EXPECT_FALSE(app->MainFrame()->Progress().IsWindowOpen());
}

TEST_F(Startup, CancelledCountdownStartsNothing)
{
    Start({QStringLiteral("/BATCH"), Project(true)});
    EXPECT_EQ(Countdowns(), 1);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(app->MainFrame()->Progress().IsWindowOpen());
}

TEST_F(Startup, OpeningAnAutostartProjectLaterShowsTheCountdownAgain)
{
    Start({});
    ASSERT_EQ(Countdowns(), 0);
    ASSERT_TRUE(app->MainFrame()->Files().OpenDocumentFile(Project(true)));
    QApplication::processEvents();
    EXPECT_EQ(Countdowns(), 1);
}

TEST_F(Startup, ProjectThatCannotBeOpenedLeavesTheNewProjectAndBatchStillCounts)
{
    const QString missing = temp.filePath(QStringLiteral("gibt-es-nicht.zelv"));
    Start({QStringLiteral("/BATCH"), missing});
    ASSERT_NE(app->MainFrame(), nullptr);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.contains(missing));
    EXPECT_TRUE(app->MainFrame()->Doc().PathName().isEmpty());
    EXPECT_EQ(Countdowns(), 1);
}

TEST_F(Startup, RecentFilesComeFromTheSettingsAndGoBackAtTheEnd)
{
    const QString first = Project(false);
    model::AppSettings().WriteRecentFiles({QStringLiteral("/alt/eins.zelv")});
    Start({first});
    EXPECT_EQ(app->MainFrame()->Files().RecentFiles(), (QStringList{first, QStringLiteral("/alt/eins.zelv")}));
    app->ExitInstance();
    EXPECT_EQ(model::AppSettings().RecentFiles(), (QStringList{first, QStringLiteral("/alt/eins.zelv")}));
}

TEST_F(Startup, RelativeProjectPathOpensFromTheCurrentFolder)
{
    const QString path = Project(false);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(temp.path());
    Start({QStringLiteral("hand.zelv")});
    QDir::setCurrent(previous);
    EXPECT_EQ(app->MainFrame()->Doc().PathName(), path);
}

} // namespace
