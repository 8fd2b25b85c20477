#include "controls/CMyBasisControl.h"

#include "controls/CMyListCtrl.h"

#include <QKeyEvent>
#include <QWidget>

CMyBasisControl::CMyBasisControl(CMyListCtrl &list, int row, int column)
    : m_list(list)
    , m_row(row)
    , m_column(column)
{
}

CMyBasisControl::~CMyBasisControl()
{
    m_list.EditorGone(this);
}

void CMyBasisControl::Finish(EditorFinish how)
{
    if (m_finished)
        return;
    m_finished = true;
    if (how == EditorFinish::Commit && !m_cancelled)
        m_list.CommitCell(m_row, m_column, CommittedText());
    QWidget &widget = Widget();
    // Hiding the focused editor would hand the focus to some other control; it returns to the
    // list instead, as when the editor's window is destroyed.
    if (widget.hasFocus())
        m_list.setFocus(Qt::OtherFocusReason);
    widget.hide();
    widget.deleteLater();
}

bool CMyBasisControl::FinishByKey(QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Escape:
        m_cancelled = true;
        Finish(EditorFinish::Discard);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Finish(EditorFinish::Commit);
        break;
    default:
        return false;
    }
    event.accept();
    return true;
}

QString CMyBasisControl::CellText() const
{
    return m_list.CellText(m_row, m_column);
}

QRect CMyBasisControl::CellRect() const
{
    return m_list.CellRect(m_row, m_column);
}
