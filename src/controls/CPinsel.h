#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

// The background brush of the title controls: a solid colour, a linear gradient, or a gradient
// from the centre of the rectangle out to its outline.
class CPinsel {
public:
    enum Kind : qint32 {
        CentreToOutline = 0, // colour 1 in the centre, colour 2 on the outline
        Horizontal = 1,      // colour 1 left, colour 2 right
        Vertical = 2,        // colour 1 top, colour 2 bottom
        ForwardDiagonal = 3, // colour 1 top left, colour 2 bottom right
        BackwardDiagonal = 4, // colour 1 top right, colour 2 bottom left
        Corners = 5,         // corners alternate colour 1 and 2, their average in the centre
        SolidColour1 = 6,
        SolidColour2 = 7,
        NoFill = 9,          // the background stays as the parent drew it
    };

    // The brush description as the settings keep it. Colours are 32-bit ARGB values.
    struct BRUSHDATEN {
        qint32 Colour1 = -2960641; // opaque RGB(210, 210, 255)
        qint32 Colour2 = 0;
        qint32 Extra = 0;          // kept as read; drawing does not use it
        qint32 Kind = SolidColour1;

        friend bool operator==(const BRUSHDATEN &, const BRUSHDATEN &) = default;
    };

    // Reads "colour 1,colour 2,kind,extra value" into `brush`; a missing token counts as 0.
    static BRUSHDATEN Parse(const QString &text);

    static QColor FromArgb(qint32 argb);

    // The colour halfway between two colours, each channel (a + b) / 2 rounded down.
    static QColor Average(const QColor &a, const QColor &b);

    // Fills `rect` with the brush; kinds other than 0 to 7 and 9 fill with colour 1.
    static void Fill(QPainter &painter, const QRect &rect, const BRUSHDATEN &brush);

    // The colour a gradient of kind 0 or 5 has at the point (x, y) of `rect` (pixel centres).
    static QColor PathGradientColour(const BRUSHDATEN &brush, const QRect &rect, double x, double y);
};
