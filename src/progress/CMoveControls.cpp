#include "progress/CMoveControls.h"

void CMoveControls::Collect(const QWidget &dialog, const QRect &group)
{
    m_dialog = &dialog;
    m_controls.clear();
    const auto children = dialog.findChildren<QWidget *>();
    for (QWidget *child : children) {
        const QRect rect(child->mapTo(&dialog, QPoint(0, 0)), child->size());
        if (rect == group || !group.contains(rect))
            continue;
        m_controls.push_back({child, rect.topLeft() - group.topLeft(), rect.size()});
    }
}

void CMoveControls::Move(const QPoint &corner) const
{
    for (const CMoveStruct &control : m_controls) {
        if (!control.window)
            continue;
        const QPoint target = corner + control.offset;
        QWidget *parent = control.window->parentWidget();
        const QPoint local = parent == m_dialog ? target : parent->mapFrom(m_dialog, target);
        control.window->setGeometry(QRect(local, control.size));
    }
}
