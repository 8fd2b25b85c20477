#pragma once

#include <QtGlobal>

class CFortschrittCtrl;
struct PaneView;

// Shows `view` in `pane` after a pane event with `mask`. Bar 1 is set only when the event
// moved it and then advances by the `steps` the event added; every text goes through the
// pane's setters, which leave unchanged cells alone.
void ShowPaneView(CFortschrittCtrl &pane, const PaneView &view, quint64 mask, int steps);
