#pragma once

#include <QString>

class QFontMetrics;
class QWidget;

namespace ui {

inline constexpr int ToolTipMilliseconds = 20000;
inline constexpr int ToolTipMaxWidth = 300;
// The room the tip's frame and margins take from the maximum width.
inline constexpr int ToolTipPadding = 12;

// Breaks every line of `text` at blanks so that no line is wider than `maxWidth` pixels in
// `metrics`; a word that is wider on its own keeps a line of its own.
QString WrapToolTip(const QString &text, const QFontMetrics &metrics, int maxWidth);

// The tip of string `stringId` (the part after its first line feed, each CR a line break),
// wrapped to the tool-tip font so that the tip stays within ToolTipMaxWidth pixels.
QString ToolTipText(int stringId);

// Gives `control` the tip of string `stringId` (by default its control number), shown for up
// to 20 seconds.
void SetControlToolTip(QWidget &control, int stringId);

} // namespace ui
