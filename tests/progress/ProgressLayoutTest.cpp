#include "progress/ProgressLayout.h"

#include <gtest/gtest.h>

TEST(ProgressLayout, PanesReachTheRightEdgeAndTheGroupsFillTheBandBelow)
{
    ProgressLayout current;
    current.Panes = {QRect(10, 11, 600, 130), QRect(10, 162, 600, 130)};
    current.SummaryBox = QRect(400, 300, 228, 200);
    current.MessageFrame = QRect(10, 300, 380, 200);

    const ProgressLayout next = LayoutProgressWindow(QSize(700, 550), current);

    ASSERT_EQ(next.Panes.size(), 2u);
    EXPECT_EQ(next.Panes[0], QRect(10, 11, 685, 130));
    EXPECT_EQ(next.Panes[1], QRect(10, 162, 685, 130));
    EXPECT_EQ(next.SummaryBox, QRect(695 - 228, 297, 228, 545 - 297));
    EXPECT_EQ(next.MessageFrame, QRect(10, 297, 695 - 228 - 5 - 10, 545 - 297));
    EXPECT_EQ(next.MessageBox, QRect(20, 312, next.MessageFrame.width() - 20, 545 - 312 - 10));
}
