#include "mainwindow/CZelvaronDoc.h"

#include "controls/GuiTexts.h"
#include "resources/Strings.h"

#include <QFileInfo>

QString CZelvaronDoc::Title() const
{
    if (m_path.isEmpty())
        return LoadStr(GuiText::Untitled);
    return QFileInfo(m_path).fileName();
}

QStringList CZelvaronDoc::NewProject()
{
    const QStringList undeleted = m_project.Reset();
    m_path.clear();
    emit ProjectReplaced();
    emit PathChanged();
    return undeleted;
}

std::optional<model::ProjectFileError> CZelvaronDoc::OpenProject(const QString &path, QStringList &undeleted)
{
    model::CProjectData opened;
    if (std::optional<model::ProjectFileError> error = model::LoadProject(path, opened))
        return error;
    undeleted += m_project.Reset();
    m_project = std::move(opened);
    m_project.Modified = false;
    m_path = QFileInfo(path).absoluteFilePath();
    emit ProjectReplaced();
    emit PathChanged();
    return std::nullopt;
}

std::optional<model::ProjectFileError> CZelvaronDoc::SaveProject(const QString &path)
{
    if (std::optional<model::ProjectFileError> error = model::SaveProject(path, m_project))
        return error;
    m_project.Modified = false;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (absolute != m_path) {
        m_path = absolute;
        emit PathChanged();
    }
    return std::nullopt;
}
