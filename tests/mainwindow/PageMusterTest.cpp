#include "PageTestSupport.h"

#include "mainwindow/PageMuster.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

using Group = model::CPageMuster;

struct PatternField {
    int boxId;
    qint32 Group::*enabled;
    int editId;
    QString Group::*patterns;
};

const PatternField kFields[] = {
    {2016, &Group::FileIncludeEnabled, 2018, &Group::FileIncludePatterns},
    {2017, &Group::FileExcludeEnabled, 2019, &Group::FileExcludePatterns},
    {2025, &Group::DirIncludeEnabled, 2026, &Group::DirIncludePatterns},
    {2027, &Group::DirExcludeEnabled, 2028, &Group::DirExcludePatterns},
};

class PageMusterTest : public PageTest {
protected:
    ui::CPageMuster &Page()
    {
        if (!m_page)
            m_page = std::make_unique<ui::CPageMuster>(Environment());
        return *m_page;
    }

private:
    std::unique_ptr<ui::CPageMuster> m_page;
};

TEST_F(PageMusterTest, ResetShowsAllBoxesOffAndThePatternFieldsEmptyAndDisabled)
{
    project.Muster.FileIncludeEnabled = 1;
    project.Muster.DirExcludePatterns = QStringLiteral("*/temp");
    project.Reset();
    Page();
    for (const PatternField &row : kFields) {
        EXPECT_FALSE(Find<QCheckBox>(Page(), row.boxId).isChecked()) << row.boxId;
        EXPECT_TRUE(Find<QLineEdit>(Page(), row.editId).text().isEmpty()) << row.editId;
        EXPECT_FALSE(Find<QLineEdit>(Page(), row.editId).isEnabled()) << row.editId;
    }
}

TEST_F(PageMusterTest, EveryFieldGoesToItsControlAndBack)
{
    for (const PatternField &row : kFields) {
        project.Muster.*row.enabled = 1;
        project.Muster.*row.patterns = QStringLiteral("*.%1, x?").arg(row.editId);
    }
    project.Muster.FileExcludeEnabled = 0;
    const Group loaded = project.Muster;
    Page().ShowValues();
    for (const PatternField &row : kFields) {
        EXPECT_EQ(Find<QCheckBox>(Page(), row.boxId).isChecked(), loaded.*row.enabled != 0) << row.boxId;
        EXPECT_EQ(Find<QLineEdit>(Page(), row.editId).text(), loaded.*row.patterns) << row.editId;
        EXPECT_EQ(Find<QLineEdit>(Page(), row.editId).isEnabled(), loaded.*row.enabled != 0) << row.editId;
    }
    project.Muster = Group{};
    ASSERT_TRUE(Page().TakeValues());
    EXPECT_EQ(project.Muster, loaded);
}

TEST_F(PageMusterTest, EachBoxEnablesItsPatternFieldAndMarksTheProjectModified)
{
    for (const PatternField &row : kFields) {
        project.Modified = false;
        auto &box = Find<QCheckBox>(Page(), row.boxId);
        auto &edit = Find<QLineEdit>(Page(), row.editId);
        box.click();
        EXPECT_TRUE(edit.isEnabled()) << row.boxId;
        EXPECT_EQ(project.Muster.*row.enabled, 1) << row.boxId;
        EXPECT_TRUE(project.Modified) << row.boxId;
        box.click();
        EXPECT_FALSE(edit.isEnabled()) << row.boxId;
        EXPECT_EQ(project.Muster.*row.enabled, 0) << row.boxId;
    }
}

TEST_F(PageMusterTest, TypingAPatternWritesItAndMarksTheProjectModified)
{
    for (const PatternField &row : kFields) {
        project.Modified = false;
        Find<QLineEdit>(Page(), row.editId).setText(QStringLiteral("*.bak, *.tmp"));
        EXPECT_EQ(project.Muster.*row.patterns, QStringLiteral("*.bak, *.tmp")) << row.editId;
        EXPECT_TRUE(project.Modified) << row.editId;
    }
}

} // namespace
