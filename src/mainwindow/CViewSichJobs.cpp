#include "mainwindow/CViewSich.h"

#include "controls/CMyListCtrl.h"
#include "controls/UserPrompts.h"
#include "engine/TextFormat.h"
#include "mainwindow/CDlgNeuAen.h"
#include "mainwindow/CZelvaronDoc.h"
#include "mainwindow/DirectoryTest.h"
#include "resources/Strings.h"

namespace {

constexpr int kDeleteQuestion = 207;

QStringList rowCells(const CListData &job)
{
    return {QString(), QString(), model::YesNoText(job.Active), model::YesNoText(job.WithSubdirs), job.SourceDir,
            job.TargetDir};
}

} // namespace

// The list follows the project: rows are added or removed at the end and the job columns are
// rewritten; the number and status columns stay with their rows.
void CViewSich::syncRows()
{
    const QList<CListData> &jobs = m_doc.Project().Jobs;
    while (m_list->rowCount() > jobs.size())
        m_list->removeRow(m_list->rowCount() - 1);
    for (int row = 0; row < jobs.size(); ++row) {
        if (row < m_list->rowCount())
            writeRow(row, jobs[row]);
        else
            m_list->AddRow(rowCells(jobs[row]));
    }
}

void CViewSich::writeRow(int row, const CListData &job)
{
    const QStringList cells = rowCells(job);
    for (int column = ColActive; column < ColumnCount; ++column)
        m_list->SetCellText(row, column, cells[column]);
}

QList<qsizetype> CViewSich::selectedJobRows() const
{
    QList<qsizetype> rows;
    for (int row : m_list->SelectedRows())
        rows.append(row);
    return rows;
}

void CViewSich::selectRows(const QList<qsizetype> &rows)
{
    m_list->clearSelection();
    for (qsizetype row : rows)
        m_list->SetRowSelected(int(row), true);
    if (!rows.isEmpty())
        m_list->scrollTo(m_list->model()->index(int(rows.first()), ColJob));
}

void CViewSich::onCellCommitted(int row, int column, const QString &text)
{
    model::CProjectData &project = m_doc.Project();
    if (row < 0 || row >= project.Jobs.size())
        return;
    CListData job = project.Jobs[row];
    switch (column) {
    case ColActive:
        job.Active = model::ParseYesNo(text);
        break;
    case ColSubdirs:
        job.WithSubdirs = model::ParseYesNo(text);
        break;
    case ColSource:
        job.SourceDir = text;
        break;
    case ColTarget:
        job.TargetDir = text;
        break;
    default:
        return;
    }
    project.ReplaceJob(row, job);
    m_doc.SetModified(true);
}

void CViewSich::OnNew()
{
    CDlgNeuAen dialog(CDlgNeuAen::Mode::New, CListData(), m_prompts, this);
    if (m_prompts.Exec(dialog) != QDialog::Accepted)
        return;
    m_doc.Project().AppendJob(dialog.Job());
    syncRows();
    m_list->scrollToBottom();
}

void CViewSich::OnChange()
{
    const QList<int> selected = m_list->SelectedRows();
    if (selected.isEmpty())
        return;
    const int row = selected.first();
    CDlgNeuAen dialog(CDlgNeuAen::Mode::Change, m_doc.Project().Jobs.value(row), m_prompts, this);
    if (m_prompts.Exec(dialog) != QDialog::Accepted)
        return;
    m_doc.Project().ReplaceJob(row, dialog.Job());
    syncRows();
}

void CViewSich::OnCopy()
{
    const QList<int> selected = m_list->SelectedRows();
    if (selected.isEmpty())
        return;
    CDlgNeuAen dialog(CDlgNeuAen::Mode::Copy, m_doc.Project().Jobs.value(selected.first()), m_prompts, this);
    if (m_prompts.Exec(dialog) != QDialog::Accepted)
        return;
    m_doc.Project().AppendJob(dialog.Job());
    syncRows();
    m_list->scrollToBottom();
}

void CViewSich::OnDelete()
{
    const QList<int> selected = m_list->SelectedRows();
    if (selected.isEmpty())
        return;
    if (m_prompts.AskYesNo(this, FormatStr(kDeleteQuestion, {qint64(selected.size())})) != YesNo::Yes)
        return;
    m_list->FinishEditor(EditorFinish::Discard);
    m_doc.Project().RemoveJobs(selectedJobRows());
    for (auto row = selected.rbegin(); row != selected.rend(); ++row)
        m_list->removeRow(*row);
    syncRows();
}

void CViewSich::OnTest()
{
    m_prompts.ShowMessage(this, DirectoryTestReport(m_doc.Project().Jobs), MessageIcon::None);
}

void CViewSich::OnMoveUp()
{
    const QList<qsizetype> selected = selectedJobRows();
    if (selected.isEmpty())
        return;
    const QList<qsizetype> moved = m_doc.Project().MoveJobsUp(selected);
    syncRows();
    selectRows(moved);
}

void CViewSich::OnMoveDown()
{
    const QList<qsizetype> selected = selectedJobRows();
    if (selected.isEmpty())
        return;
    const QList<qsizetype> moved = m_doc.Project().MoveJobsDown(selected);
    syncRows();
    selectRows(moved);
}
