#include "controls/TabImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace TabImages {

namespace {

const QColor kInk(60, 60, 70);
const QColor kPaper(255, 255, 255);
const QColor kGreen(40, 150, 60);
const QColor kBlue(40, 90, 190);
const QColor kRed(200, 50, 50);
const QColor kCardboard(205, 160, 95);

using Drawing = std::function<void(QPainter &)>;

void page(QPainter &p, const QRectF &r)
{
    const qreal fold = 4;
    QPainterPath outline;
    outline.moveTo(r.left(), r.top());
    outline.lineTo(r.right() - fold, r.top());
    outline.lineTo(r.right(), r.top() + fold);
    outline.lineTo(r.right(), r.bottom());
    outline.lineTo(r.left(), r.bottom());
    outline.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(outline);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void tick(QPainter &p, const QPointF &a, const QPointF &b, const QPointF &c, const QColor &colour)
{
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QList<QPointF>{a, b, c});
}

void option(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 3.5, 11, 11));
    tick(p, {4, 9}, {7, 12}, {14, 2}, kBlue);
}

void pruefdatei(QPainter &p)
{
    page(p, QRectF(2.5, 0.5, 10, 14));
    tick(p, {6, 10}, {9, 13}, {15, 5}, kGreen);
}

void muster(QPainter &p)
{
    page(p, QRectF(2.5, 0.5, 11, 14));
    p.setPen(QPen(kBlue, 1.6, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre(8, 8);
    for (const QPointF &arm : {QPointF(0, 4), QPointF(3.5, 2), QPointF(3.5, -2)})
        p.drawLine(centre - arm, centre + arm);
}

void datum(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 2.5, 13, 12));
    p.fillRect(QRectF(2, 3, 12, 3), kRed);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column)
            p.drawRect(QRectF(3.5 + column * 2.75, 7.5 + row * 2.2, 1.4, 1.2));
    }
}

void dateien(QPainter &p)
{
    page(p, QRectF(4.5, 0.5, 10, 12));
    page(p, QRectF(1.5, 3.5, 10, 12));
    p.setPen(QPen(kBlue, 1));
    for (qreal y : {7.5, 9.5, 11.5, 13.5})
        p.drawLine(QPointF(3.5, y), QPointF(9.5, y));
}

void box(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kCardboard);
    p.drawRect(QRectF(1.5, 6.5, 13, 8));
    p.setPen(QPen(kInk, 1, Qt::DotLine));
    p.drawLine(QPointF(8, 7), QPointF(8, 14));
}

void komprimieren(QPainter &p)
{
    box(p);
    p.setPen(QPen(kGreen, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(8, 0.5), QPointF(8, 5));
    p.drawPolyline(QList<QPointF>{{5.5, 2.5}, {8, 5}, {10.5, 2.5}});
}

void dekomprimieren(QPainter &p)
{
    box(p);
    p.setPen(QPen(kGreen, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(8, 5), QPointF(8, 0.5));
    p.drawPolyline(QList<QPointF>{{5.5, 3}, {8, 0.5}, {10.5, 3}});
}

QPixmap render(const Drawing &drawing, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(size) / Size, qreal(size) / Size);
    drawing(painter);
    return pixmap;
}

} // namespace

QIcon Get(int index)
{
    static const Drawing drawings[Count] = {option, pruefdatei, muster, datum, dateien, komprimieren, dekomprimieren};
    if (index < 0 || index >= Count)
        return QIcon();
    QIcon icon;
    icon.addPixmap(render(drawings[index], Size));
    icon.addPixmap(render(drawings[index], 2 * Size));
    return icon;
}

} // namespace TabImages
