#include "progress/CStaticFortschrittControls.h"

#include "progress/PathEllipsis.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kSmallestPixelSize = 8;
// Keeps a label from touching the text of the cell to its right.
constexpr int kLabelPadding = 2;

} // namespace

CStaticFortschrittControls::CStaticFortschrittControls(QWidget *parent, Overflow overflow)
    : QWidget(parent)
    , m_overflow(overflow)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CStaticFortschrittControls::SetText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
}

void CStaticFortschrittControls::SetTextColour(const QColor &colour)
{
    if (colour == m_textColour)
        return;
    m_textColour = colour;
    update();
}

QFont CStaticFortschrittControls::DisplayedFont() const
{
    QFont shown = font();
    if (m_overflow != Overflow::ShrinkFont || shown.pixelSize() <= 0)
        return shown;
    while (shown.pixelSize() > kSmallestPixelSize && QFontMetrics(shown).horizontalAdvance(m_text) > textWidth())
        shown.setPixelSize(shown.pixelSize() - 1);
    return shown;
}

QString CStaticFortschrittControls::DisplayedText() const
{
    return ElidePath(m_text, QFontMetrics(DisplayedFont()), textWidth());
}

int CStaticFortschrittControls::padding() const
{
    return m_overflow == Overflow::ShrinkFont ? kLabelPadding : 0;
}

int CStaticFortschrittControls::textWidth() const
{
    return std::max(0, width() - padding());
}

void CStaticFortschrittControls::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.setPen(m_textColour);
    const QFont shown = DisplayedFont();
    painter.setFont(shown);
    painter.drawText(rect().adjusted(padding(), 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     ElidePath(m_text, QFontMetrics(shown), textWidth()));
}
