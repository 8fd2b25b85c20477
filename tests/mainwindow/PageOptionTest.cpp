#include "PageTestSupport.h"

#include "controls/CUpDownCtrl.h"
#include "engine/TextFormat.h"
#include "mainwindow/PageOption.h"
#include "resources/Strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

using Group = model::CPageOption;

struct CheckField {
    int id;
    qint32 Group::*field;
};

const CheckField kCheckFields[] = {
    {2011, &Group::OnlyArchiveBit},        {2012, &Group::ResetArchiveBit},
    {2013, &Group::CompareAfterCopy},      {2014, &Group::AppendDateToTarget},
    {2015, &Group::DeleteTargetOnError},   {2044, &Group::ScanOnly},
    {2054, &Group::OnlyExistingInTarget},  {2055, &Group::OnlyMissingInTarget},
    {2059, &Group::DeleteSourceAfterCopy}, {2060, &Group::Autostart},
    {2020, &Group::StartMinimized},        {2021, &Group::ExitAfterCopy},
    {2057, &Group::ShutdownAfterCopy},     {2058, &Group::RebootAfterShutdown},
    {2068, &Group::LongFileNames},         {2045, &Group::CopyDirectoryRights},
    {2046, &Group::DirectoriesOnly},       {1132, &Group::ShowStatusAtNextStart},
    {1134, &Group::DeleteEmptyTargetDirs}, {1135, &Group::IncludeRootDir},
};

const QDateTime kFirstOfMarch(QDate(2015, 3, 1), QTime(14, 5, 9));

class PageOptionTest : public PageTest {
protected:
    ui::CPageOption &Page()
    {
        if (!m_page)
            m_page = std::make_unique<ui::CPageOption>(Environment(), kFirstOfMarch);
        return *m_page;
    }
    QCheckBox &Box(int id) { return Find<QCheckBox>(Page(), id); }
    QLineEdit &Edit(int id) { return Find<QLineEdit>(Page(), id); }
    QComboBox &Combo() { return Find<QComboBox>(Page(), 2065); }

private:
    std::unique_ptr<ui::CPageOption> m_page;
};

TEST_F(PageOptionTest, ResetShowsTheDefaults)
{
    project.Option.OnlyArchiveBit = 1;
    project.Option.LogFile = QStringLiteral("/alt/protokoll.txt");
    project.Reset();
    Page();
    for (const CheckField &row : kCheckFields)
        EXPECT_EQ(Box(row.id).isChecked(), Group{}.*row.field != 0) << row.id;
    EXPECT_EQ(Edit(2009).text(), QStringLiteral("1"));
    EXPECT_EQ(Edit(2022).text(), QString());
    EXPECT_EQ(Combo().currentIndex(), 0);
    EXPECT_TRUE(Box(2054).isEnabled());
    EXPECT_TRUE(Box(2055).isEnabled());
    EXPECT_FALSE(Combo().isEnabled());
    EXPECT_FALSE(Box(2058).isEnabled());
    EXPECT_FALSE(Box(1135).isEnabled());
    EXPECT_FALSE(project.Modified);
}

TEST_F(PageOptionTest, EveryFieldGoesToItsControlAndBack)
{
    for (const CheckField &row : kCheckFields)
        project.Option.*row.field = 1;
    project.Option.AppendDateToTarget = 0; // it would clear the two target comparisons
    project.Option.ThreadCount = 3;
    project.Option.DateFolderFormatId = 7;
    project.Option.LogFile = QStringLiteral("/daten/protokoll.txt");
    const Group loaded = project.Option;
    Page().ShowValues();
    for (const CheckField &row : kCheckFields)
        EXPECT_EQ(Box(row.id).isChecked(), loaded.*row.field != 0) << row.id;
    EXPECT_EQ(Edit(2009).text(), QStringLiteral("3"));
    EXPECT_EQ(Combo().currentData().toInt(), 7);
    EXPECT_EQ(Edit(2022).text(), loaded.LogFile);

    project.Option = Group{};
    ASSERT_TRUE(Page().TakeValues());
    EXPECT_EQ(project.Option, loaded);
}

