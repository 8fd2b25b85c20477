#include "mainwindow/CViewSich.h"

#include "controls/CMyListCtrl.h"
#include "controls/UserPrompts.h"
#include "engine/CUtil.h"
#include "engine/TextFormat.h"
#include "mainwindow/CZelvaronDoc.h"
#include "resources/Strings.h"

#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace {

constexpr int kShowSource = 378;
constexpr int kShowTarget = 379;
constexpr int kLongPathPrefix = 381;
constexpr int kCancelText = 211;

// The dropped local paths; a drop that carries anything else has no path.
QStringList droppedPaths(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths.append(url.toLocalFile());
    }
    return paths;
}

QString menuText(int id, const QString &path)
{
    QString escaped = path;
    escaped.replace(u'&', QStringLiteral("&&"));
    return FormatStr(id, {escaped});
}

} // namespace

QMenu *CViewSich::CreateContextMenu(const QPoint &listPoint)
{
    const int row = m_list->indexAt(listPoint).row();
    const QList<CListData> &jobs = m_doc.Project().Jobs;
    if (row < 0 || row >= jobs.size())
        return nullptr;
    m_contextSource = jobs[row].SourceDir;
    m_contextTarget = jobs[row].TargetDir;
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("JobContextMenu"));
    if (CUtil::PathExists(m_contextSource)) {
        QAction *source = menu->addAction(menuText(kShowSource, m_contextSource));
        source->setObjectName(QStringLiteral("ShowSource"));
        connect(source, &QAction::triggered, this, [this] { OpenDirectory(m_contextSource); });
    }
    if (CUtil::PathExists(m_contextTarget)) {
        QAction *target = menu->addAction(menuText(kShowTarget, m_contextTarget));
        target->setObjectName(QStringLiteral("ShowTarget"));
        connect(target, &QAction::triggered, this, [this] { OpenDirectory(m_contextTarget); });
    }
    menu->addSeparator();
    menu->addAction(LoadStr(kCancelText))->setObjectName(QStringLiteral("CancelMenu"));
    return menu;
}

void CViewSich::onContextMenu(const QPoint &listPoint)
{
    QMenu *menu = CreateContextMenu(listPoint);
    if (!menu)
        return;
    QPoint at = m_list->viewport()->mapToGlobal(listPoint);
    at.rx() -= menu->sizeHint().width() / 2;
    menu->exec(at);
    delete menu;
}

void CViewSich::OpenDirectory(const QString &path)
{
    QString shown = path;
    const QString prefix = LoadStr(kLongPathPrefix);
    if (shown.startsWith(prefix))
        shown.remove(0, prefix.size());
    m_prompts.OpenFolder(shown);
}

int CViewSich::rowOfCell(int column, const QPoint &viewPoint) const
{
    const QWidget *viewport = m_list->viewport();
    const QPoint point = viewport->mapFrom(this, viewPoint);
    if (!viewport->rect().contains(point))
        return -1;
    const QModelIndex index = m_list->indexAt(point);
    return index.isValid() && index.column() == column ? index.row() : -1;
}

DropTarget CViewSich::DropTargetAt(const QStringList &paths, const QPoint &viewPoint) const
{
    return EvaluateDrop(paths, rowOfCell(ColSource, viewPoint), rowOfCell(ColTarget, viewPoint));
}

void CViewSich::ApplyDrop(const DropTarget &target)
{
    model::CProjectData &project = m_doc.Project();
    if (target.TargetKind == DropTarget::Kind::ProjectFile) {
        window()->activateWindow();
        emit ProjectFileDropped(target.Path);
        return;
    }
    if (target.Row < 0 || target.Row >= project.Jobs.size())
        return;
    CListData job = project.Jobs[target.Row];
    if (target.TargetKind == DropTarget::Kind::SourceOfRow)
        job.SourceDir = target.Path;
    else if (target.TargetKind == DropTarget::Kind::TargetOfRow)
        job.TargetDir = target.Path;
    else
        return;
    m_list->FinishEditor(EditorFinish::Commit);
    project.ReplaceJob(target.Row, job);
    writeRow(target.Row, job);
}

// Whether a drop is taken depends on the cell under the pointer, so the drag is let in
// whenever it carries files and every move decides anew.
void CViewSich::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CViewSich::dragMoveEvent(QDragMoveEvent *event)
{
    const DropTarget target = DropTargetAt(droppedPaths(event->mimeData()), event->position().toPoint());
    if (target.Accepted()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void CViewSich::dropEvent(QDropEvent *event)
{
    const DropTarget target = DropTargetAt(droppedPaths(event->mimeData()), event->position().toPoint());
    if (!target.Accepted()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    ApplyDrop(target);
}
