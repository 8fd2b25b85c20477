#pragma once

#include "mainwindow/IOptionPage.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class CMyStaticTitel;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace model {
struct CProjectData;
}

namespace ui {

class IPagePrompts;

// What an option page works with: the project, whose option group it edits and whose modified
// flag it sets, the prompts, and the start of a run from a Kopierdatei.
struct PageEnvironment {
    model::CProjectData &Project;
    // Shared by the pages, which may outlive whoever created them.
    std::shared_ptr<IPagePrompts> Prompts;
    // An empty path lets the user choose the Kopierdatei.
    std::function<void(const QString &kopierdatei)> StartRetryRun;
};

// The base of the seven option pages: the note at the top (title control 1071), the tool tips,
// the number fields' validation, the "..." and "Anzeigen ..." actions and the modified flag.
// Every control carries its control number in the property "controlId" and has an object name.
class CBasisPage : public QWidget, public IOptionPage {
public:
    static constexpr int TitleId = 1071;
    static constexpr int FirstTipId = 1132;
    static constexpr int LastTipId = 2068;

    QWidget &Widget() override { return *this; }

    // The size of the page's controls, with room below them for the horizontal scroll bar that
    // a narrower window shows, so that the page then needs no vertical one as well.
    QSize sizeHint() const override;

    CMyStaticTitel &Title() const { return *m_title; }

    // The control with this number (the first one, for a number used twice); none when the page
    // has none.
    QWidget *Control(int controlId) const;
    static int ControlId(const QObject &control);

protected:
    // `captionId` is the string of the tab text; `note` the text of the title control.
    CBasisPage(const PageEnvironment &environment, int captionId, const QString &note);

    model::CProjectData &Project() const { return m_environment.Project; }
    IPagePrompts &Prompts() const { return *m_environment.Prompts; }
    void StartRetryRun(const QString &kopierdatei) const;
    void MarkModified() const;

    // Lets the user pick a text file for `path`. On OK `path` takes the chosen name, with ".txt"
    // appended when the name has none, and the project is marked modified; returns true then.
    bool PickTextFile(QString &path);
    // Shows the file in the viewer; nothing happens for a file that does not exist.
    void ShowFile(const QString &path);

    // The number in `edit` when it is a whole number within [minimum, maximum]. Otherwise a
    // message naming the field (label `labelId`) says what is expected, the focus goes into
    // the field, and none is returned.
    std::optional<qint64> TakeNumber(QLineEdit &edit, qint64 minimum, qint64 maximum, int labelId);

    // Marks `control` with its number and object name and gives it the tip of string `tipId`
    // when that lies in the tool-tip range (by default the control's own number).
    template <class ControlType>
    ControlType *Tag(ControlType *control, int controlId, const char *name, int tipId = 0)
    {
        tag(*control, controlId, name, tipId == 0 ? controlId : tipId);
        return control;
    }

    QCheckBox *NewCheckBox(int controlId, const char *name);
    QRadioButton *NewRadioButton(int controlId, const char *name);
    QPushButton *NewButton(int controlId, const char *name);
    QLineEdit *NewLineEdit(int controlId, const char *name, int tipId = 0);
    // A label or group box whose caption has a number of its own (LabelId).
    QLabel *NewLabel(int labelId, const char *name);
    QGroupBox *NewGroupBox(int labelId, const char *name);

    // The page's layout: the title on top; the page adds its controls below it.
    QVBoxLayout &PageLayout() const { return *m_layout; }

private:
    void bringToFront();
    void tag(QWidget &control, int controlId, const char *name, int tipId);

    PageEnvironment m_environment;
    CMyStaticTitel *m_title = nullptr;
    QWidget *m_content = nullptr;
    QVBoxLayout *m_layout = nullptr;
    // Set while a refused number is reported, so that the focus change the message causes
    // does not report it again.
    bool m_reporting = false;
};

} // namespace ui
