#include "unattended/CDlgBatchFenster.h"

#include "controls/GuiTexts.h"
#include "engine/TextFormat.h"
#include "resources/Strings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kHeadingControl = 1044;
constexpr int kCountdownText = 334;
constexpr int kCancelText = 211;
constexpr int kTextPixelSize = 16;
constexpr int kWidth = 460;
const QColor kHeadingBlue(0, 0, 200);
const QColor kCountdownRed(200, 0, 0);

QLabel *colouredLabel(QWidget *parent, const QColor &colour, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPixelSize(kTextPixelSize);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

CDlgBatchFenster::CDlgBatchFenster(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CDlgBatchFenster"));
    setWindowTitle(LoadStr(GuiText::CountdownCaption));
    buildControls();
    m_timer.setInterval(TickMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(); });
    m_remaining = StartSeconds;
    showCountdown();
}

void CDlgBatchFenster::buildControls()
{
    m_heading = colouredLabel(this, kHeadingBlue, "Heading");
    m_heading->setText(ControlText(kHeadingControl));
    m_countdown = colouredLabel(this, kCountdownRed, "Countdown");
    m_countdown->setMinimumHeight(2 * m_countdown->fontMetrics().lineSpacing());
    m_cancel = new QPushButton(LoadStr(kCancelText), this);
    m_cancel->setObjectName(QStringLiteral("Cancel"));
    m_cancel->setDefault(true);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(m_heading);
    layout->addWidget(m_countdown);
    layout->addLayout(buttons);
    setFixedWidth(kWidth);
    setFixedHeight(sizeHint().height());
}

void CDlgBatchFenster::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_ended && !m_timer.isActive())
        m_timer.start();
}

// Whoever ends the dialog first decides its result; no tick comes after it.
void CDlgBatchFenster::done(int result)
{
    m_timer.stop();
    if (m_ended)
        return;
    m_ended = true;
    QDialog::done(result);
}

void CDlgBatchFenster::OnTimer()
{
    if (m_ended)
        return;
    if (m_remaining == 0) {
        m_timer.stop();
        accept();
    }
    showCountdown();
}

void CDlgBatchFenster::showCountdown()
{
    QString text = FormatStr(kCountdownText, {qint64(m_remaining)});
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_countdown->setText(text);
    --m_remaining;
}
