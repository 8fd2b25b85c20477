#pragma once

#include "controls/CPinsel.h"

#include <QColor>
#include <QString>
#include <QWidget>

namespace model {
class CSettings;
}

// The explanatory note at the top of a page: the text word-wrapped on a background of its own
// brush, inside a thin sunken frame. Brush and text colour come from the settings, section
// "StaticTitelFarben", which the user edits by hand.
class CMyStaticTitel : public QWidget {
    Q_OBJECT

public:
    // Reads the colours from the program's settings file.
    explicit CMyStaticTitel(QWidget *parent = nullptr);

    // Takes "BrushBk" and "Schrift" from `settings`; a missing or empty "BrushBk" keeps the
    // default brush.
    void ApplySettings(const model::CSettings &settings);

    // A text beginning with "#" is composed from string-table entries (ComposeText).
    void SetText(const QString &text);
    const QString &Text() const { return m_text; }

    const CPinsel::BRUSHDATEN &Brush() const { return m_brush; }
    void SetBrush(const CPinsel::BRUSHDATEN &brush);
    const QColor &TextColour() const { return m_textColour; }

    // "#370;371": the strings with these numbers joined, in order; a number 0 or without a
    // string is skipped. Any other text is returned unchanged.
    static QString ComposeText(const QString &text);
    // A colour as the settings store it: 0x00BBGGRR.
    static QColor FromColorRef(int colorRef);

    static constexpr int TextInset = 3;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString m_text;
    CPinsel::BRUSHDATEN m_brush;
    QColor m_textColour = Qt::black;
};
