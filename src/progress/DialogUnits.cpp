#include "progress/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>

namespace {

int averageCharWidth(const QFontMetrics &metrics)
{
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
}

int scaled(int units, int base, int divisor)
{
    return (units * base + divisor / 2) / divisor;
}

} // namespace

DialogUnits::DialogUnits(const QFont &font)
    : m_baseX(averageCharWidth(QFontMetrics(font)))
    , m_baseY(QFontMetrics(font).height())
{
}

int DialogUnits::X(int units) const
{
    return scaled(units, m_baseX, 4);
}

int DialogUnits::Y(int units) const
{
    return scaled(units, m_baseY, 8);
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const
{
    const int left = X(x);
    const int top = Y(y);
    return QRect(left, top, X(x + width) - left, Y(y + height) - top);
}
