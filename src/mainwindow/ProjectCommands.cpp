#include "mainwindow/ProjectCommands.h"

#include "controls/DocumentTemplate.h"
#include "controls/GuiTexts.h"
#include "controls/UserPrompts.h"
#include "engine/TextFormat.h"
#include "mainwindow/CZelvaronDoc.h"
#include "model/CSettings.h"
#include "resources/Strings.h"

#include <QFileInfo>

ProjectCommands::ProjectCommands(CZelvaronDoc &doc, IUserPrompts &prompts, QWidget &window, ViewHooks view)
    : m_doc(doc)
    , m_prompts(prompts)
    , m_window(window)
    , m_view(std::move(view))
{
}

bool ProjectCommands::SaveModified()
{
    if (m_view.finishEdits)
        m_view.finishEdits();
    if (!m_doc.IsModified())
        return true;
    switch (m_prompts.AskSaveChanges(&m_window, FormatStr(GuiText::SaveChangesQuestion, {m_doc.Title()}))) {
    case SaveChoice::Save:
        return OnFileSave();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        return false;
    }
    return false;
}

void ProjectCommands::CloseProject()
{
    reportUndeleted(m_doc.NewProject());
}

void ProjectCommands::OnFileNew()
{
    if (SaveModified())
        reportUndeleted(m_doc.NewProject());
}

void ProjectCommands::OnFileOpen()
{
    const QString path = m_prompts.OpenFileName(&m_window, QFileInfo(m_doc.PathName()).absolutePath(),
                                                {DocumentTemplate::FileFilter()});
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

bool ProjectCommands::OpenDocumentFile(const QString &path)
{
    if (!SaveModified())
        return false;
    QStringList undeleted;
    if (const std::optional<model::ProjectFileError> error = m_doc.OpenProject(path, undeleted)) {
        m_prompts.ShowMessage(&m_window, error->Message(), MessageIcon::Warning);
        return false;
    }
    reportUndeleted(undeleted);
    addRecent(m_doc.PathName());
    if (m_doc.Project().Option.Autostart != 0)
        emit AutostartOpened();
    return true;
}

bool ProjectCommands::OnFileSave()
{
    if (m_doc.PathName().isEmpty())
        return OnFileSaveAs();
    return saveTo(m_doc.PathName());
}

bool ProjectCommands::OnFileSaveAs()
{
    const QString initial = m_doc.PathName().isEmpty() ? m_doc.Title() + DocumentTemplate::DefaultExtension()
                                                       : m_doc.PathName();
    QString path = m_prompts.SaveFileName(&m_window, initial, {DocumentTemplate::FileFilter()});
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += DocumentTemplate::DefaultExtension();
    return saveTo(path);
}

bool ProjectCommands::saveTo(const QString &path)
{
    if (m_view.takeValues && !m_view.takeValues())
        return false;
    if (const std::optional<model::ProjectFileError> error = m_doc.SaveProject(path)) {
        m_prompts.ShowMessage(&m_window, error->Message(), MessageIcon::Warning);
        return false;
    }
    addRecent(m_doc.PathName());
    return true;
}

void ProjectCommands::SetRecentFiles(const QStringList &files)
{
    m_recent = files.mid(0, model::CSettings::RecentFileCount);
    emit RecentFilesChanged();
}

void ProjectCommands::addRecent(const QString &path)
{
    m_recent = model::WithRecentFile(m_recent, path);
    emit RecentFilesChanged();
}

void ProjectCommands::reportUndeleted(const QStringList &files)
{
    if (files.isEmpty())
        return;
    QString text = LoadStr(GuiText::ListFilesNotDeleted);
    for (const QString &file : files)
        text += file + QStringLiteral("\r\n");
    m_prompts.ShowMessage(&m_window, text, MessageIcon::Warning);
}
