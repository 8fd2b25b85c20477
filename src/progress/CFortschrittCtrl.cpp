#include "progress/CFortschrittCtrl.h"

#include "engine/PaneRules.h"
#include "engine/TextFormat.h"
#include "progress/CStaticFortschrittControls.h"
#include "progress/ProgressTexts.h"
#include "resources/Strings.h"

#include <QPainter>
#include <QProgressBar>

namespace {

constexpr int kBarStep = 10;
constexpr int kFontPixelSize = 11;
const QColor kPanelBackground(192, 192, 192);
const QColor kCountColour(0, 0, 200);
const QColor kPercent1Colour(0, 0, 180);
const QColor kPercent2Colour(0, 150, 0);

QFont paneFont(QFont::Weight weight)
{
    QFont font;
    font.setPixelSize(kFontPixelSize);
    font.setWeight(weight);
    return font;
}

QProgressBar *createBar(QWidget *parent, const QColor &colour)
{
    auto *bar = new QProgressBar(parent);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Highlight, colour);
    bar->setPalette(palette);
    return bar;
}

bool isCell(PaneChild child)
{
    return child != PaneChild::Bar1 && child != PaneChild::Bar2;
}

} // namespace

CFortschrittCtrl::CFortschrittCtrl(QWidget *parent)
    : QWidget(parent)
    , m_bar1(createBar(this, QColor(0, 0, 250)))
    , m_bar2(createBar(this, QColor(0, 250, 0)))
    , m_normalFont(paneFont(QFont::Normal))
    , m_boldFont(paneFont(QFont::Bold))
{
    createCells();
    layoutChildren();
    Cell(PaneChild::ActionLine).SetTextColour(kCountColour);
    Cell(PaneChild::CountLine).SetTextColour(kCountColour);
    Cell(PaneChild::SizeLine).SetTextColour(kCountColour);
    Cell(PaneChild::Percent2).SetTextColour(kPercent2Colour);
    Cell(PaneChild::Percent1).SetTextColour(kPercent1Colour);
}

void CFortschrittCtrl::createCells()
{
    for (int i = 0; i < kPaneChildCount; ++i) {
        const auto child = PaneChild(i);
        if (!isCell(child))
            continue;
        const bool label = child == PaneChild::SourceLabel || child == PaneChild::TargetLabel
            || child == PaneChild::RemainingLabel || child == PaneChild::SpeedLabel;
        using Overflow = CStaticFortschrittControls::Overflow;
        auto *cell = new CStaticFortschrittControls(this, label ? Overflow::ShrinkFont : Overflow::ElidePath);
        const bool bold = child == PaneChild::SourceLabel || child == PaneChild::TargetLabel;
        cell->setFont(bold ? m_boldFont : m_normalFont);
        m_cells[size_t(i)] = cell;
    }
    Cell(PaneChild::SourceLabel).SetText(LoadStr(kTextSourceLabel));
    Cell(PaneChild::TargetLabel).SetText(LoadStr(kTextTargetLabel));
    Cell(PaneChild::RemainingLabel).SetText(LoadStr(kTextRemainingLabel));
    Cell(PaneChild::SpeedLabel).SetText(LoadStr(kTextSpeedLabel));
}

CStaticFortschrittControls &CFortschrittCtrl::Cell(PaneChild child) const
{
    return *m_cells[size_t(child)];
}

void CFortschrittCtrl::layoutChildren()
{
    const auto geometry = PaneChildGeometry(size());
    m_bar1->setGeometry(geometry[size_t(PaneChild::Bar1)]);
    m_bar2->setGeometry(geometry[size_t(PaneChild::Bar2)]);
    for (int i = 0; i < kPaneChildCount; ++i) {
        if (m_cells[size_t(i)])
            m_cells[size_t(i)]->setGeometry(geometry[size_t(i)]);
    }
}

void CFortschrittCtrl::resizeEvent(QResizeEvent *)
{
    layoutChildren();
}

void CFortschrittCtrl::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), kPanelBackground);
}

void CFortschrittCtrl::SetAction(int stringId)
{
    SetActionText(stringId == 0 ? QString() : LoadStr(stringId));
}

void CFortschrittCtrl::SetActionText(const QString &text) { Cell(PaneChild::ActionLine).SetText(text); }
void CFortschrittCtrl::SetSource(const QString &text) { Cell(PaneChild::SourceLine).SetText(text); }
void CFortschrittCtrl::SetTarget(const QString &text) { Cell(PaneChild::TargetLine).SetText(text); }
void CFortschrittCtrl::SetCount(const QString &text) { Cell(PaneChild::CountLine).SetText(text); }
void CFortschrittCtrl::SetSize(const QString &text) { Cell(PaneChild::SizeLine).SetText(text); }
void CFortschrittCtrl::SetRemainingTime(const QString &text) { Cell(PaneChild::RemainingLine).SetText(text); }
void CFortschrittCtrl::SetSpeed(const QString &text) { Cell(PaneChild::SpeedLine).SetText(text); }
void CFortschrittCtrl::SetPercent1Text(const QString &text) { Cell(PaneChild::Percent1).SetText(text); }
void CFortschrittCtrl::SetPercent2Text(const QString &text) { Cell(PaneChild::Percent2).SetText(text); }

void CFortschrittCtrl::SetErrorCount(int errorCount)
{
    Cell(PaneChild::ErrorLine).SetText(FormatStr(336, {qint64(errorCount)}));
}

void CFortschrittCtrl::SetErrorLine(const QString &text)
{
    Cell(PaneChild::ErrorLine).SetText(text);
}

void CFortschrittCtrl::SetErrorColour(const QColor &colour)
{
    Cell(PaneChild::ErrorLine).SetTextColour(colour);
}

void CFortschrittCtrl::SetPercent1(qint64 done, qint64 total) { SetPercent1Text(PercentText(done, total)); }
void CFortschrittCtrl::SetPercent2(qint64 done, qint64 total) { SetPercent2Text(PercentText(done, total)); }

void CFortschrittCtrl::SetBar1Range(int low, int high) { m_bar1->setRange(low, high); }
void CFortschrittCtrl::SetBar2Range(int low, int high) { m_bar2->setRange(low, high); }
void CFortschrittCtrl::SetBar1Pos(int position) { setBarPos(*m_bar1, position); }
void CFortschrittCtrl::SetBar2Pos(int position) { setBarPos(*m_bar2, position); }

void CFortschrittCtrl::StepBar1()
{
    const int low = m_bar1->minimum();
    const int high = m_bar1->maximum();
    int position = m_bar1->value() + kBarStep;
    if (position > high && high > low)
        position = (position - low) % (high - low) + low;
    setBarPos(*m_bar1, position);
}

void CFortschrittCtrl::setBarPos(QProgressBar &bar, int position)
{
    if (bar.value() == position)
        return;
    bar.setValue(position);
    bar.repaint();
}
