#include "PageTestSupport.h"

#include "controls/CommandText.h"
#include "mainwindow/PageSet.h"
#include "mainwindow/PageToolTips.h"
#include "resources/Strings.h"
#include "support/gui/GuiTestApp.h"

#include <QFontMetrics>
#include <QToolTip>

#include <algorithm>

namespace {

using PageToolTipsTest = PageTest;

TEST(PageToolTips, ACarriageReturnInATipStringBreaksTheLine)
{
    GuiTestApp();
    const QString tip = CommandText::Tip(QStringLiteral("\nErste Zeile\rZweite Zeile"));
    EXPECT_EQ(tip, QStringLiteral("Erste Zeile\nZweite Zeile"));
    const QFontMetrics metrics(QFont(QStringLiteral("Sans"), 9));
    EXPECT_EQ(ui::WrapToolTip(tip, metrics, 288), QStringLiteral("Erste Zeile\nZweite Zeile"));
}

TEST(PageToolTips, LongLinesAreWrappedAtBlanksWithinTheWidth)
{
    GuiTestApp();
    const QFontMetrics metrics(QFont(QStringLiteral("Sans"), 9));
    const QString text = QStringLiteral("Es werden nur Dateien kopiert, deren Archivbit gesetzt ist, also Dateien, "
                                        "die seit der letzten Sicherung neu sind oder geändert wurden.\r"
                                        "Wird beim Kopieren mit Kopierdatei nicht verwendet.");
    const QString wrapped = ui::WrapToolTip(CommandText::Tip(u'\n' + text), metrics, 200);
    const QStringList lines = wrapped.split(u'\n');
    EXPECT_GT(lines.size(), 3);
    for (const QString &line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), 200) << line.toStdString();
    QString joined = wrapped;
    joined.replace(u'\n', u' ');
    QString plain = text;
    plain.replace(u'\r', u' ');
    EXPECT_EQ(joined, plain);
    EXPECT_TRUE(wrapped.contains(QStringLiteral("\nWird beim")));
}

TEST(PageToolTips, AWordWiderThanTheTipKeepsALineOfItsOwn)
{
    GuiTestApp();
    const QFontMetrics metrics(QFont(QStringLiteral("Sans"), 9));
    const QString word = QStringLiteral("/sehr/langer/Pfad/ohne/jedes/Leerzeichen/bis/zur/Datei.txt");
    EXPECT_EQ(ui::WrapToolTip(QStringLiteral("Datei: ") + word + QStringLiteral(" fertig"), metrics, 100),
              QStringLiteral("Datei:\n") + word + QStringLiteral("\nfertig"));
}

TEST(PageToolTips, AStringWithoutLineFeedGivesNoTip)
{
    EXPECT_EQ(CommandText::Tip(QStringLiteral("Nur ein Text")), QString());
}

// The numbered controls of each page in tab order, each with the string its tip comes from.
TEST_F(PageToolTipsTest, EveryNumberedControlOfThePagesCarriesItsTip)
{
    const QList<QList<int>> expected = {
        {1132, 1134, 1135, 2009, 2010, 2011, 2012, 2013, 2014, 2015, 2020, 2021, 2022, 2023, 2024, 2044, 2045, 2046,
         2054, 2055, 2057, 2058, 2059, 2060, 2065, 2068},
        {2039, 2041, 2043, 2066},
        {2016, 2017, 2018, 2019, 2025, 2026, 2027, 2028},
        {2048, 2049, 2050, 2051},
        {2029, 2030, 2031, 2032, 2033, 2034, 2035, 2036, 2037, 2051, 2052, 2053, 2056},
        {2061, 2062, 2063, 2064},
        {2067},
    };
    const QList<IOptionPage *> pages = ui::CreatePages(Environment());
    ASSERT_EQ(pages.size(), expected.size());
    for (qsizetype tab = 0; tab < pages.size(); ++tab) {
        QList<int> found;
        for (QWidget *control : pages[tab]->Widget().findChildren<QWidget *>()) {
            const int id = ui::CBasisPage::ControlId(*control);
            if (id < 1132 || id > 2068) {
                EXPECT_TRUE(control->toolTip().isEmpty()) << id;
                continue;
            }
            found.append(id);
            // The field "Tage" shares its number with a box of the page "Dateien".
            const int tipId = tab == 3 && id == 2051 ? 5880 : id;
            EXPECT_EQ(control->toolTip(), ui::ToolTipText(tipId)) << id;
            EXPECT_EQ(control->toolTipDuration(), 20000) << id;
        }
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, expected[tab]) << tab;
    }
    qDeleteAll(pages.begin(), pages.end());
}

} // namespace
