#include "PageTestSupport.h"

#include "mainwindow/PageDateien.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

using Group = model::CPageDateien;

struct ListFileField {
    int editId;
    QString Group::*file;
    int pickId;
    int showId;
    int deleteId;
    qint32 Group::*deleteAtEnd;
};

const ListFileField kFields[] = {
    {2029, &Group::CopiedListFile, 2030, 2031, 2052, &Group::DeleteCopiedListAtEnd},
    {2032, &Group::RetryListFile, 2033, 2034, 2053, &Group::DeleteRetryListAtEnd},
    {2035, &Group::SkippedListFile, 2036, 2037, 2051, &Group::DeleteSkippedListAtEnd},
};

class PageDateienTest : public PageTest {
protected:
    ui::CPageDateien &Page()
    {
        if (!m_page)
            m_page = std::make_unique<ui::CPageDateien>(Environment());
        return *m_page;
    }

private:
    std::unique_ptr<ui::CPageDateien> m_page;
};

TEST_F(PageDateienTest, ResetShowsTheDefaults)
{
    QTemporaryDir dir;
    project.Dateien.CopiedListFile = dir.filePath(QStringLiteral("kopiert.txt"));
    project.Dateien.DeleteRetryListAtEnd = 1;
    project.Reset();
    Page();
    for (const ListFileField &row : kFields) {
        EXPECT_TRUE(Find<QLineEdit>(Page(), row.editId).text().isEmpty()) << row.editId;
        EXPECT_EQ(Find<QCheckBox>(Page(), row.deleteId).isChecked(), Group{}.*row.deleteAtEnd != 0) << row.deleteId;
    }
    EXPECT_FALSE(Find<QCheckBox>(Page(), 2053).isChecked());
    EXPECT_TRUE(Find<QCheckBox>(Page(), 2052).isChecked());
}

TEST_F(PageDateienTest, EveryFieldGoesToItsControlAndBack)
{
    for (const ListFileField &row : kFields) {
        project.Dateien.*row.file = QStringLiteral("/listen/%1.txt").arg(row.editId);
        project.Dateien.*row.deleteAtEnd = 1 - (Group{}.*row.deleteAtEnd);
    }
    const Group loaded = project.Dateien;
    Page().ShowValues();
    for (const ListFileField &row : kFields) {
        EXPECT_EQ(Find<QLineEdit>(Page(), row.editId).text(), loaded.*row.file);
        EXPECT_EQ(Find<QCheckBox>(Page(), row.deleteId).isChecked(), loaded.*row.deleteAtEnd != 0);
    }
    project.Dateien = Group{};
    ASSERT_TRUE(Page().TakeValues());
    EXPECT_EQ(project.Dateien, loaded);
    EXPECT_FALSE(project.Modified);
}

TEST_F(PageDateienTest, ChangesAreTakenAtOnceAndMarkTheProjectModified)
{
    for (const ListFileField &row : kFields) {
        project.Modified = false;
        Find<QLineEdit>(Page(), row.editId).setText(QStringLiteral("/neu/liste.txt"));
        EXPECT_EQ(project.Dateien.*row.file, QStringLiteral("/neu/liste.txt"));
        EXPECT_TRUE(project.Modified);
        project.Modified = false;
        const qint32 before = project.Dateien.*row.deleteAtEnd;
        Find<QCheckBox>(Page(), row.deleteId).click();
        EXPECT_EQ(project.Dateien.*row.deleteAtEnd, 1 - before);
        EXPECT_TRUE(project.Modified);
    }
}

TEST_F(PageDateienTest, PickingANameWithoutExtensionStoresItWithTxt)
{
    for (const ListFileField &row : kFields) {
        prompts.pickedFile = QStringLiteral("/listen/liste%1").arg(row.pickId);
        Find<QPushButton>(Page(), row.pickId).click();
        EXPECT_EQ(project.Dateien.*row.file, *prompts.pickedFile + QStringLiteral(".txt"));
        EXPECT_EQ(Find<QLineEdit>(Page(), row.editId).text(), project.Dateien.*row.file);
    }
    prompts.pickedFile = QStringLiteral("/listen/liste.log");
    Find<QPushButton>(Page(), 2030).click();
    EXPECT_EQ(project.Dateien.CopiedListFile, QStringLiteral("/listen/liste.log"));
}

TEST_F(PageDateienTest, ShowButtonsShowOnlyExistingFiles)
{
    QTemporaryDir dir;
    for (const ListFileField &row : kFields) {
        const QString path = dir.filePath(QStringLiteral("liste%1.txt").arg(row.editId));
        Find<QLineEdit>(Page(), row.editId).setText(path);
        Find<QPushButton>(Page(), row.showId).click();
        EXPECT_TRUE(prompts.shownFiles.isEmpty()) << row.showId;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        Find<QPushButton>(Page(), row.showId).click();
        EXPECT_EQ(prompts.shownFiles, QStringList{path}) << row.showId;
        prompts.shownFiles.clear();
    }
}

TEST_F(PageDateienTest, RetryRunStartsWithTheKopierdateiShown)
{
    Find<QLineEdit>(Page(), 2032).setText(QStringLiteral("/listen/kopierdatei.txt"));
    Find<QPushButton>(Page(), 2056).click();
    EXPECT_EQ(retryRuns, QStringList{QStringLiteral("/listen/kopierdatei.txt")});
}

TEST_F(PageDateienTest, RetryRunWithoutKopierdateiLetsTheRunAskForIt)
{
    Find<QPushButton>(Page(), 2056).click();
    EXPECT_EQ(retryRuns, QStringList{QString()});
}

} // namespace
