#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class CZelvaronDoc;
class IUserPrompts;
class QWidget;

// The file commands of the main window: new, open, save, save as, the recently used projects
// and the question whether to save the changes before a project is closed.
class ProjectCommands : public QObject {
    Q_OBJECT

public:
    // What the commands need from the view: `finishEdits` commits an open in-place editor, so
    // that the save question knows of its change; `takeValues` lets the view and the option
    // pages take their controls' values before a save and reports whether all were valid.
    struct ViewHooks {
        std::function<void()> finishEdits;
        std::function<bool()> takeValues;
    };

    ProjectCommands(CZelvaronDoc &doc, IUserPrompts &prompts, QWidget &window, ViewHooks view);

    // True when the project may be closed: it has no changes, or the user saved them or chose
    // to discard them.
    bool SaveModified();
    // Closes the project for good (the end of the program): its list files flagged for
    // deletion at project end are deleted.
    void CloseProject();

    void OnFileNew();
    void OnFileOpen();
    // Opens `path` after the save question; true when the project was opened.
    bool OpenDocumentFile(const QString &path);
    bool OnFileSave();
    bool OnFileSaveAs();

    // Most recent first.
    const QStringList &RecentFiles() const { return m_recent; }
    void SetRecentFiles(const QStringList &files);

signals:
    void RecentFilesChanged();
    // A project with "Autostart" was opened.
    void AutostartOpened();

private:
    bool saveTo(const QString &path);
    void addRecent(const QString &path);
    void reportUndeleted(const QStringList &files);

    CZelvaronDoc &m_doc;
    IUserPrompts &m_prompts;
    QWidget &m_window;
    ViewHooks m_view;
    QStringList m_recent;
};
