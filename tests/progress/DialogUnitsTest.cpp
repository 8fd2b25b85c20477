#include "progress/DialogUnits.h"

#include "GuiTestApp.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

TEST(DialogUnits, FourHorizontalAndEightVerticalUnitsAreOneAverageCharacter)
{
    GuiTestApp();
    QFont font;
    font.setPixelSize(13);
    const DialogUnits du(font);
    const QFontMetrics metrics(font);
    EXPECT_EQ(du.Y(8), metrics.height());
    const int average = du.X(4);
    EXPECT_GT(average, 3);
    EXPECT_LT(average, metrics.height());
    EXPECT_EQ(du.X(400), 100 * average);
}

TEST(DialogUnits, NeighbouringRectanglesShareTheirEdges)
{
    GuiTestApp();
    const DialogUnits du(QFont{});
    for (int x = 0; x < 40; ++x) {
        const QRect left = du.Rect(x, x, 7, 5);
        const QRect right = du.Rect(x + 7, x + 5, 3, 3);
        EXPECT_EQ(left.x() + left.width(), right.x()) << x;
        EXPECT_EQ(left.y() + left.height(), right.y()) << x;
    }
}
