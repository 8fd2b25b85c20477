#pragma once

#include "controls/CMyBasisControl.h"

#include <QLineEdit>

// The in-place editor of a text column: a one-line edit over the cell, holding the cell's text.
class CMyListEditControl : public QLineEdit, public CMyBasisControl {
public:
    CMyListEditControl(CMyListCtrl &list, int row, int column);

    void Start() override;
    QWidget &Widget() override { return *this; }

protected:
    QString CommittedText() const override { return text(); }
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
