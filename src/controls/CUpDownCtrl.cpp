#include "controls/CUpDownCtrl.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kArrowWidth = 18;

QToolButton *arrowButton(Qt::ArrowType arrow, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

CUpDownCtrl::CUpDownCtrl(QLineEdit &buddy, QWidget *parent)
    : QWidget(parent)
    , m_buddy(buddy)
    , m_up(arrowButton(Qt::UpArrow, this))
    , m_down(arrowButton(Qt::DownArrow, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    const int half = std::max(8, buddy.sizeHint().height() / 2);
    m_up->setFixedSize(kArrowWidth, half);
    m_down->setFixedSize(kArrowWidth, buddy.sizeHint().height() - half);
    connect(m_up, &QToolButton::clicked, this, [this] { StepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { StepBy(-1); });
    m_buddy.installEventFilter(this);
}

void CUpDownCtrl::SetRange(int lower, int upper)
{
    m_lower = std::min(lower, upper);
    m_upper = std::max(lower, upper);
    SetPos(m_pos);
}

void CUpDownCtrl::SetPos(int pos)
{
    m_pos = std::clamp(pos, m_lower, m_upper);
}

void CUpDownCtrl::StepBy(int steps)
{
    bool isNumber = false;
    const int typed = m_buddy.text().trimmed().toInt(&isNumber);
    SetPos((isNumber ? std::clamp(typed, m_lower, m_upper) : m_pos) + steps);
    m_buddy.setText(QString::number(m_pos));
}

bool CUpDownCtrl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
