#include "mainwindow/DropTarget.h"

#include "controls/DocumentTemplate.h"

#include <QFileInfo>

DropTarget EvaluateDrop(const QStringList &paths, int sourceRow, int targetRow)
{
    if (paths.size() != 1)
        return {};
    const QString &path = paths.first();
    const QFileInfo info(path);
    if (info.isDir()) {
        if (sourceRow >= 0)
            return {DropTarget::Kind::SourceOfRow, sourceRow, path};
        if (targetRow >= 0)
            return {DropTarget::Kind::TargetOfRow, targetRow, path};
        return {};
    }
    if (info.isFile() && path.endsWith(DocumentTemplate::DefaultExtension(), Qt::CaseInsensitive))
        return {DropTarget::Kind::ProjectFile, -1, path};
    return {};
}
