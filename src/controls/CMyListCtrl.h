#pragma once

#include "controls/CMyBasisControl.h"

#include <QList>
#include <QStringList>
#include <QTableWidget>

// The edit kind of a list column.
enum COL_EDIT_TYP { COL_EDIT_NONE = 0, COL_EDIT_TEXT = 1, COL_EDIT_CHECK = 2 };

// A report list with full-row selection and grid lines whose cells can be edited in place: a
// second click on the row that is already the only selection opens the editor of the clicked
// column's kind over the cell. Escape closes the editor and keeps the cell; a focus loss,
// Return or scrolling commits it.
class CMyListCtrl : public QTableWidget {
    Q_OBJECT

public:
    explicit CMyListCtrl(QWidget *parent = nullptr);
    ~CMyListCtrl() override;

    void SetReportStyle();
    // The width a column needs for `text` in the list's font.
    int TextWidth(const QString &text) const;
    // Replaces all columns by left-aligned columns as wide as their titles, without rows.
    void SetColumns(const QStringList &titles);
    // Appends a row and widens each column its cell text does not fit; returns the row index.
    int AddRow(const QStringList &cells, const QVariant &itemData = QVariant());
    // Columns beyond the list are not editable; an empty list turns editing off.
    void SetColumnEditTypes(const QList<COL_EDIT_TYP> &kinds);
    void SetColumnAlignment(int column, Qt::Alignment alignment);

    QString CellText(int row, int column) const;
    void SetCellText(int row, int column, const QString &text);
    QRect CellRect(int row, int column) const;
    // The selected rows in ascending order.
    QList<int> SelectedRows() const;
    void SetRowSelected(int row, bool selected);

    // The open editor; none when no cell is being edited.
    CMyBasisControl *ActiveEditor() const;
    void FinishEditor(EditorFinish how);

signals:
    // An editor committed `text` into the cell, changed or not; sent before the cell takes it.
    void ModifyMyListCtrl(int row, int column, const QString &text);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    friend class CMyBasisControl;

    void openEditor(int row, int column);
    void CommitCell(int row, int column, const QString &text);
    void EditorGone(CMyBasisControl *editor);
    QTableWidgetItem *cellItem(int row, int column);

    QList<COL_EDIT_TYP> m_editTypes;
    QList<Qt::Alignment> m_alignments;
    CMyBasisControl *m_editor = nullptr;
    QList<int> m_selectionAtPress;
    int m_pressRow = -1;
};
