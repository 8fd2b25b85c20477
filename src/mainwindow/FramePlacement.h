#pragma once

#include "model/WindowPlacement.h"

class QWidget;

// The placement record of a top-level window: its show state and its normal geometry.
model::WindowPlacement PlacementOf(const QWidget &window);

// Gives the window the record's normal geometry and show state. A geometry of no size is
// ignored; one that no screen shows is moved onto the primary screen.
void ApplyPlacement(QWidget &window, const model::WindowPlacement &placement);
