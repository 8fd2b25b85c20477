#include "unattended/CDlgMessage.h"

#include "controls/GuiTexts.h"
#include "resources/Strings.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int kTextCellHeight = 38;
constexpr int kSideMargin = 20;
constexpr int kTopBottomMargin = 160;
constexpr int kButtonBottom = 488;
const QColor kOkGreen(80, 250, 80);
const QColor kErrorRed(250, 80, 80);

// The largest bold desktop font whose line is at most 38 pixels high.
QFont messageFont(QFont font)
{
    font.setBold(true);
    for (int pixels = kTextCellHeight; pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= kTextCellHeight)
            break;
    }
    return font;
}

} // namespace

CDlgMessage::CDlgMessage(Mode mode, QString text, QWidget *parent)
    : QDialog(parent)
    , m_mode(mode)
    , m_text(std::move(text))
{
    setObjectName(QStringLiteral("CDlgMessage"));
    setWindowTitle(LoadStr(GuiText::StatusCaption));
    m_font = messageFont(font());
    m_close = new QPushButton(LoadStr(GuiText::StatusCloseButton), this);
    m_close->setObjectName(QStringLiteral("CloseButton"));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(WindowWidth, WindowHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    placeButton();
}

QColor CDlgMessage::FillColour() const
{
    return m_mode == Mode::Ok ? kOkGreen : kErrorRed;
}

QRect CDlgMessage::TextRect() const
{
    return rect().adjusted(kSideMargin, kTopBottomMargin, -kSideMargin, -kTopBottomMargin);
}

void CDlgMessage::placeButton()
{
    const QSize size = m_close->sizeHint().expandedTo(QSize(120, 0));
    m_close->setGeometry((WindowWidth - size.width()) / 2, kButtonBottom - 2 * size.height(), size.width(),
                         size.height());
}

void CDlgMessage::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placeButton();
}

void CDlgMessage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), FillColour());
    painter.setPen(Qt::black);
    painter.setFont(m_font);
    QString text = m_text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    painter.drawText(TextRect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
}
