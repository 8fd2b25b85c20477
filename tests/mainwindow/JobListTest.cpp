#include "MainWindowFixture.h"

#include "controls/CMyListButtonControl.h"
#include "controls/CMyListEditControl.h"
#include "mainwindow/CDlgNeuAen.h"
#include "mainwindow/JobButtonStates.h"
#include "model/ProjectFile.h"
#include "resources/Strings.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

CListData job(const QString &source, const QString &target, qint32 active = 1, qint32 subdirs = 1)
{
    CListData data;
    data.Active = active;
    data.WithSubdirs = subdirs;
    data.SourceDir = source;
    data.TargetDir = target;
    return data;
}

QList<CListData> threeJobs()
{
    return {job(QStringLiteral("/q/a"), QStringLiteral("/z/a")), job(QStringLiteral("/q/b"), QStringLiteral("/z/b"), 0, 0),
            job(QStringLiteral("/q/c"), QStringLiteral("/z/c"))};
}

class JobList : public MainWindowTest {
protected:
    void ShowActive()
    {
        Frame().show();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }

    void Click(int row, int column)
    {
        QTest::mouseClick(List().viewport(), Qt::LeftButton, Qt::NoModifier, List().CellRect(row, column).center());
        QApplication::processEvents();
    }

    QPushButton *Button(const char *name) const
    {
        return View().findChild<QPushButton *>(QString::fromLatin1(name));
    }

    QStringList Sources() const { return Column(CViewSich::ColSource); }
};

