#include "MainWindowFixture.h"

#include "mainwindow/ProjectCommands.h"
#include "model/CSettings.h"
#include "model/ProjectFile.h"
#include "progress/CDlgSichProgress.h"
#include "progress/CTaskbarProgress.h"
#include "progress/SoundPlayer.h"
#include "support/gui/GuiTestApp.h"

#include <QApplication>
#include <QDir>

namespace {

class SilentSound : public ISoundPlayer {
public:
    void Play(RunSound) override {}
};

class NoTaskbar : public ITaskbarProgress {
public:
    void Show(const RunProgress &) override {}
};

} // namespace

void UseTestEnvironment(const QTemporaryDir &root)
{
    const QString config = root.filePath(QStringLiteral("config"));
    const QString tmp = root.filePath(QStringLiteral("tmp"));
    QDir().mkpath(tmp);
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    qputenv("TMPDIR", tmp.toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", root.filePath(QStringLiteral("system")).toLocal8Bit());
    qunsetenv("U3_APP_DATA_PATH");
    model::InitAppSettings();
}

void MainWindowTest::SetUp()
{
    GuiTestApp();
    ASSERT_TRUE(temp.isValid());
    UseTestEnvironment(temp);
    CreateFrame();
}

void MainWindowTest::TearDown()
{
    if (m_frame)
        m_frame->Doc().SetModified(false);
    m_frame.reset();
    QApplication::processEvents();
}

void MainWindowTest::CreateFrame(const QStringList &recentFiles)
{
    // The window that goes writes its placement, which the new one reads.
    if (m_frame)
        m_frame->Doc().SetModified(false);
    m_frame.reset();
    m_frame = std::make_unique<CMainFrame>(prompts, recentFiles);
    m_frame->Progress().SetSoundPlayer(std::make_unique<SilentSound>());
    m_frame->Progress().SetTaskbar(std::make_unique<NoTaskbar>());
}

QString MainWindowTest::Dir(const QString &name) const
{
    const QString path = temp.filePath(name);
    QDir().mkpath(path);
    return path;
}

QString MainWindowTest::WriteProject(const QString &name, const QList<CListData> &jobs, bool autostart) const
{
    model::CProjectData project;
    project.Jobs = jobs;
    project.Option.Autostart = autostart ? 1 : 0;
    const QString path = temp.filePath(name);
    EXPECT_FALSE(model::SaveProject(path, project).has_value());
    return path;
}

void MainWindowTest::OpenJobs(const QList<CListData> &jobs)
{
    ASSERT_TRUE(Frame().Files().OpenDocumentFile(WriteProject(QStringLiteral("jobs.zelv"), jobs)));
    View().OnTimer();
}

void MainWindowTest::Select(const QList<int> &rows)
{
    List().clearSelection();
    for (int row : rows)
        List().SetRowSelected(row, true);
}

QStringList MainWindowTest::Column(int column) const
{
    QStringList texts;
    for (int row = 0; row < List().rowCount(); ++row)
        texts.append(List().CellText(row, column));
    return texts;
}
