#include "PageTestSupport.h"

#include "mainwindow/PagePruefdatei.h"
#include "mainwindow/PageUnzip.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

using PageUnzipTest = PageTest;
using PagePruefdateiTest = PageTest;

TEST_F(PageUnzipTest, ResetLoadAndTakeOfDecompressFiles)
{
    project.Unzip.DecompressFiles = 1;
    project.Reset();
    ui::CPageUnzip page(Environment());
    auto &box = Find<QCheckBox>(page, 2067);
    EXPECT_FALSE(box.isChecked());
    project.Unzip.DecompressFiles = 1;
    page.ShowValues();
    EXPECT_TRUE(box.isChecked());
    project.Unzip.DecompressFiles = 0;
    ASSERT_TRUE(page.TakeValues());
    EXPECT_EQ(project.Unzip.DecompressFiles, 1);
}

TEST_F(PageUnzipTest, TheBoxChangesTheOptionAndMarksTheProjectModified)
{
    ui::CPageUnzip page(Environment());
    Find<QCheckBox>(page, 2067).click();
    EXPECT_EQ(project.Unzip.DecompressFiles, 1);
    EXPECT_TRUE(project.Modified);
}

TEST_F(PagePruefdateiTest, ResetLoadAndTake)
{
    project.Pruefdatei = {QStringLiteral("/alt/pruef.txt"), 1};
    project.Reset();
    ui::CPagePruefdatei page(Environment());
    EXPECT_TRUE(Find<QLineEdit>(page, 2039).text().isEmpty());
    EXPECT_FALSE(Find<QCheckBox>(page, 2066).isChecked());
    const model::CPagePruefdatei loaded{QStringLiteral("/daten/pruefdatei.txt"), 1};
    project.Pruefdatei = loaded;
    page.ShowValues();
    EXPECT_EQ(Find<QLineEdit>(page, 2039).text(), loaded.CheckFile);
    EXPECT_TRUE(Find<QCheckBox>(page, 2066).isChecked());
    project.Pruefdatei = {};
    ASSERT_TRUE(page.TakeValues());
    EXPECT_EQ(project.Pruefdatei, loaded);
    EXPECT_FALSE(project.Modified);
}

TEST_F(PagePruefdateiTest, ChangesMarkTheProjectModified)
{
    ui::CPagePruefdatei page(Environment());
    Find<QCheckBox>(page, 2066).click();
    EXPECT_TRUE(project.Modified);
    EXPECT_EQ(project.Pruefdatei.ChecksumEnabled, 1);
    project.Modified = false;
    Find<QLineEdit>(page, 2039).setText(QStringLiteral("/p.txt"));
    EXPECT_TRUE(project.Modified);
    EXPECT_EQ(project.Pruefdatei.CheckFile, QStringLiteral("/p.txt"));
}

TEST_F(PagePruefdateiTest, PickAndShowTheCheckFile)
{
    QTemporaryDir dir;
    ui::CPagePruefdatei page(Environment());
    prompts.pickedFile = dir.filePath(QStringLiteral("pruefdatei"));
    Find<QPushButton>(page, 2041).click();
    const QString picked = dir.filePath(QStringLiteral("pruefdatei.txt"));
    EXPECT_EQ(project.Pruefdatei.CheckFile, picked);
    EXPECT_EQ(Find<QLineEdit>(page, 2039).text(), picked);
    Find<QPushButton>(page, 2043).click();
    EXPECT_TRUE(prompts.shownFiles.isEmpty());
    QFile file(picked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    Find<QPushButton>(page, 2043).click();
    EXPECT_EQ(prompts.shownFiles, QStringList{picked});
}

} // namespace
