#pragma once

#include <QString>

class QFontMetrics;

// The text that fits into `width` pixels. A path that is too wide loses characters from the
// middle of its directory part, replaced by "...", so that its last component stays readable;
// only a last component that alone is too wide is cut at its end. A text without "/" is
// shortened in its middle.
QString ElidePath(const QString &text, const QFontMetrics &metrics, int width);
