#include "controls/TabImages.h"
#include "support/gui/GuiTestApp.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QImage image(int index, int size)
{
    return TabImages::Get(index).pixmap(size, size).toImage();
}

bool hasInk(const QImage &picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(picture.pixel(x, y)) != 0)
                return true;
        }
    }
    return false;
}

TEST(TabImages, EveryTabHasItsOwnPictureAtBothSizes)
{
    GuiTestApp();
    for (int index = 0; index < TabImages::Count; ++index) {
        for (int size : {16, 32}) {
            const QImage picture = image(index, size);
            EXPECT_EQ(picture.size(), QSize(size, size)) << index;
            EXPECT_TRUE(hasInk(picture)) << index;
        }
        for (int other = 0; other < index; ++other)
            EXPECT_NE(image(index, 16), image(other, 16)) << index << " " << other;
    }
}

TEST(TabImages, ATabWithoutPictureGetsNone)
{
    GuiTestApp();
    EXPECT_TRUE(TabImages::Get(-1).isNull());
    EXPECT_TRUE(TabImages::Get(TabImages::Count).isNull());
}

} // namespace
