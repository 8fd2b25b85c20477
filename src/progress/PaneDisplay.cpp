#include "progress/PaneDisplay.h"

#include "engine/CProgressData.h"
#include "engine/PaneRules.h"
#include "progress/CFortschrittCtrl.h"

namespace {

const QColor kErrorRed(200, 0, 0);
const QColor kNoErrorGreen(0, 140, 0);

constexpr quint64 kBar1Moves = UPD_BAR1_RESET | UPD_BAR1_BYTES | UPD_BAR1_DIRS | UPD_COUNT_SEARCHED;
constexpr quint64 kBar2Moves = UPD_BAR2_RESET | UPD_BAR2_FILE;

void showBars(CFortschrittCtrl &pane, const PaneView &view, quint64 mask, int steps)
{
    if (mask & UPD_BAR1_RESET)
        pane.SetBar1Range(0, 100);
    if (mask & kBar1Moves)
        pane.SetBar1Pos(view.Bar1);
    for (int i = 0; i < steps; ++i)
        pane.StepBar1();
    if (mask & UPD_BAR2_RESET)
        pane.SetBar2Range(0, 100);
    if (mask & kBar2Moves)
        pane.SetBar2Pos(view.Bar2);
}

} // namespace

void ShowPaneView(CFortschrittCtrl &pane, const PaneView &view, quint64 mask, int steps)
{
    pane.SetActionText(view.Action);
    showBars(pane, view, mask, steps);
    pane.SetPercent1Text(view.Percent1);
    pane.SetPercent2Text(view.Percent2);
    pane.SetSource(view.Source);
    pane.SetTarget(view.Target);
    pane.SetCount(view.Count);
    pane.SetSize(view.Size);
    pane.SetRemainingTime(view.Remaining);
    pane.SetSpeed(view.Speed);
    pane.SetErrorLine(view.ErrorLine);
    pane.SetErrorColour(view.ErrorLineRed ? kErrorRed : kNoErrorGreen);
}
