#include "controls/CPinsel.h"

#include "engine/CUtil.h"
#include "model/DateTimeText.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

int mix(int a, int b, double t)
{
    return int(std::lround(a + (b - a) * t));
}

QColor blend(const QColor &a, const QColor &b, double t)
{
    return QColor(mix(a.red(), b.red(), t), mix(a.green(), b.green(), t), mix(a.blue(), b.blue(), t),
                  mix(a.alpha(), b.alpha(), t));
}

qint32 token(const QString &text, int index)
{
    QString part;
    if (!CUtil::ExtractToken(part, text, index, u','))
        return 0;
    return model::ParseLeadingInt(part);
}

// The colour on the outline of the rectangle where the ray from the centre through the
// normalised point (u, v) leaves it; the corners alternate colour 1 and colour 2, clockwise
// from the top left.
QColor outlineColour(const QColor &c1, const QColor &c2, double u, double v, double t)
{
    if (std::abs(v) >= std::abs(u)) {
        const double s = (u / t + 1.0) / 2.0;
        return v < 0 ? blend(c1, c2, s) : blend(c2, c1, s);
    }
    const double s = (v / t + 1.0) / 2.0;
    return u > 0 ? blend(c2, c1, s) : blend(c1, c2, s);
}

QLinearGradient linearGradient(const QRect &rect, qint32 kind)
{
    const QRectF r(rect);
    switch (kind) {
    case CPinsel::Horizontal:
        return QLinearGradient(r.left(), r.center().y(), r.right(), r.center().y());
    case CPinsel::Vertical:
        return QLinearGradient(r.center().x(), r.top(), r.center().x(), r.bottom());
    case CPinsel::ForwardDiagonal:
        return QLinearGradient(r.topLeft(), r.bottomRight());
    default:
        return QLinearGradient(r.topRight(), r.bottomLeft());
    }
}

void fillPathGradient(QPainter &painter, const QRect &rect, const CPinsel::BRUSHDATEN &brush)
{
    QImage image(rect.size(), QImage::Format_ARGB32);
    for (int y = 0; y < rect.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < rect.width(); ++x)
            line[x] = CPinsel::PathGradientColour(brush, rect, rect.x() + x + 0.5, rect.y() + y + 0.5).rgba();
    }
    painter.drawImage(rect.topLeft(), image);
}

} // namespace

CPinsel::BRUSHDATEN CPinsel::Parse(const QString &text)
{
    BRUSHDATEN brush;
    brush.Colour1 = token(text, 1);
    brush.Colour2 = token(text, 2);
    brush.Kind = token(text, 3);
    brush.Extra = token(text, 4);
    return brush;
}

QColor CPinsel::FromArgb(qint32 argb)
{
    return QColor::fromRgba(static_cast<QRgb>(static_cast<quint32>(argb)));
}

QColor CPinsel::Average(const QColor &a, const QColor &b)
{
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2,
                  (a.alpha() + b.alpha()) / 2);
}

QColor CPinsel::PathGradientColour(const BRUSHDATEN &brush, const QRect &rect, double x, double y)
{
    const QColor c1 = FromArgb(brush.Colour1);
    const QColor c2 = FromArgb(brush.Colour2);
    const double halfWidth = std::max(rect.width() / 2.0, 0.5);
    const double halfHeight = std::max(rect.height() / 2.0, 0.5);
    const double u = (x - (rect.x() + rect.width() / 2.0)) / halfWidth;
    const double v = (y - (rect.y() + rect.height() / 2.0)) / halfHeight;
    const double t = std::min(1.0, std::max(std::abs(u), std::abs(v)));
    if (brush.Kind != Corners)
        return blend(c1, c2, t);
    const QColor centre = Average(c1, c2);
    if (t <= 0.0)
        return centre;
    return blend(centre, outlineColour(c1, c2, u, v, t), t);
}

void CPinsel::Fill(QPainter &painter, const QRect &rect, const BRUSHDATEN &brush)
{
    if (rect.isEmpty())
        return;
    switch (brush.Kind) {
    case NoFill:
        return;
    case CentreToOutline:
    case Corners:
        fillPathGradient(painter, rect, brush);
        return;
    case Horizontal:
    case Vertical:
    case ForwardDiagonal:
    case BackwardDiagonal: {
        QLinearGradient gradient = linearGradient(rect, brush.Kind);
        gradient.setColorAt(0.0, FromArgb(brush.Colour1));
        gradient.setColorAt(1.0, FromArgb(brush.Colour2));
        painter.fillRect(rect, gradient);
        return;
    }
    case SolidColour2:
        painter.fillRect(rect, FromArgb(brush.Colour2));
        return;
    default:
        painter.fillRect(rect, FromArgb(brush.Colour1));
        return;
    }
}
