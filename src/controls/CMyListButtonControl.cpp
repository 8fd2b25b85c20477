#include "controls/CMyListButtonControl.h"

#include "controls/CMyListCtrl.h"
#include "model/CListData.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace {

constexpr int kIndicatorIndent = 4;

} // namespace

CMyListButtonControl::CMyListButtonControl(CMyListCtrl &list, int row, int column)
    : QCheckBox(list.viewport())
    , CMyBasisControl(list, row, column)
{
    setObjectName(QStringLiteral("CMyListButtonControl"));
    // The box covers the cell's text, which it replaces while it is open.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setContentsMargins(kIndicatorIndent, 0, 0, 0);
}

void CMyListButtonControl::Start()
{
    setChecked(model::ParseYesNo(CellText()) != 0);
    setGeometry(CellRect());
    show();
    setFocus(Qt::OtherFocusReason);
}

QString CMyListButtonControl::CommittedText() const
{
    return model::YesNoText(isChecked() ? 1 : 0);
}

void CMyListButtonControl::keyPressEvent(QKeyEvent *event)
{
    if (!FinishByKey(*event))
        QCheckBox::keyPressEvent(event);
}

void CMyListButtonControl::focusOutEvent(QFocusEvent *event)
{
    QCheckBox::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        Finish(EditorFinish::Commit);
}
