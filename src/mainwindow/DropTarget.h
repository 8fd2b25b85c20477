#pragma once

#include <QString>
#include <QStringList>

// What a drop on the job list view would do.
struct DropTarget {
    enum class Kind { None, SourceOfRow, TargetOfRow, ProjectFile };

    Kind TargetKind = Kind::None;
    int Row = -1;
    QString Path;

    bool Accepted() const { return TargetKind != Kind::None; }
};

// Where a dropped path belongs: exactly one path is taken; a directory goes into the source or
// target cell under the pointer (`sourceRow` and `targetRow` are the rows whose source or target
// cell is hit, -1 for none); a file with the project extension in any letter case opens as a
// project wherever it is dropped. Everything else is refused.
DropTarget EvaluateDrop(const QStringList &paths, int sourceRow, int targetRow);
