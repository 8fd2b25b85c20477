#pragma once

#include <QRect>
#include <QSize>

#include <vector>

// The rectangles of the run window that its layout moves, in client coordinates.
struct ProgressLayout {
    std::vector<QRect> Panes;
    QRect SummaryBox;
    QRect MessageFrame;
    QRect MessageBox;
};

// Lays the window out for the client size `client`: inside a 5-pixel margin the panes reach
// the right edge, the summary box (of unchanged width) sits at the right below the lowest
// pane and the message frame fills the rest of that band; the message box fills its frame.
// `current` gives the present rectangles; panes keep their left edge, top and height, the
// message frame its left edge.
ProgressLayout LayoutProgressWindow(QSize client, const ProgressLayout &current);
