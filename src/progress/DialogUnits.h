#pragma once

#include <QRect>

class QFont;

// Converts the dialog units of a window template into pixels for the window's font: a
// horizontal unit is a quarter of the font's average character width, a vertical unit an
// eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont &font);

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;

private:
    int m_baseX;
    int m_baseY;
};
