#include "controls/BrowseForFolder.h"
#include "controls/CMyTabCtrl.h"
#include "controls/CommandText.h"
#include "support/gui/GuiTestApp.h"
#include "support/gui/ScriptedPrompts.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

TEST(BrowseForFolder, StartsWithoutOneTrailingSlashAndTakesTheChoice)
{
    ScriptedPrompts prompts;
    prompts.folder = QStringLiteral("/gewaehlt");
    QString path = QStringLiteral("/daten/quelle/");
    BrowseForFolder(prompts, nullptr, QStringLiteral("Titel"), path);
    EXPECT_EQ(prompts.folderStarts, QStringList{QStringLiteral("/daten/quelle")});
    EXPECT_EQ(prompts.folderTitles, QStringList{QStringLiteral("Titel")});
    EXPECT_EQ(path, QStringLiteral("/gewaehlt"));
}

TEST(BrowseForFolder, CancelKeepsTheTextWithItsTrailingSlash)
{
    ScriptedPrompts prompts;
    QString path = QStringLiteral("/daten/quelle/");
    BrowseForFolder(prompts, nullptr, QStringLiteral("Titel"), path);
    EXPECT_EQ(path, QStringLiteral("/daten/quelle/"));
}

TEST(BrowseForFolder, TheRootStaysTheRoot)
{
    ScriptedPrompts prompts;
    QString path = QStringLiteral("/");
    BrowseForFolder(prompts, nullptr, QString(), path);
    EXPECT_EQ(prompts.folderStarts, QStringList{QStringLiteral("/")});
}

TEST(CommandText, SplitsPromptAndTipAtTheFirstLineFeed)
{
    const struct {
        const char16_t *text;
        const char16_t *prompt;
        const char16_t *tip;
    } rows[] = {
        {u"Kopieren wird begonnen. Alle aktiven Einträge werden abgearbeitet\nKopieren wird begonnen",
         u"Kopieren wird begonnen. Alle aktiven Einträge werden abgearbeitet", u"Kopieren wird begonnen"},
        {u"\nNur der Tipp", u"", u"Nur der Tipp"},
        {u"Nur die Zeile", u"Nur die Zeile", u""},
        {u"A\nerste\rzweite", u"A", u"erste\nzweite"},
        {u"A\nerste\r\nzweite\nnoch", u"A", u"erste\nzweite\nnoch"},
    };
    for (const auto &row : rows) {
        const QString text = QString::fromUtf16(row.text);
        EXPECT_EQ(CommandText::Prompt(text), QString::fromUtf16(row.prompt)) << text.toStdString();
        EXPECT_EQ(CommandText::Tip(text), QString::fromUtf16(row.tip)) << text.toStdString();
    }
}

TEST(CMyTabCtrl, ShowsExactlyTheChosenPage)
{
    GuiTestApp();
    CMyTabCtrl tabs;
    QList<QLabel *> pages;
    for (const char *name : {"Eins", "Zwei", "Drei"}) {
        auto *page = new QLabel;
        page->setWindowTitle(QString::fromLatin1(name));
        pages.append(page);
        tabs.AddPage(page);
    }
    tabs.show();
    tabs.ShowPage(2);
    EXPECT_EQ(tabs.currentIndex(), 2);
    EXPECT_EQ(tabs.tabText(1), QStringLiteral("Zwei"));
    for (int i = 0; i < pages.size(); ++i)
        EXPECT_EQ(pages[i]->isVisible(), i == 2) << i;
    tabs.ShowPage(-1);
    EXPECT_EQ(tabs.currentIndex(), 2);
    tabs.ShowPage(7);
    EXPECT_EQ(tabs.currentIndex(), 2);
}

} // namespace
