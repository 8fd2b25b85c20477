#include "mainwindow/AppIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>

namespace AppIcons {

namespace {

using Drawing = std::function<void(QPainter &)>;

const QColor kOutline(60, 60, 60);
const QColor kPaper(250, 250, 250);
const QColor kFolder(232, 182, 62);
const QColor kBlue(52, 101, 164);
const QColor kGreen(60, 150, 60);

// Draws on a 16 x 16 grid, scaled to the pixmap's size.
QPixmap render(const Drawing &draw, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    draw(painter);
    return pixmap;
}

void page(QPainter &p, const QRectF &r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 3, r.top()), QPointF(r.right() - 3, r.top() + 3));
    p.drawLine(QPointF(r.right() - 3, r.top() + 3), QPointF(r.right(), r.top() + 3));
}

void lines(QPainter &p, const QRectF &r, int count)
{
    p.setPen(QPen(QColor(140, 140, 140), 0.8));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(r.left() + 2, r.top() + 5 + 2 * i), QPointF(r.right() - 2, r.top() + 5 + 2 * i));
}

void arrow(QPainter &p, const QColor &colour, bool up)
{
    QPolygonF shape;
    const qreal tip = up ? 2.5 : 13.5;
    const qreal base = up ? 8.5 : 7.5;
    const qreal tail = up ? 13.5 : 2.5;
    shape << QPointF(8, tip) << QPointF(14, base) << QPointF(10.5, base) << QPointF(10.5, tail)
          << QPointF(5.5, tail) << QPointF(5.5, base) << QPointF(2, base);
    p.setPen(QPen(colour.darker(140), 0.8));
    p.setBrush(colour);
    p.drawPolygon(shape);
}

void drawNew(QPainter &p)
{
    page(p, QRectF(3, 1.5, 10, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 200, 40));
    p.drawEllipse(QPointF(12.5, 12.5), 2.5, 2.5);
}

void drawOpen(QPainter &p)
{
    p.setPen(QPen(kFolder.darker(150), 0.8));
    p.setBrush(kFolder.darker(110));
    p.drawRoundedRect(QRectF(1.5, 3, 12, 10.5), 1, 1);
    QPolygonF front;
    front << QPointF(3.5, 6.5) << QPointF(15, 6.5) << QPointF(13, 13.5) << QPointF(1.5, 13.5);
    p.setBrush(kFolder);
    p.drawPolygon(front);
}

void drawSave(QPainter &p)
{
    p.setPen(QPen(kBlue.darker(150), 0.8));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.2, 1.2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(210, 210, 210));
    p.drawRect(QRectF(4, 9, 8, 5.5));
}

void drawCut(QPainter &p)
{
    p.setPen(QPen(kOutline, 1.2));
    p.drawLine(QPointF(4, 1.5), QPointF(10.5, 11));
    p.drawLine(QPointF(12, 1.5), QPointF(5.5, 11));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(180, 30, 30), 1.3));
    p.drawEllipse(QPointF(4.5, 12.5), 2.2, 2.2);
    p.drawEllipse(QPointF(11.5, 12.5), 2.2, 2.2);
}

void drawCopy(QPainter &p)
{
    page(p, QRectF(1.5, 1.5, 8.5, 10.5));
    page(p, QRectF(6, 4, 8.5, 10.5));
    lines(p, QRectF(6, 4, 8.5, 10.5), 3);
}

void drawPaste(QPainter &p)
{
    p.setPen(QPen(QColor(120, 80, 30), 0.8));
    p.setBrush(QColor(190, 140, 70));
    p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4, 1.5, 5, 2.5));
    page(p, QRectF(6.5, 6, 8, 8.5));
}

void drawRun(QPainter &p)
{
    p.setPen(QPen(kGreen.darker(150), 0.8));
    p.setBrush(kGreen);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QPolygonF play;
    play << QPointF(6.2, 4.5) << QPointF(11.8, 8) << QPointF(6.2, 11.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(play);
}

void drawRetryRun(QPainter &p)
{
    page(p, QRectF(1.5, 1.5, 9.5, 13));
    lines(p, QRectF(1.5, 1.5, 9.5, 13), 4);
    QPolygonF play;
    play << QPointF(9, 7.5) << QPointF(15, 11.25) << QPointF(9, 15);
    p.setPen(QPen(kGreen.darker(150), 0.8));
    p.setBrush(kGreen);
    p.drawPolygon(play);
}

// A turtle seen from above, the program's sign.
void drawApp(QPainter &p)
{
    const QColor skin(110, 160, 70);
    p.setPen(QPen(skin.darker(160), 0.6));
    p.setBrush(skin);
    p.drawEllipse(QPointF(8, 2.6), 1.7, 1.9);
    for (const QPointF &leg : {QPointF(3.6, 5.4), QPointF(12.4, 5.4), QPointF(3.8, 11.6), QPointF(12.2, 11.6)})
        p.drawEllipse(leg, 1.6, 1.4);
    p.setBrush(QColor(150, 100, 45));
    p.drawEllipse(QRectF(3.2, 3.6, 9.6, 10.2));
    p.setPen(QPen(QColor(90, 60, 25), 0.6));
    p.setBrush(QColor(185, 135, 70));
    QPolygonF plate;
    for (int i = 0; i < 6; ++i) {
        const qreal angle = 3.14159265 / 3 * i + 3.14159265 / 6;
        plate << QPointF(8 + 2.4 * std::cos(angle), 8.7 + 2.4 * std::sin(angle));
    }
    p.drawPolygon(plate);
}

Drawing drawing(Id id)
{
    switch (id) {
    case Id::New:
        return drawNew;
    case Id::Open:
        return drawOpen;
    case Id::Save:
        return drawSave;
    case Id::Cut:
        return drawCut;
    case Id::Copy:
        return drawCopy;
    case Id::Paste:
        return drawPaste;
    case Id::Run:
        return drawRun;
    case Id::RetryRun:
        return drawRetryRun;
    case Id::MoveUp:
        return [](QPainter &p) { arrow(p, kBlue, true); };
    case Id::MoveDown:
        return [](QPainter &p) { arrow(p, kBlue, false); };
    case Id::App:
        return drawApp;
    }
    return drawNew;
}

QString themeName(Id id)
{
    switch (id) {
    case Id::New:
        return QStringLiteral("document-new");
    case Id::Open:
        return QStringLiteral("document-open");
    case Id::Save:
        return QStringLiteral("document-save");
    case Id::Cut:
        return QStringLiteral("edit-cut");
    case Id::Copy:
        return QStringLiteral("edit-copy");
    case Id::Paste:
        return QStringLiteral("edit-paste");
    default:
        return QString();
    }
}

} // namespace

QIcon Get(Id id)
{
    const QString theme = themeName(id);
    if (!theme.isEmpty() && QIcon::hasThemeIcon(theme))
        return QIcon::fromTheme(theme);
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(render(drawing(id), size));
    return icon;
}

} // namespace AppIcons
