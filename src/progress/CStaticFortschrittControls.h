#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

// One text cell of a thread pane: a single line on its own background, shortened in the
// middle when it does not fit, so that a path keeps its file name. Setters repaint only
// when the value changes, because progress events arrive far more often than texts change.
class CStaticFortschrittControls : public QWidget {
public:
    // What a cell does with a text wider than itself: a changing text (a path, a count) loses
    // its middle; a fixed label is drawn in a smaller font first, because the desktop's font
    // may be wider than the one the pane's geometry was made for.
    enum class Overflow { ElidePath, ShrinkFont };

    explicit CStaticFortschrittControls(QWidget *parent = nullptr, Overflow overflow = Overflow::ElidePath);

    void SetText(const QString &text);
    void SetTextColour(const QColor &colour);

    const QString &Text() const { return m_text; }
    const QColor &TextColour() const { return m_textColour; }
    const QColor &BackgroundColour() const { return m_background; }
    // The font and the text as they are drawn in the cell's current width.
    QFont DisplayedFont() const;
    QString DisplayedText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int padding() const;
    int textWidth() const;

    Overflow m_overflow;
    QString m_text;
    QColor m_background{236, 233, 216};
    QColor m_textColour{0, 0, 0};
};
