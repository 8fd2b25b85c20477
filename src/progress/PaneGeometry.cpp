#include "progress/PaneGeometry.h"

namespace {

constexpr int kMargin = 5;
constexpr int kRowPitch = 20;
constexpr int kRowHeight = 16;

struct Cell {
    PaneChild child;
    int row;
    int left;
    int width;
};

} // namespace

std::array<QRect, kPaneChildCount> PaneChildGeometry(QSize size)
{
    const int l = kMargin;
    const int r = size.width() - kMargin;
    const Cell cells[] = {
        {PaneChild::ActionLine, 0, l, r - l - 325},
        {PaneChild::CountLine, 0, r - 320, 150},
        {PaneChild::SizeLine, 0, r - 165, 70},
        {PaneChild::ErrorLine, 0, r - 90, 90},
        {PaneChild::SourceLabel, 1, l, 50 - l},
        {PaneChild::SourceLine, 1, 50, r - 50},
        {PaneChild::TargetLabel, 2, l, 50 - l},
        {PaneChild::TargetLine, 2, 50, r - 50},
        {PaneChild::Bar1, 3, l, r - l - 45},
        {PaneChild::Percent1, 3, r - 40, 40},
        {PaneChild::Bar2, 4, l, r - l - 45},
        {PaneChild::Percent2, 4, r - 40, 40},
        {PaneChild::RemainingLabel, 5, l, 170},
        {PaneChild::RemainingLine, 5, l + 175, 50},
        {PaneChild::SpeedLabel, 5, l + 230, 90},
        {PaneChild::SpeedLine, 5, l + 325, 90},
    };
    std::array<QRect, kPaneChildCount> geometry;
    for (const Cell &cell : cells) {
        const int top = kMargin + kRowPitch * cell.row;
        geometry[size_t(cell.child)] = QRect(cell.left, top, cell.width, kRowHeight);
    }
    return geometry;
}