TEST_F(PageOptionTest, ControlsWriteTheirFieldAsTheyChange)
{
    Box(2011).click();
    Edit(2022).setText(QStringLiteral("/neu/protokoll.txt"));
    Combo().setCurrentIndex(2);
    EXPECT_EQ(project.Option.OnlyArchiveBit, 1);
    EXPECT_EQ(project.Option.LogFile, QStringLiteral("/neu/protokoll.txt"));
    EXPECT_EQ(project.Option.DateFolderFormatId, 3);
}

TEST_F(PageOptionTest, EveryChangeMarksTheProjectModified)
{
    for (int id : {2011, 2012, 2013, 2014, 2015, 2020, 2021, 2044, 2045, 2046, 2054, 2055, 2057, 2058, 2059, 2060, 2068,
                   1132, 1134, 1135}) {
        project.Modified = false;
        Box(id).setEnabled(true);
        Box(id).click();
        EXPECT_TRUE(project.Modified) << id;
    }
    project.Modified = false;
    Edit(2009).setText(QStringLiteral("2"));
    EXPECT_TRUE(project.Modified);
    project.Modified = false;
    Edit(2022).setText(QStringLiteral("x"));
    EXPECT_TRUE(project.Modified);
    project.Modified = false;
    Combo().setEnabled(true);
    Combo().setCurrentIndex(4);
    EXPECT_TRUE(project.Modified);
}

TEST_F(PageOptionTest, ShowingValuesDoesNotMarkTheProjectModified)
{
    project.Option.ThreadCount = 2;
    project.Option.LogFile = QStringLiteral("/a.txt");
    project.Option.DateFolderFormatId = 4;
    Page().ShowValues();
    EXPECT_FALSE(project.Modified);
}

TEST_F(PageOptionTest, DateFolderClearsAndDisablesTheTargetComparisonsAndEnablesTheCombo)
{
    Box(2054).click();
    Box(2055).click();
    Box(2014).click();
    EXPECT_FALSE(Box(2054).isChecked());
    EXPECT_FALSE(Box(2055).isChecked());
    EXPECT_FALSE(Box(2054).isEnabled());
    EXPECT_FALSE(Box(2055).isEnabled());
    EXPECT_TRUE(Combo().isEnabled());
    EXPECT_EQ(project.Option.OnlyExistingInTarget, 0);
    EXPECT_EQ(project.Option.OnlyMissingInTarget, 0);

    Box(2014).click();
    EXPECT_TRUE(Box(2054).isEnabled());
    EXPECT_TRUE(Box(2055).isEnabled());
    EXPECT_FALSE(Box(2054).isChecked());
    EXPECT_FALSE(Box(2055).isChecked());
    EXPECT_FALSE(Combo().isEnabled());
}

TEST_F(PageOptionTest, BothTargetComparisonsMayBeOnTogether)
{
    Box(2054).click();
    Box(2055).click();
    EXPECT_EQ(project.Option.OnlyExistingInTarget, 1);
    EXPECT_EQ(project.Option.OnlyMissingInTarget, 1);
}

TEST_F(PageOptionTest, SwitchingAnOptionOffClearsAndDisablesItsDependant)
{
    const struct {
        int option;
        int dependant;
        qint32 Group::*dependantField;
    } rows[] = {{2057, 2058, &Group::RebootAfterShutdown}, {1134, 1135, &Group::IncludeRootDir}};
    for (const auto &row : rows) {
        Box(row.option).click();
        ASSERT_TRUE(Box(row.dependant).isEnabled()) << row.option;
        Box(row.dependant).click();
        ASSERT_EQ(project.Option.*row.dependantField, 1);
        Box(row.option).click();
        EXPECT_FALSE(Box(row.dependant).isChecked()) << row.option;
        EXPECT_FALSE(Box(row.dependant).isEnabled()) << row.option;
        EXPECT_EQ(project.Option.*row.dependantField, 0) << row.option;
    }
}

TEST_F(PageOptionTest, LoadedValuesFollowTheDependencies)
{
    project.Option.AppendDateToTarget = 1;
    project.Option.OnlyExistingInTarget = 1;
    project.Option.RebootAfterShutdown = 1;
    project.Option.IncludeRootDir = 1;
    Page().ShowValues();
    EXPECT_FALSE(Box(2054).isChecked());
    EXPECT_FALSE(Box(2058).isChecked());
    EXPECT_FALSE(Box(1135).isChecked());
    EXPECT_EQ(project.Option.OnlyExistingInTarget, 0);
    EXPECT_EQ(project.Option.RebootAfterShutdown, 0);
    EXPECT_EQ(project.Option.IncludeRootDir, 0);
}