TEST_F(JobList, OpenedProjectFillsTheListRowByRow)
{
    OpenJobs(threeJobs());
    EXPECT_EQ(Column(CViewSich::ColJob), (QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(Column(CViewSich::ColActive), (QStringList{QStringLiteral("Ja"), QStringLiteral("Nein"), QStringLiteral("Ja")}));
    EXPECT_EQ(Column(CViewSich::ColSubdirs), (QStringList{QStringLiteral("Ja"), QStringLiteral("Nein"), QStringLiteral("Ja")}));
    EXPECT_EQ(Sources(), (QStringList{QStringLiteral("/q/a"), QStringLiteral("/q/b"), QStringLiteral("/q/c")}));
    EXPECT_EQ(Column(CViewSich::ColTarget), (QStringList{QStringLiteral("/z/a"), QStringLiteral("/z/b"), QStringLiteral("/z/c")}));
    EXPECT_EQ(List().horizontalHeaderItem(CViewSich::ColTarget)->text(), LoadStr(5795));
}

TEST_F(JobList, SecondClickOpensTheEditorAndEscapeKeepsTheTextAndTheProject)
{
    OpenJobs(threeJobs());
    ShowActive();
    Click(1, CViewSich::ColSource);
    ASSERT_EQ(List().ActiveEditor(), nullptr);
    Click(1, CViewSich::ColSource);
    auto *edit = dynamic_cast<CMyListEditControl *>(List().ActiveEditor());
    ASSERT_NE(edit, nullptr);
    edit->setText(QStringLiteral("/anders"));
    QTest::keyClick(edit, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(List().CellText(1, CViewSich::ColSource), QStringLiteral("/q/b"));
    EXPECT_EQ(Project().Jobs[1].SourceDir, QStringLiteral("/q/b"));
    EXPECT_FALSE(Frame().Doc().IsModified());
}

TEST_F(JobList, CommittedTextGoesIntoTheProjectAndMarksItModified)
{
    OpenJobs(threeJobs());
    ShowActive();
    Click(2, CViewSich::ColTarget);
    Click(2, CViewSich::ColTarget);
    auto *edit = dynamic_cast<CMyListEditControl *>(List().ActiveEditor());
    ASSERT_NE(edit, nullptr);
    edit->setText(QStringLiteral("/neu/ziel"));
    Button("NewButton")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(Project().Jobs[2].TargetDir, QStringLiteral("/neu/ziel"));
    EXPECT_TRUE(Frame().Doc().IsModified());
}

TEST_F(JobList, LowerCaseJaStartsCheckedAndIsWrittenBackAsJa)
{
    OpenJobs(threeJobs());
    ShowActive();
    List().SetCellText(1, CViewSich::ColSubdirs, QStringLiteral("ja"));
    Click(1, CViewSich::ColSubdirs);
    Click(1, CViewSich::ColSubdirs);
    auto *box = dynamic_cast<CMyListButtonControl *>(List().ActiveEditor());
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isChecked());
    Button("NewButton")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(List().CellText(1, CViewSich::ColSubdirs), QStringLiteral("Ja"));
    EXPECT_EQ(Project().Jobs[1].WithSubdirs, 1);
    EXPECT_TRUE(Frame().Doc().IsModified()) << "every commit marks the project modified";
}

TEST_F(JobList, UnchangedCommitStillMarksTheProjectModified)
{
    OpenJobs(threeJobs());
    ShowActive();
    Click(0, CViewSich::ColActive);
    Click(0, CViewSich::ColActive);
    ASSERT_NE(List().ActiveEditor(), nullptr);
    QTest::keyClick(&List().ActiveEditor()->Widget(), Qt::Key_Return);
    EXPECT_EQ(Project().Jobs[0], threeJobs()[0]);
    EXPECT_TRUE(Frame().Doc().IsModified());
}

TEST_F(JobList, SaveQuestionKnowsOfACellStillBeingEdited)
{
    OpenJobs(threeJobs());
    ShowActive();
    Click(0, CViewSich::ColSource);
    Click(0, CViewSich::ColSource);
    auto *edit = dynamic_cast<CMyListEditControl *>(List().ActiveEditor());
    ASSERT_NE(edit, nullptr);
    edit->setText(QStringLiteral("/noch/im/editor"));
    prompts.saveChoice = SaveChoice::Save;
    Frame().Files().OnFileNew();
    ASSERT_EQ(prompts.saveQuestions.size(), 1);
    model::CProjectData saved;
    ASSERT_FALSE(model::LoadProject(temp.filePath(QStringLiteral("jobs.zelv")), saved).has_value());
    EXPECT_EQ(saved.Jobs[0].SourceDir, QStringLiteral("/noch/im/editor"));
    EXPECT_TRUE(Project().Jobs.isEmpty());
}

TEST(JobButtonStates, FollowTheSelection)
{
    const struct {
        int selected;
        int rows;
        JobButtonStates expected;
    } table[] = {
        {0, 0, {false, false, false, false, false, false}},
        {0, 3, {false, false, false, true, false, false}},
        {1, 3, {true, true, true, true, true, true}},
        {2, 3, {false, false, true, true, true, true}},
        {3, 3, {false, false, true, true, true, true}},
    };
    for (const auto &row : table)
        EXPECT_EQ(JobButtonStates::For(row.selected, row.rows), row.expected) << row.selected << "/" << row.rows;
}

TEST_F(JobList, TimerSetsTheButtonsBySelection)
{
    const auto enabled = [this] {
        QStringList names;
        for (const char *name : {"ChangeButton", "CopyButton", "DeleteButton", "TestButton", "MoveUpButton", "MoveDownButton"}) {
            if (Button(name)->isEnabled())
                names.append(QString::fromLatin1(name));
        }
        return names;
    };
    View().OnTimer();
    EXPECT_EQ(enabled(), QStringList());
    OpenJobs(threeJobs());
    Select({});
    View().OnTimer();
    EXPECT_EQ(enabled(), QStringList{QStringLiteral("TestButton")});
    Select({1});
    View().OnTimer();
    EXPECT_EQ(enabled().size(), 6);
    Select({0, 2});
    View().OnTimer();
    EXPECT_EQ(enabled(), (QStringList{QStringLiteral("DeleteButton"), QStringLiteral("TestButton"),
                                      QStringLiteral("MoveUpButton"), QStringLiteral("MoveDownButton")}));
    EXPECT_TRUE(Button("NewButton")->isEnabled());
}

struct MoveCase {
    const char *name;
    bool up;
    QList<int> selected;
    QStringList sources;
    QList<int> selectedAfter;
};

class JobMoves : public JobList, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(JobMoves, MoveTheJobsAndTheSelectionWithThem)
{
    OpenJobs(threeJobs());
    View().SetJobStatus(0, QStringLiteral("erste"));
    Select(GetParam().selected);
    GetParam().up ? View().OnMoveUp() : View().OnMoveDown();
    EXPECT_EQ(Sources(), GetParam().sources);
    QStringList projectSources;
    for (const CListData &data : Project().Jobs)
        projectSources.append(data.SourceDir);
    EXPECT_EQ(projectSources, GetParam().sources);
    EXPECT_EQ(List().SelectedRows(), GetParam().selectedAfter);
    EXPECT_EQ(List().CellText(0, CViewSich::ColStatus), QStringLiteral("erste")) << "the status stays with its row";
    const bool moved = GetParam().sources != (QStringList{QStringLiteral("/q/a"), QStringLiteral("/q/b"), QStringLiteral("/q/c")});
    EXPECT_EQ(Frame().Doc().IsModified(), moved);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JobMoves,
    ::testing::Values(
        MoveCase{"Rows0And2UpChangeNothing", true, {0, 2}, {QStringLiteral("/q/a"), QStringLiteral("/q/b"), QStringLiteral("/q/c")}, {0, 2}},
        MoveCase{"Row2Up", true, {2}, {QStringLiteral("/q/a"), QStringLiteral("/q/c"), QStringLiteral("/q/b")}, {1}},
        MoveCase{"Rows1And2Up", true, {1, 2}, {QStringLiteral("/q/b"), QStringLiteral("/q/c"), QStringLiteral("/q/a")}, {0, 1}},
        MoveCase{"Rows1And2DownChangeNothing", false, {1, 2}, {QStringLiteral("/q/a"), QStringLiteral("/q/b"), QStringLiteral("/q/c")}, {1, 2}},
        MoveCase{"Rows0And1DownMoveBoth", false, {0, 1}, {QStringLiteral("/q/c"), QStringLiteral("/q/a"), QStringLiteral("/q/b")}, {1, 2}}),
    [](const ::testing::TestParamInfo<MoveCase> &info) { return std::string(info.param.name); });

TEST_F(JobList, DeleteAsksWithTheCountAndRemovesOnlyOnYes)
{
    OpenJobs(threeJobs());
    Select({0, 2});
    prompts.yesNo = YesNo::No;
    View().OnDelete();
    ASSERT_EQ(prompts.questions, QStringList{QStringLiteral("Sollen die 2 Einträge aus der Liste entfernt werden ?")});
    EXPECT_EQ(List().rowCount(), 3);
    EXPECT_FALSE(Frame().Doc().IsModified());

    View().SetJobStatus(1, QStringLiteral("mitte"));
    prompts.yesNo = YesNo::Yes;
    View().OnDelete();
    EXPECT_EQ(Sources(), QStringList{QStringLiteral("/q/b")});
    EXPECT_EQ(Project().Jobs.size(), 1);
    EXPECT_EQ(List().CellText(0, CViewSich::ColStatus), QStringLiteral("mitte"));
    EXPECT_TRUE(Frame().Doc().IsModified());
    View().OnTimer();
    EXPECT_EQ(Column(CViewSich::ColJob), QStringList{QStringLiteral("0")}) << "renumbered by the timer";
}

TEST_F(JobList, WithoutSelectionChangeCopyAndDeleteDoNothing)
{
    OpenJobs(threeJobs());
    Select({});
    View().OnChange();
    View().OnCopy();
    View().OnDelete();
    EXPECT_TRUE(prompts.dialogs.isEmpty());
    EXPECT_TRUE(prompts.questions.isEmpty());
}

TEST_F(JobList, NewOpensWithBothBoxesTickedAndEmptyDirectoriesAndAppendsTheJob)
{
    OpenJobs(threeJobs());
    prompts.exec = [](QDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Neu"));
        EXPECT_TRUE(dialog.findChild<QCheckBox *>(QStringLiteral("Active"))->isChecked());
        EXPECT_TRUE(dialog.findChild<QCheckBox *>(QStringLiteral("WithSubdirs"))->isChecked());
        EXPECT_TRUE(dialog.findChild<QLineEdit *>(QStringLiteral("SourceDir"))->text().isEmpty());
        EXPECT_TRUE(dialog.findChild<QLineEdit *>(QStringLiteral("TargetDir"))->text().isEmpty());
        return int(QDialog::Accepted);
    };
    View().OnNew();
    ASSERT_EQ(Project().Jobs.size(), 4);
    EXPECT_EQ(Project().Jobs[3], job(QString(), QString())) << "nothing is validated";
    EXPECT_EQ(List().rowCount(), 4);
    EXPECT_TRUE(Frame().Doc().IsModified());
}

TEST_F(JobList, ChangeShowsTheSelectedJobAndRewritesItsRow)
{
    OpenJobs(threeJobs());
    Select({1});
    prompts.exec = [](QDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Ändern"));
        EXPECT_FALSE(dialog.findChild<QCheckBox *>(QStringLiteral("Active"))->isChecked());
        auto *source = dialog.findChild<QLineEdit *>(QStringLiteral("SourceDir"));
        EXPECT_EQ(source->text(), QStringLiteral("/q/b"));
        source->setText(QStringLiteral("/q/geaendert"));
        dialog.findChild<QCheckBox *>(QStringLiteral("Active"))->setChecked(true);
        return int(QDialog::Accepted);
    };
    View().OnChange();
    EXPECT_EQ(Project().Jobs[1], job(QStringLiteral("/q/geaendert"), QStringLiteral("/z/b"), 1, 0));
    EXPECT_EQ(List().CellText(1, CViewSich::ColActive), QStringLiteral("Ja"));
    EXPECT_EQ(Project().Jobs.size(), 3);
}

TEST_F(JobList, CopyAppendsTheEditedCopyAndCancelChangesNothing)
{
    OpenJobs(threeJobs());
    Select({0});
    View().OnCopy();
    EXPECT_EQ(Project().Jobs.size(), 3) << "the dialog was cancelled";
    prompts.exec = [](QDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Kopieren"));
        dialog.findChild<QLineEdit *>(QStringLiteral("TargetDir"))->setText(QStringLiteral("/z/kopie"));
        return int(QDialog::Accepted);
    };
    View().OnCopy();
    ASSERT_EQ(Project().Jobs.size(), 4);
    EXPECT_EQ(Project().Jobs[0], threeJobs()[0]);
    EXPECT_EQ(Project().Jobs[3], job(QStringLiteral("/q/a"), QStringLiteral("/z/kopie")));
}

TEST_F(JobList, JobEntryPickersUseTheirTitlesAndStartFolders)
{
    prompts.folder = QStringLiteral("/gewaehlt");
    CDlgNeuAen dialog(CDlgNeuAen::Mode::Change, job(QStringLiteral("/q/a/"), QStringLiteral("/z/a")), prompts);
    dialog.OnBrowseSource();
    prompts.folder.reset();
    dialog.OnBrowseTarget();
    EXPECT_EQ(prompts.folderTitles, (QStringList{QStringLiteral("Verzeichnis der Quelldateien aussuchen"),
                                                 QStringLiteral("Verzeichnis der Zieldateien aussuchen")}));
    EXPECT_EQ(prompts.folderStarts, (QStringList{QStringLiteral("/q/a"), QStringLiteral("/z/a")}));
    EXPECT_EQ(dialog.Job().SourceDir, QStringLiteral("/gewaehlt"));
    EXPECT_EQ(dialog.Job().TargetDir, QStringLiteral("/z/a")) << "a cancelled picker keeps the field";
}

TEST_F(JobList, ModifiedMarkerFollowsTheProject)
{
    OpenJobs(threeJobs());
    const QString base = Frame().BaseTitle();
    EXPECT_EQ(base, QStringLiteral("jobs.zelv - Zelvaron"));
    View().OnTimer();
    EXPECT_EQ(Frame().windowTitle(), base);
    Select({0});
    prompts.yesNo = YesNo::Yes;
    View().OnDelete();
    View().OnTimer();
    EXPECT_EQ(Frame().windowTitle(), base + QStringLiteral("  (*)"));
    View().OnTimer();
    EXPECT_EQ(Frame().windowTitle(), base + QStringLiteral("  (*)")) << "the marker is added once";
    ASSERT_TRUE(Frame().Files().OnFileSave());
    View().OnTimer();
    EXPECT_EQ(Frame().windowTitle(), base);
}

TEST_F(JobList, RunStatusTextsFillTheStatusColumn)
{
    OpenJobs(threeJobs());
    IProgressHost &host = Frame();
    host.ShowJobStatus(2, QStringLiteral("45 %"));
    EXPECT_EQ(Column(CViewSich::ColStatus), (QStringList{QString(), QString(), QStringLiteral("45 %")}));
}

} // namespace
