#pragma once

#include <QString>

#include <functional>

class CZelvaronDoc;
class IUserPrompts;
class QWidget;

// One of the seven option pages below the job list. A page edits one option group of the
// open project (CZelvaronDoc::Project()) and marks the project modified when the user changes
// a value (CZelvaronDoc::SetModified). The view owns the pages' widgets through its tab control
// and calls the page at these points:
class IOptionPage {
public:
    virtual ~IOptionPage() = default;

    // The page's widget; its window title is the tab's text.
    virtual QWidget &Widget() = 0;
    // The project was replaced (new or opened): show the values of its group.
    virtual void ShowValues() = 0;
    // Before the project is saved and before a run starts: take the controls' values into the
    // group. A value that fails its validation is reported by the page itself (through the
    // prompts) and returns false, which stops the save or the run start.
    virtual bool TakeValues() = 0;
};

// What a page may use besides the project.
struct OptionPageContext {
    CZelvaronDoc &Doc;
    IUserPrompts &Prompts;
    // Starts a run from a Kopierdatei (the page "Dateien", button 2056); an empty path lets the
    // user choose the file.
    std::function<void(const QString &kopierdatei)> StartRetryRun;
};
