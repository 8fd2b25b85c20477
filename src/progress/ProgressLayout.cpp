#include "progress/ProgressLayout.h"

#include <algorithm>

namespace {

constexpr int kMargin = 5;
constexpr int kGap = 5;
constexpr int kFrameInset = 10;
constexpr int kFrameCaption = 5;

QRect fromEdges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

} // namespace

ProgressLayout LayoutProgressWindow(QSize client, const ProgressLayout &current)
{
    const int workRight = client.width() - kMargin;
    const int workBottom = client.height() - kMargin;
    ProgressLayout result;
    int lowestPane = kMargin;
    for (const QRect &pane : current.Panes) {
        const QRect moved = fromEdges(pane.left(), pane.top(), workRight, pane.top() + pane.height());
        result.Panes.push_back(moved);
        lowestPane = std::max(lowestPane, moved.top() + moved.height());
    }
    const int bandTop = lowestPane + kGap;
    const int summaryLeft = workRight - current.SummaryBox.width();
    result.SummaryBox = fromEdges(summaryLeft, bandTop, workRight, workBottom);
    result.MessageFrame = fromEdges(current.MessageFrame.left(), bandTop, summaryLeft - kGap, workBottom);
    const QRect &frame = result.MessageFrame;
    result.MessageBox = fromEdges(frame.left() + kFrameInset, frame.top() + kFrameInset + kFrameCaption,
                                  frame.left() + frame.width() - kFrameInset,
                                  frame.top() + frame.height() - kFrameInset);
    return result;
}
