#include "progress/PathEllipsis.h"

#include "GuiTestApp.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

QFontMetrics metrics()
{
    GuiTestApp();
    QFont font;
    font.setPixelSize(11);
    return QFontMetrics(font);
}

} // namespace

TEST(PathEllipsis, TextThatFitsIsUnchanged)
{
    const QFontMetrics m = metrics();
    const QString path = QStringLiteral("/home/anna/bilder/urlaub.jpg");
    EXPECT_EQ(ElidePath(path, m, m.horizontalAdvance(path)), path);
}

TEST(PathEllipsis, LongPathLosesItsMiddleAndKeepsTheFileName)
{
    const QFontMetrics m = metrics();
    const QString path = QStringLiteral("/srv/sicherung/abteilung-vertrieb/kunden/archiv/2023/quartal-4/")
        + QStringLiteral("angebot-mueller.pdf");
    for (const int width : {150, 220, 300}) {
        SCOPED_TRACE(width);
        const QString shown = ElidePath(path, m, width);
        EXPECT_LE(m.horizontalAdvance(shown), width);
        EXPECT_TRUE(shown.endsWith(QStringLiteral(".../angebot-mueller.pdf"))) << shown.toStdString();
        const QString head = shown.left(shown.indexOf(QStringLiteral("...")));
        EXPECT_TRUE(path.startsWith(head)) << "the start of the path is kept";
        EXPECT_FALSE(head.isEmpty());
    }
}

TEST(PathEllipsis, KeepsAsMuchOfTheStartAsFits)
{
    const QFontMetrics m = metrics();
    const QString path = QStringLiteral("/aaaa/bbbb/cccc/dddd/eeee/ffff/gggg/file.txt");
    const int width = m.horizontalAdvance(QStringLiteral("/aaaa/bbbb/.../file.txt"));
    const QString shown = ElidePath(path, m, width);
    EXPECT_EQ(shown, QStringLiteral("/aaaa/bbbb/.../file.txt"));
}

TEST(PathEllipsis, FileNameTooWideIsCutAtItsEnd)
{
    const QFontMetrics m = metrics();
    const QString path = QStringLiteral("/a/ein-sehr-langer-dateiname-der-nicht-passt.txt");
    const QString shown = ElidePath(path, m, 80);
    EXPECT_LE(m.horizontalAdvance(shown), 80);
    EXPECT_TRUE(shown.startsWith(QStringLiteral(".../ein"))) << shown.toStdString();
}

TEST(PathEllipsis, TextWithoutSeparatorLosesItsMiddle)
{
    const QFontMetrics m = metrics();
    const QString text = QStringLiteral("Leere Zielverzeichnisse löschen und noch viel mehr Text");
    const QString shown = ElidePath(text, m, 120);
    EXPECT_LE(m.horizontalAdvance(shown), 120);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Leere")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("Text")));
}
