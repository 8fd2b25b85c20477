#include "controls/CMyStaticTitel.h"

#include "engine/CUtil.h"
#include "model/CSettings.h"
#include "model/DateTimeText.h"
#include "resources/Strings.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextExpandTabs;
// A width to measure the text at when the layout does not ask for one.
constexpr int kPreferredWidth = 600;
// A little air above and below the text, so that a one-line note does not look squeezed.
constexpr int kVerticalAir = 4;

} // namespace

CMyStaticTitel::CMyStaticTitel(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    ApplySettings(model::AppSettings());
}

void CMyStaticTitel::ApplySettings(const model::CSettings &settings)
{
    const std::optional<QString> brush = settings.TitleBrush();
    if (brush && !brush->isEmpty())
        m_brush = CPinsel::Parse(*brush);
    m_textColour = FromColorRef(settings.TitleFont());
    update();
}

void CMyStaticTitel::SetText(const QString &text)
{
    m_text = ComposeText(text);
    updateGeometry();
    update();
}

void CMyStaticTitel::SetBrush(const CPinsel::BRUSHDATEN &brush)
{
    m_brush = brush;
    update();
}

QString CMyStaticTitel::ComposeText(const QString &text)
{
    if (!text.startsWith(u'#'))
        return text;
    const QString ids = text.mid(1);
    QString composed;
    QString token;
    for (int index = 1; CUtil::ExtractToken(token, ids, index, u';'); ++index) {
        const int id = model::ParseLeadingInt(token);
        if (id != 0)
            composed += LoadStr(id);
    }
    return composed;
}

QColor CMyStaticTitel::FromColorRef(int colorRef)
{
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

int CMyStaticTitel::heightForWidth(int width) const
{
    const QRect text(0, 0, std::max(1, width - 2 * TextInset), 100000);
    const int textHeight = fontMetrics().boundingRect(text, kTextFlags, m_text).height();
    return textHeight + 2 * TextInset + 2 * kVerticalAir;
}

QSize CMyStaticTitel::sizeHint() const
{
    return {kPreferredWidth, heightForWidth(kPreferredWidth)};
}

QSize CMyStaticTitel::minimumSizeHint() const
{
    return {2 * TextInset + fontMetrics().averageCharWidth() * 10, fontMetrics().height() + 2 * TextInset};
}

void CMyStaticTitel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = rect();
    CPinsel::Fill(painter, area, m_brush);
    painter.setPen(Qt::black);
    painter.drawLine(area.topLeft(), area.topRight());
    painter.drawLine(area.topLeft(), area.bottomLeft());
    painter.setPen(Qt::white);
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomRight());
    painter.setPen(m_textColour);
    painter.drawText(area.adjusted(TextInset, TextInset, -TextInset, -TextInset), kTextFlags, m_text);
}

void CMyStaticTitel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}