TEST_F(PageOptionTest, AnsweringNoToDeletingSourcesLeavesTheBoxClearAndTheProjectModified)
{
    prompts.answer = ui::Answer::No;
    Box(2059).click();
    EXPECT_EQ(prompts.questions, QStringList{LoadStr(220)});
    EXPECT_FALSE(Box(2059).isChecked());
    EXPECT_EQ(project.Option.DeleteSourceAfterCopy, 0);
    EXPECT_TRUE(project.Modified);
}

TEST_F(PageOptionTest, AnsweringYesKeepsDeletingSourcesAndSwitchingItOffAsksNothing)
{
    prompts.answer = ui::Answer::Yes;
    Box(2059).click();
    EXPECT_TRUE(Box(2059).isChecked());
    EXPECT_EQ(project.Option.DeleteSourceAfterCopy, 1);
    Box(2059).click();
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(project.Option.DeleteSourceAfterCopy, 0);
}

TEST_F(PageOptionTest, ThreadCountIsValidated)
{
    const QString label = ControlText(LabelId::ThreadCount);
    const struct {
        const char16_t *text;
        std::optional<qint32> taken;
        QString warning;
    } rows[] = {
        {u"1", 1, QString()},
        {u" 3 ", 3, QString()},
        {u"0", std::nullopt, FormatStr(5882, {label, qint64(1), qint64(3)})},
        {u"4", std::nullopt, FormatStr(5882, {label, qint64(1), qint64(3)})},
        {u"-2", std::nullopt, FormatStr(5882, {label, qint64(1), qint64(3)})},
        {u"zwei", std::nullopt, FormatStr(5881, {label})},
        {u"", std::nullopt, FormatStr(5881, {label})},
        {u"2x", std::nullopt, FormatStr(5881, {label})},
    };
    for (const auto &row : rows) {
        project.Option.ThreadCount = 2;
        prompts.warnings.clear();
        Edit(2009).setText(QString::fromUtf16(row.text));
        EXPECT_EQ(Page().TakeValues(), row.taken.has_value()) << Edit(2009).text().toStdString();
        EXPECT_EQ(project.Option.ThreadCount, row.taken.value_or(2));
        EXPECT_EQ(prompts.warnings, row.warning.isNull() ? QStringList() : QStringList{row.warning});
    }
}

TEST_F(PageOptionTest, ARefusedThreadCountGetsTheFocus)
{
    ShowActive(Page());
    Edit(2022).setFocus();
    Edit(2009).setText(QStringLiteral("9"));
    EXPECT_FALSE(Page().TakeValues());
    EXPECT_TRUE(Edit(2009).hasFocus());
}

TEST_F(PageOptionTest, ARefusedValueBringsItsPageToTheFront)
{
    QTabWidget tabs;
    tabs.addTab(&Page(), QStringLiteral("Option"));
    tabs.addTab(new QWidget, QStringLiteral("Andere"));
    tabs.setCurrentIndex(1);
    Edit(2009).setText(QStringLiteral("0"));
    EXPECT_FALSE(Page().TakeValues());
    EXPECT_EQ(tabs.currentIndex(), 0);
    tabs.removeTab(0);
    Page().setParent(nullptr);
}

TEST_F(PageOptionTest, ARefusedThreadCountStopsTheEnablingRules)
{
    Box(2054).click();
    Edit(2009).setText(QStringLiteral("abc"));
    Box(2014).click();
    EXPECT_EQ(prompts.warnings.size(), 1);
    EXPECT_TRUE(Box(2054).isChecked());
    EXPECT_TRUE(Box(2054).isEnabled());
}

