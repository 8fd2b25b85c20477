#include "PageTestSupport.h"

#include "engine/TextFormat.h"
#include "mainwindow/PageZip.h"
#include "resources/Strings.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

using Group = model::CPageZip;

class PageZipTest : public PageTest {
protected:
    ui::CPageZip &Page()
    {
        if (!m_page)
            m_page = std::make_unique<ui::CPageZip>(Environment());
        return *m_page;
    }
    QCheckBox &Box(int id) { return Find<QCheckBox>(Page(), id); }
    QLineEdit &Edit(int id) { return Find<QLineEdit>(Page(), id); }
    QString Text(int id) { return Find<QLabel>(Page(), id).text(); }

    // The user leaves the field: the page checks it once the focus has moved.
    void Leave(QLineEdit &edit)
    {
        QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&edit, &focusOut);
        QCoreApplication::processEvents();
    }

private:
    std::unique_ptr<ui::CPageZip> m_page;
};

TEST_F(PageZipTest, ResetShowsTheDefaultsWithTheirSizes)
{
    project.Zip.CompressFiles = 1;
    project.Zip.CompressMinSize = 1;
    project.Reset();
    Page();
    EXPECT_FALSE(Box(2063).isChecked());
    EXPECT_FALSE(Box(2064).isChecked());
    EXPECT_FALSE(Box(2061).isChecked());
    EXPECT_EQ(Edit(2062).text(), QStringLiteral("*.zip, *.jpg, *.pdf, *.mpg, *.mp3, "));
    EXPECT_EQ(Edit(1103).text(), QStringLiteral("256"));
    EXPECT_EQ(Edit(1104).text(), QStringLiteral("3840"));
    EXPECT_EQ(Text(1105), QStringLiteral("0.25 KB"));
    EXPECT_EQ(Text(1106), QStringLiteral("3.75 GB"));
    for (int id : {2064, 2061, 2062, 1103, 1104})
        EXPECT_FALSE(Page().Control(id)->isEnabled()) << id;
    EXPECT_TRUE(Box(2063).isEnabled());
}

TEST_F(PageZipTest, EveryFieldGoesToItsControlAndBack)
{
    const Group loaded{1, 1, 1, QStringLiteral("*.7z"), 1024, 100};
    project.Zip = loaded;
    Page().ShowValues();
    EXPECT_TRUE(Box(2063).isChecked());
    EXPECT_TRUE(Box(2064).isChecked());
    EXPECT_TRUE(Box(2061).isChecked());
    EXPECT_EQ(Edit(2062).text(), QStringLiteral("*.7z"));
    EXPECT_EQ(Edit(1103).text(), QStringLiteral("1024"));
    EXPECT_EQ(Edit(1104).text(), QStringLiteral("100"));
    for (int id : {2064, 2061, 2062, 1103, 1104})
        EXPECT_TRUE(Page().Control(id)->isEnabled()) << id;
    project.Zip = Group{};
    ASSERT_TRUE(Page().TakeValues());
    EXPECT_EQ(project.Zip, loaded);
}

TEST_F(PageZipTest, SwitchingCompressionOffClearsAndDisablesItsDependants)
{
    Box(2063).click();
    Box(2064).click();
    Box(2061).click();
    EXPECT_TRUE(Edit(2062).isEnabled());
    EXPECT_TRUE(project.Modified);
    Box(2063).click();
    EXPECT_FALSE(Box(2064).isChecked());
    EXPECT_FALSE(Box(2061).isChecked());
    EXPECT_EQ(project.Zip.VerifyCompressed, 0);
    EXPECT_EQ(project.Zip.CompressExcludeEnabled, 0);
    for (int id : {2064, 2061, 2062, 1103, 1104})
        EXPECT_FALSE(Page().Control(id)->isEnabled()) << id;
}

TEST_F(PageZipTest, ThePatternFieldFollowsItsBox)
{
    Box(2063).click();
    Box(2061).click();
    EXPECT_TRUE(Edit(2062).isEnabled());
    Box(2061).click();
    EXPECT_FALSE(Edit(2062).isEnabled());
}

