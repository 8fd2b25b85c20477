#include "controls/CMyListEditControl.h"

#include "controls/CMyListCtrl.h"

#include <QFocusEvent>
#include <QKeyEvent>

CMyListEditControl::CMyListEditControl(CMyListCtrl &list, int row, int column)
    : QLineEdit(list.viewport())
    , CMyBasisControl(list, row, column)
{
    setObjectName(QStringLiteral("CMyListEditControl"));
}

void CMyListEditControl::Start()
{
    setFont(List().font());
    setFrame(true);
    setText(CellText());
    setGeometry(CellRect());
    show();
    setFocus(Qt::OtherFocusReason);
}

void CMyListEditControl::keyPressEvent(QKeyEvent *event)
{
    if (!FinishByKey(*event))
        QLineEdit::keyPressEvent(event);
}

// The edit's own context menu takes the focus for a moment; that is no end of the edit.
void CMyListEditControl::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        Finish(EditorFinish::Commit);
}
