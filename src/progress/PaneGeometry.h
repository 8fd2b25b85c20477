#pragma once

#include <QRect>
#include <QSize>

#include <array>

// The children of a thread pane in the order the pane creates them.
enum class PaneChild : int {
    Bar1,
    Bar2,
    ActionLine,
    CountLine,
    SizeLine,
    ErrorLine,
    SourceLabel,
    SourceLine,
    TargetLabel,
    TargetLine,
    Percent1,
    Percent2,
    RemainingLabel,
    RemainingLine,
    SpeedLabel,
    SpeedLine,
};

inline constexpr int kPaneChildCount = 16;

// Where each child of a pane of the client size `size` goes: six rows 16 pixels high and 20
// pixels apart inside a 5-pixel margin; the cells of the first rows keep fixed distances from
// the right edge and the action line takes the rest of its row.
std::array<QRect, kPaneChildCount> PaneChildGeometry(QSize size);
