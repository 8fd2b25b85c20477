#pragma once

#include <QEvent>
#include <QObject>

// Counts the paint events of the widget it is installed on.
class PaintCounter : public QObject {
public:
    int Count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return QObject::eventFilter(watched, event);
    }

private:
    int m_count = 0;
};
