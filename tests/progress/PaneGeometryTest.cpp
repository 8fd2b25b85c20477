#include "progress/PaneGeometry.h"

#include <gtest/gtest.h>

namespace {

QRect at(const std::array<QRect, kPaneChildCount> &g, PaneChild child)
{
    return g[size_t(child)];
}

} // namespace

class PaneGeometryWidths : public ::testing::TestWithParam<int> {};

TEST_P(PaneGeometryWidths, RightHandCellsKeepTheirDistanceFromTheRightEdge)
{
    const int width = GetParam();
    const int r = width - 5;
    const auto g = PaneChildGeometry(QSize(width, 130));

    struct Row {
        PaneChild child;
        int fromRight; // left edge = r - fromRight
        int width;
    };
    const Row rows[] = {
        {PaneChild::CountLine, 320, 150}, {PaneChild::SizeLine, 165, 70}, {PaneChild::ErrorLine, 90, 90},
        {PaneChild::Percent1, 40, 40},    {PaneChild::Percent2, 40, 40},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(int(row.child));
        EXPECT_EQ(at(g, row.child).left(), r - row.fromRight);
        EXPECT_EQ(at(g, row.child).width(), row.width);
    }
    EXPECT_EQ(at(g, PaneChild::ActionLine), QRect(5, 5, r - 5 - 325, 16)) << "the action line takes the rest";
    EXPECT_EQ(at(g, PaneChild::SourceLine).left() + at(g, PaneChild::SourceLine).width(), r);
    EXPECT_EQ(at(g, PaneChild::TargetLine).left() + at(g, PaneChild::TargetLine).width(), r);
    EXPECT_EQ(at(g, PaneChild::Bar1).left() + at(g, PaneChild::Bar1).width(), r - 45);
    EXPECT_EQ(at(g, PaneChild::Bar2).left() + at(g, PaneChild::Bar2).width(), r - 45);
}

INSTANTIATE_TEST_SUITE_P(Widths, PaneGeometryWidths, ::testing::Values(600, 685, 1200));

TEST(PaneGeometry, SixRowsSixteenPixelsHighTwentyApart)
{
    const auto g = PaneChildGeometry(QSize(700, 130));
    const std::pair<PaneChild, int> rows[] = {
        {PaneChild::ActionLine, 0},     {PaneChild::SourceLabel, 1}, {PaneChild::TargetLine, 2},
        {PaneChild::Bar1, 3},           {PaneChild::Bar2, 4},        {PaneChild::SpeedLine, 5},
    };
    for (const auto &[child, row] : rows) {
        EXPECT_EQ(at(g, child).top(), 5 + 20 * row);
        EXPECT_EQ(at(g, child).height(), 16);
    }
    EXPECT_EQ(at(g, PaneChild::RemainingLine), QRect(5 + 175, 105, 50, 16));
    EXPECT_EQ(at(g, PaneChild::SpeedLabel), QRect(5 + 230, 105, 90, 16));
    EXPECT_EQ(at(g, PaneChild::SourceLabel), QRect(5, 25, 45, 16));
}
