#pragma once

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

// Moves the controls that lie inside a group box together with it. The controls are siblings
// of the box, not its children, so they must be collected once and moved explicitly. All
// rectangles and corners are in the coordinates of the dialog that holds the controls.
class CMoveControls {
public:
    struct CMoveStruct {
        QPointer<QWidget> window;
        QPoint offset; // from the group's top-left corner
        QSize size;
    };

    // Records every descendant of `dialog` whose rectangle lies wholly inside `group` without
    // being equal to it, with its offset from the group's corner.
    void Collect(const QWidget &dialog, const QRect &group);
    // Moves every recorded control to `corner` + its offset, keeping its size.
    void Move(const QPoint &corner) const;

    const std::vector<CMoveStruct> &Controls() const { return m_controls; }

private:
    const QWidget *m_dialog = nullptr;
    std::vector<CMoveStruct> m_controls;
};
