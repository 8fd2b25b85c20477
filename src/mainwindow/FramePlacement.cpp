#include "mainwindow/FramePlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

constexpr qint32 kNoPosition = -1;

bool onSomeScreen(const QRect &rect)
{
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(rect))
            return true;
    }
    return false;
}

} // namespace

model::WindowPlacement PlacementOf(const QWidget &window)
{
    model::WindowPlacement placement;
    if (window.isMinimized())
        placement.ShowCommand = model::WindowPlacement::ShowMinimized;
    else if (window.isMaximized())
        placement.ShowCommand = model::WindowPlacement::ShowMaximized;
    else
        placement.ShowCommand = model::WindowPlacement::ShowNormal;
    placement.MinX = placement.MinY = placement.MaxX = placement.MaxY = kNoPosition;
    const QRect normal = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    placement.Left = normal.left();
    placement.Top = normal.top();
    placement.Right = normal.left() + normal.width();
    placement.Bottom = normal.top() + normal.height();
    return placement;
}

void ApplyPlacement(QWidget &window, const model::WindowPlacement &placement)
{
    QRect normal(placement.Left, placement.Top, placement.Right - placement.Left, placement.Bottom - placement.Top);
    if (normal.width() > 0 && normal.height() > 0) {
        const QScreen *primary = QGuiApplication::primaryScreen();
        if (!onSomeScreen(normal) && primary)
            normal.moveTopLeft(primary->availableGeometry().topLeft());
        window.setGeometry(normal);
    }
    if (placement.ShowCommand == model::WindowPlacement::ShowMaximized)
        window.setWindowState(Qt::WindowMaximized);
    else
        window.setWindowState(Qt::WindowNoState);
}