TEST_F(PageOptionTest, UpDownStepsTheThreadCountWithinItsRange)
{
    CUpDownCtrl &upDown = Find<CUpDownCtrl>(Page(), 2010);
    EXPECT_EQ(upDown.Lower(), 1);
    EXPECT_EQ(upDown.Upper(), 3);
    project.Modified = false;
    upDown.UpButton().click();
    EXPECT_EQ(Edit(2009).text(), QStringLiteral("2"));
    EXPECT_TRUE(project.Modified);
    upDown.UpButton().click();
    upDown.UpButton().click();
    EXPECT_EQ(Edit(2009).text(), QStringLiteral("3"));
    ASSERT_TRUE(Page().TakeValues());
    EXPECT_EQ(project.Option.ThreadCount, 3);
}

TEST_F(PageOptionTest, TheUpDownPositionFollowsTheShownValue)
{
    project.Option.ThreadCount = 2;
    Page().ShowValues();
    EXPECT_EQ(Find<CUpDownCtrl>(Page(), 2010).Pos(), 2);
}

TEST_F(PageOptionTest, TheComboListsTheEightDateFoldersOfThePageStart)
{
    const QStringList expected = {QStringLiteral("2015_03_01"),        QStringLiteral("20150301"),
                                  QStringLiteral("2015_03_01_14_05_09"), QStringLiteral("20150301140509"),
                                  QStringLiteral("15_03_01"),          QStringLiteral("150301"),
                                  QStringLiteral("15_03_01_14_05_09"), QStringLiteral("150301140509")};
    ASSERT_EQ(Combo().count(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Combo().itemText(i), expected[i]);
        EXPECT_EQ(Combo().itemData(i).toInt(), i + 1);
    }
}

TEST_F(PageOptionTest, AnUnknownDateFolderIdSelectsNothingAndCountsAsTheFirst)
{
    project.Option.DateFolderFormatId = 9;
    Page().ShowValues();
    EXPECT_EQ(Combo().currentIndex(), -1);
    ASSERT_TRUE(Page().TakeValues());
    EXPECT_EQ(project.Option.DateFolderFormatId, 1);
}

TEST_F(PageOptionTest, PickingALogFileWithoutExtensionAppendsTxt)
{
    project.Option.LogFile = QStringLiteral("/alt/log.txt");
    Page().ShowValues();
    prompts.pickedFile = QStringLiteral("/daten/sicherung/protokoll");
    Find<QPushButton>(Page(), 2023).click();
    EXPECT_EQ(prompts.pickStarts, QStringList{QStringLiteral("/alt/log.txt")});
    EXPECT_EQ(project.Option.LogFile, QStringLiteral("/daten/sicherung/protokoll.txt"));
    EXPECT_EQ(Edit(2022).text(), project.Option.LogFile);
    EXPECT_TRUE(project.Modified);
}

TEST_F(PageOptionTest, CancellingThePickChangesNothing)
{
    project.Option.LogFile = QStringLiteral("/alt/log.txt");
    Page().ShowValues();
    Find<QPushButton>(Page(), 2023).click();
    EXPECT_EQ(project.Option.LogFile, QStringLiteral("/alt/log.txt"));
    EXPECT_FALSE(project.Modified);
}

TEST_F(PageOptionTest, ARefusedThreadCountStopsThePick)
{
    Edit(2009).setText(QStringLiteral("5"));
    prompts.pickedFile = QStringLiteral("/neu.txt");
    Find<QPushButton>(Page(), 2023).click();
    EXPECT_TRUE(prompts.pickStarts.isEmpty());
    EXPECT_EQ(prompts.warnings.size(), 1);
}

TEST_F(PageOptionTest, ShowingTheLogFileNeedsAnExistingFile)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("protokoll.txt"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    Edit(2022).setText(dir.filePath(QStringLiteral("fehlt.txt")));
    Find<QPushButton>(Page(), 2024).click();
    EXPECT_TRUE(prompts.shownFiles.isEmpty());
    Edit(2022).setText(existing);
    Find<QPushButton>(Page(), 2024).click();
    EXPECT_EQ(prompts.shownFiles, QStringList{existing});
}

TEST_F(PageOptionTest, ShutdownAndDeletingSourcesStandOnALightRedField)
{
    for (int id : {2057, 2059}) {
        EXPECT_TRUE(Box(id).autoFillBackground()) << id;
        EXPECT_EQ(Box(id).palette().color(QPalette::Window), QColor(255, 192, 192)) << id;
    }
    EXPECT_FALSE(Box(2011).autoFillBackground());
}

} // namespace
