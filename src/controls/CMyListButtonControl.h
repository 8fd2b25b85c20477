#pragma once

#include "controls/CMyBasisControl.h"

#include <QCheckBox>

// The in-place editor of a yes/no column: a check box over the cell, set when the cell says
// "Ja" in any letter case; it commits "Ja" or "Nein".
class CMyListButtonControl : public QCheckBox, public CMyBasisControl {
public:
    CMyListButtonControl(CMyListCtrl &list, int row, int column);

    void Start() override;
    QWidget &Widget() override { return *this; }

protected:
    QString CommittedText() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