TEST_F(PageZipTest, SizeTextsFollowTheTypedBounds)
{
    const struct {
        int edit;
        const char16_t *typed;
        int text;
        const char16_t *shown;
    } rows[] = {
        {1103, u"1024", 1105, u"1.00 KB"}, {1103, u"0", 1105, u"0.00 KB"},       {1103, u"12abc", 1105, u"0.01 KB"},
        {1103, u"", 1105, u"0.00 KB"},     {1104, u"1", 1106, u"1.00 MB"},       {1104, u"2048", 1106, u"2.00 GB"},
        {1104, u"x", 1106, u"0.00 KB"},    {1104, u"99999999999999999999", 1106, u"8589934592.00 GB"},
    };
    for (const auto &row : rows) {
        project.Modified = false;
        Edit(row.edit).setText(QString::fromUtf16(row.typed));
        EXPECT_EQ(Text(row.text), QString::fromUtf16(row.shown))
            << row.edit << " " << Edit(row.edit).text().toStdString();
        EXPECT_TRUE(project.Modified);
    }
}

TEST_F(PageZipTest, LeavingABoundOutsideItsRangeIsRefused)
{
    Box(2063).click();
    ShowActive(Page());
    Edit(1103).setFocus();
    Edit(1103).setText(QStringLiteral("70000"));
    Leave(Edit(1103));
    EXPECT_EQ(prompts.warnings,
              QStringList{FormatStr(5882, {ControlText(LabelId::MinSize), qint64(0), qint64(65535)})});
    EXPECT_TRUE(Edit(1103).hasFocus());
    EXPECT_EQ(project.Zip.CompressMinSize, 256u);
}

TEST_F(PageZipTest, LeavingAValidBoundTakesIt)
{
    Edit(1104).setText(QStringLiteral("1"));
    Leave(Edit(1104));
    EXPECT_TRUE(prompts.warnings.isEmpty());
    EXPECT_EQ(project.Zip.CompressMaxSizeMB, 1u);
    EXPECT_EQ(Text(1106), QStringLiteral("1.00 MB"));
}

TEST_F(PageZipTest, BoundsAreValidated)
{
    const QString lower = ControlText(LabelId::MinSize);
    const QString upper = ControlText(LabelId::MaxSize);
    const struct {
        const char16_t *minSize, *maxSize;
        QString warning;
    } rows[] = {
        {u"0", u"1", QString()},
        {u"65535", u"3840", QString()},
        {u"65536", u"3840", FormatStr(5882, {lower, qint64(0), qint64(65535)})},
        {u"-1", u"3840", FormatStr(5882, {lower, qint64(0), qint64(65535)})},
        {u"256", u"0", FormatStr(5882, {upper, qint64(1), qint64(3840)})},
        {u"256", u"3841", FormatStr(5882, {upper, qint64(1), qint64(3840)})},
        {u"viel", u"3840", FormatStr(5881, {lower})},
        {u"256", u"", FormatStr(5881, {upper})},
    };
    for (const auto &row : rows) {
        prompts.warnings.clear();
        project.Zip = Group{};
        Edit(1103).setText(QString::fromUtf16(row.minSize));
        Edit(1104).setText(QString::fromUtf16(row.maxSize));
        EXPECT_EQ(Page().TakeValues(), row.warning.isNull());
        EXPECT_EQ(prompts.warnings, row.warning.isNull() ? QStringList() : QStringList{row.warning});
        if (row.warning.isNull()) {
            EXPECT_EQ(QString::number(project.Zip.CompressMinSize), QString::fromUtf16(row.minSize));
            EXPECT_EQ(QString::number(project.Zip.CompressMaxSizeMB), QString::fromUtf16(row.maxSize));
        }
    }
}

TEST_F(PageZipTest, ARefusedBoundStopsTheEnablingRules)
{
    Box(2063).click();
    Box(2064).click();
    Edit(1104).setText(QStringLiteral("0"));
    Box(2063).click();
    EXPECT_EQ(prompts.warnings.size(), 1);
    EXPECT_TRUE(Box(2064).isChecked());
    EXPECT_TRUE(Box(2064).isEnabled());
}

TEST_F(PageZipTest, VerifyAndPatternsMarkTheProjectModified)
{
    Box(2063).click();
    project.Modified = false;
    Box(2064).click();
    EXPECT_TRUE(project.Modified);
    project.Modified = false;
    Edit(2062).setText(QStringLiteral("*.gz"));
    EXPECT_TRUE(project.Modified);
    EXPECT_EQ(project.Zip.CompressExcludePatterns, QStringLiteral("*.gz"));
}

} // namespace
