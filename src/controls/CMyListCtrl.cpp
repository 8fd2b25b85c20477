#include "controls/CMyListCtrl.h"

#include "controls/CMyListButtonControl.h"
#include "controls/CMyListEditControl.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace {

constexpr int kColumnPadding = 18;
constexpr int kRowPadding = 8;

} // namespace

CMyListCtrl::CMyListCtrl(QWidget *parent)
    : QTableWidget(parent)
{
    setObjectName(QStringLiteral("CMyListCtrl"));
    // A column that changes its size or place under an open editor ends the edit, as scrolling
    // does, so that no editor is left over the wrong cell.
    const auto commit = [this] { FinishEditor(EditorFinish::Commit); };
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, commit);
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, commit);
}

CMyListCtrl::~CMyListCtrl()
{
    if (m_editor) {
        m_editor->Abandon();
        delete &m_editor->Widget();
    }
}

void CMyListCtrl::SetReportStyle()
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + kRowPadding);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
}

int CMyListCtrl::TextWidth(const QString &text) const
{
    return fontMetrics().horizontalAdvance(text) + kColumnPadding;
}

void CMyListCtrl::SetColumns(const QStringList &titles)
{
    FinishEditor(EditorFinish::Discard);
    setRowCount(0);
    setColumnCount(int(titles.size()));
    m_alignments = QList<Qt::Alignment>(titles.size(), Qt::AlignLeft | Qt::AlignVCenter);
    setHorizontalHeaderLabels(titles);
    for (int column = 0; column < titles.size(); ++column)
        setColumnWidth(column, TextWidth(titles[column]));
}

int CMyListCtrl::AddRow(const QStringList &cells, const QVariant &itemData)
{
    const int row = rowCount();
    insertRow(row);
    for (int column = 0; column < cells.size() && column < columnCount(); ++column) {
        SetCellText(row, column, cells[column]);
        const int needed = TextWidth(cells[column]);
        if (columnWidth(column) < needed)
            setColumnWidth(column, needed);
    }
    if (columnCount() > 0)
        cellItem(row, 0)->setData(Qt::UserRole, itemData);
    return row;
}

void CMyListCtrl::SetColumnEditTypes(const QList<COL_EDIT_TYP> &kinds)
{
    m_editTypes = kinds;
}

void CMyListCtrl::SetColumnAlignment(int column, Qt::Alignment alignment)
{
    if (column < 0 || column >= m_alignments.size())
        return;
    m_alignments[column] = alignment | Qt::AlignVCenter;
    for (int row = 0; row < rowCount(); ++row)
        cellItem(row, column)->setTextAlignment(m_alignments[column]);
}

QString CMyListCtrl::CellText(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

void CMyListCtrl::SetCellText(int row, int column, const QString &text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    QTableWidgetItem *cell = cellItem(row, column);
    if (cell->text() != text)
        cell->setText(text);
}

QRect CMyListCtrl::CellRect(int row, int column) const
{
    return visualRect(model()->index(row, column));
}

QList<int> CMyListCtrl::SelectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CMyListCtrl::SetRowSelected(int row, bool selected)
{
    const QModelIndex index = model()->index(row, 0);
    if (!index.isValid())
        return;
    const auto flags = (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect)
        | QItemSelectionModel::Rows;
    selectionModel()->select(index, flags);
}

CMyBasisControl *CMyListCtrl::ActiveEditor() const
{
    return m_editor && !m_editor->IsFinished() ? m_editor : nullptr;
}

void CMyListCtrl::FinishEditor(EditorFinish how)
{
    if (CMyBasisControl *editor = ActiveEditor())
        editor->Finish(how);
}

// A click opens an editor only when it did not change the selection: the clicked row was the
// only selected row before the button went down and still is.
void CMyListCtrl::mousePressEvent(QMouseEvent *event)
{
    m_selectionAtPress = SelectedRows();
    m_pressRow = indexAt(event->position().toPoint()).row();
    QTableWidget::mousePressEvent(event);
}

void CMyListCtrl::mouseReleaseEvent(QMouseEvent *event)
{
    QTableWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || index.row() != m_pressRow)
        return;
    const QList<int> selected = SelectedRows();
    if (selected.size() != 1 || selected != m_selectionAtPress || selected.first() != index.row())
        return;
    openEditor(index.row(), index.column());
}

void CMyListCtrl::scrollContentsBy(int dx, int dy)
{
    FinishEditor(EditorFinish::Commit);
    QTableWidget::scrollContentsBy(dx, dy);
}

void CMyListCtrl::openEditor(int row, int column)
{
    const COL_EDIT_TYP kind = column < m_editTypes.size() ? m_editTypes[column] : COL_EDIT_NONE;
    if (kind == COL_EDIT_NONE)
        return;
    FinishEditor(EditorFinish::Commit);
    // An editor that has ended may still wait for the event loop to delete it.
    if (m_editor)
        delete &m_editor->Widget();
    if (kind == COL_EDIT_TEXT)
        m_editor = new CMyListEditControl(*this, row, column);
    else
        m_editor = new CMyListButtonControl(*this, row, column);
    m_editor->Start();
}

void CMyListCtrl::CommitCell(int row, int column, const QString &text)
{
    emit ModifyMyListCtrl(row, column, text);
    SetCellText(row, column, text);
}

void CMyListCtrl::EditorGone(CMyBasisControl *editor)
{
    if (m_editor == editor)
        m_editor = nullptr;
}

QTableWidgetItem *CMyListCtrl::cellItem(int row, int column)
{
    QTableWidgetItem *cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        if (column < m_alignments.size())
            cell->setTextAlignment(m_alignments[column]);
        setItem(row, column, cell);
    }
    return cell;
}
