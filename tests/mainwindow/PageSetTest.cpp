#include "PageTestSupport.h"

#include "controls/CMyStaticTitel.h"
#include "mainwindow/PageDateien.h"
#include "mainwindow/PageDatum.h"
#include "mainwindow/PageMuster.h"
#include "mainwindow/PageOption.h"
#include "mainwindow/PagePruefdatei.h"
#include "mainwindow/PageSet.h"
#include "mainwindow/PageUnzip.h"
#include "mainwindow/PageZip.h"
#include "resources/Strings.h"

#include <QLineEdit>

namespace {

using PageSetTest = PageTest;

template <class Page>
bool is(IOptionPage *page)
{
    return dynamic_cast<Page *>(page) != nullptr;
}

TEST_F(PageSetTest, TheSevenPagesComeInTabOrderWithTheirCaptionsAndNotes)
{
    const QList<IOptionPage *> pages = ui::CreatePages(Environment());
    ASSERT_EQ(pages.size(), 7);
    EXPECT_TRUE(is<ui::CPageOption>(pages[0]));
    EXPECT_TRUE(is<ui::CPagePruefdatei>(pages[1]));
    EXPECT_TRUE(is<ui::CPageMuster>(pages[2]));
    EXPECT_TRUE(is<ui::CPageDatum>(pages[3]));
    EXPECT_TRUE(is<ui::CPageDateien>(pages[4]));
    EXPECT_TRUE(is<ui::CPageZip>(pages[5]));
    EXPECT_TRUE(is<ui::CPageUnzip>(pages[6]));
    for (int tab = 0; tab < pages.size(); ++tab) {
        QWidget &widget = pages[tab]->Widget();
        EXPECT_EQ(widget.windowTitle(), LoadStr(5810 + tab)) << tab;
        EXPECT_EQ(widget.parentWidget(), nullptr) << tab;
        auto *page = dynamic_cast<ui::CBasisPage *>(pages[tab]);
        ASSERT_NE(page, nullptr);
        const QString note = tab == 0 || tab == 4 ? PageNoteStarredOptions() : PageNoteWholePage();
        EXPECT_EQ(page->Title().Text(), note) << tab;
        EXPECT_EQ(ui::CBasisPage::ControlId(page->Title()), 1071);
    }
    qDeleteAll(pages.begin(), pages.end());
}

TEST_F(PageSetTest, EveryControlHasANumberAndAName)
{
    const QList<IOptionPage *> pages = ui::CreatePages(Environment());
    for (IOptionPage *page : pages) {
        auto *content = page->Widget().findChild<QWidget *>(QStringLiteral("PageContent"));
        ASSERT_NE(content, nullptr);
        for (QWidget *control : content->findChildren<QWidget *>()) {
            if (control->parentWidget() != content && !control->parentWidget()->inherits("QGroupBox"))
                continue; // parts of composite controls
            EXPECT_NE(ui::CBasisPage::ControlId(*control), 0) << control->metaObject()->className();
            EXPECT_FALSE(control->objectName().isEmpty()) << ui::CBasisPage::ControlId(*control);
        }
    }
    qDeleteAll(pages.begin(), pages.end());
}

TEST_F(PageSetTest, EveryPageShowsTheProjectItIsGiven)
{
    project.Option.ThreadCount = 3;
    project.Zip.CompressMinSize = 1000;
    project.Datum.DateFilterMode = model::CPageDatum::RelativeToStart;
    project.Datum.RelativeDays = QStringLiteral("4");
    const QList<IOptionPage *> pages = ui::CreatePages(Environment());
    auto &option = dynamic_cast<ui::CBasisPage &>(*pages[0]);
    auto &datum = dynamic_cast<ui::CBasisPage &>(*pages[3]);
    auto &zip = dynamic_cast<ui::CBasisPage &>(*pages[5]);
    EXPECT_EQ(Find<QLineEdit>(option, 2009).text(), QStringLiteral("3"));
    EXPECT_EQ(Find<QLineEdit>(datum, 2051).text(), QStringLiteral("4"));
    EXPECT_EQ(Find<QLineEdit>(zip, 1103).text(), QStringLiteral("1000"));
    EXPECT_FALSE(project.Modified);
    qDeleteAll(pages.begin(), pages.end());
}

} // namespace
