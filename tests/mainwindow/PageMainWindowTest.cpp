#include "MainWindowFixture.h"

#include "controls/CMyTabCtrl.h"
#include "engine/TextFormat.h"
#include "mainwindow/PageBasis.h"
#include "progress/CDlgSichProgress.h"
#include "resources/Strings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

class PageMainWindowTest : public MainWindowTest {
protected:
    ui::CBasisPage &Page(int tab) const { return dynamic_cast<ui::CBasisPage &>(*View().Pages()[tab]); }

    template <class Widget>
    Widget &Control(int tab, int controlId) const
    {
        auto *control = qobject_cast<Widget *>(Page(tab).Control(controlId));
        if (!control)
            ADD_FAILURE() << "no control " << controlId << " on tab " << tab;
        return *control;
    }
};

TEST_F(PageMainWindowTest, TheSevenPagesFillTheTabsInOrderWithTheirImages)
{
    const char *names[] = {"CPageOption", "CPagePruefdatei", "CPageMuster", "CPageDatum",
                           "CPageDateien", "CPageZip",       "CPageUnzip"};
    CMyTabCtrl &tabs = View().Tabs();
    ASSERT_EQ(tabs.count(), 7);
    for (int tab = 0; tab < 7; ++tab) {
        EXPECT_EQ(tabs.widget(tab)->objectName(), QString::fromLatin1(names[tab]));
        EXPECT_EQ(tabs.tabText(tab), LoadStr(5810 + tab));
        EXPECT_FALSE(tabs.tabIcon(tab).isNull()) << tab;
    }
    View().SelectPage(3);
    EXPECT_EQ(tabs.currentWidget()->objectName(), QStringLiteral("CPageDatum"));
}

TEST_F(PageMainWindowTest, AnOpenedProjectShowsItsOptionsAndAnEditMarksItModified)
{
    Frame().Files().OpenDocumentFile(WriteProject(QStringLiteral("auto.zelv"), {}, true));
    EXPECT_TRUE(Control<QCheckBox>(0, 2060).isChecked());
    EXPECT_FALSE(Frame().Doc().IsModified());
    Control<QLineEdit>(0, 2022).setText(QStringLiteral("/protokolle/heute.txt"));
    EXPECT_TRUE(Frame().Doc().IsModified());
    EXPECT_EQ(Project().Option.LogFile, QStringLiteral("/protokolle/heute.txt"));
}

TEST_F(PageMainWindowTest, ARefusedThreadCountStopsTheRunWithAMessageOnItsPage)
{
    OpenJobs({CListData{1, 1, Dir(QStringLiteral("q")), Dir(QStringLiteral("z"))}});
    View().SelectPage(5);
    Control<QLineEdit>(0, 2009).setText(QStringLiteral("5"));
    View().StartRun(model::StartKind::User);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              FormatStr(5882, {ControlText(LabelId::ThreadCount), qint64(1), qint64(3)}));
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(Frame().Progress().IsWindowOpen());
    EXPECT_EQ(View().Tabs().currentIndex(), 0);
}

TEST_F(PageMainWindowTest, TheDeleteSourcesQuestionIsAskedThroughTheWindowsPrompts)
{
    Control<QCheckBox>(0, 2059).click();
    EXPECT_EQ(prompts.dialogs, QStringList{QStringLiteral("PageQuestion")});
    EXPECT_FALSE(Control<QCheckBox>(0, 2059).isChecked());
    EXPECT_TRUE(Frame().Doc().IsModified());
}

TEST_F(PageMainWindowTest, TheRetryButtonStartsTheRunOfTheView)
{
    const QString missing = temp.filePath(QStringLiteral("fehlt.txt"));
    Control<QLineEdit>(4, 2032).setText(missing);
    Control<QPushButton>(4, 2056).click();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.contains(missing));
    EXPECT_FALSE(Frame().Progress().IsWindowOpen());
}

} // namespace
