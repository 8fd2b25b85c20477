#include "progress/CMoveControls.h"

#include "GuiTestApp.h"

#include <QGroupBox>
#include <QLabel>

#include <gtest/gtest.h>

TEST(CMoveControls, CollectsTheControlsWhollyInsideTheGroupOnly)
{
    GuiTestApp();
    QWidget dialog;
    dialog.resize(400, 300);
    auto *group = new QGroupBox(&dialog);
    group->setGeometry(100, 100, 200, 150);
    auto *inside = new QLabel(&dialog);
    inside->setGeometry(110, 120, 50, 20);
    auto *overlapping = new QLabel(&dialog);
    overlapping->setGeometry(280, 120, 50, 20);
    auto *outside = new QLabel(&dialog);
    outside->setGeometry(10, 10, 50, 20);
    auto *container = new QWidget(&dialog);
    container->setGeometry(150, 200, 40, 30);
    auto *nested = new QLabel(container);
    nested->setGeometry(5, 5, 10, 10);

    CMoveControls mover;
    mover.Collect(dialog, group->geometry());

    ASSERT_EQ(mover.Controls().size(), 3u) << "inside, the container and the label in it";
    EXPECT_EQ(mover.Controls()[0].window, inside);
    EXPECT_EQ(mover.Controls()[0].offset, QPoint(10, 20));
    EXPECT_EQ(mover.Controls()[0].size, QSize(50, 20));
    EXPECT_EQ(mover.Controls()[2].offset, QPoint(55, 105));

    mover.Move(QPoint(30, 200));
    EXPECT_EQ(inside->geometry(), QRect(40, 220, 50, 20));
    EXPECT_EQ(container->geometry(), QRect(80, 300, 40, 30));
    EXPECT_EQ(nested->geometry(), QRect(5, 5, 10, 10)) << "the label keeps its place in its container";
    EXPECT_EQ(overlapping->geometry(), QRect(280, 120, 50, 20)) << "a partly overlapping control stays";
    EXPECT_EQ(group->geometry(), QRect(100, 100, 200, 150)) << "the group itself is not recorded";
}
