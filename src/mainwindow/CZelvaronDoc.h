#pragma once

#include "model/CProjectData.h"
#include "model/ProjectFile.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

// The open project and the file it belongs to. Opening replaces the project only once the new
// file was read completely, so that a file that cannot be read leaves the current project, its
// name and its file as they were.
class CZelvaronDoc : public QObject {
    Q_OBJECT

public:
    model::CProjectData &Project() { return m_project; }
    const model::CProjectData &Project() const { return m_project; }

    // The project file; empty for a new project that was never saved.
    const QString &PathName() const { return m_path; }
    // The file name of the project, or "Unbenannt".
    QString Title() const;

    bool IsModified() const { return m_project.Modified; }
    void SetModified(bool modified) { m_project.Modified = modified; }

    // Closes the project and leaves a new, untitled one; the list files flagged for deletion
    // at project end are deleted. Returns the files that could not be deleted.
    QStringList NewProject();
    // Reads `path`; on success the current project is closed (as NewProject does, its list
    // files that could not be deleted are added to `undeleted`) and replaced.
    std::optional<model::ProjectFileError> OpenProject(const QString &path, QStringList &undeleted);
    // Writes the project to `path`, which then names it.
    std::optional<model::ProjectFileError> SaveProject(const QString &path);

signals:
    // The project was replaced by a new or an opened one.
    void ProjectReplaced();
    // The project's file, and with it its title, changed.
    void PathChanged();

private:
    model::CProjectData m_project;
    QString m_path;
};
