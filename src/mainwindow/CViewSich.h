#pragma once

#include "mainwindow/DropTarget.h"
#include "mainwindow/IOptionPage.h"
#include "model/CListData.h"
#include "model/RunParameterBuild.h"

#include <QList>
#include <QTimer>
#include <QWidget>

class CDlgSichProgress;
class CMyListCtrl;
class CMyTabCtrl;
class CZelvaronDoc;
class IUserPrompts;
class QAbstractButton;
class QMenu;
class QPushButton;

// The main window's view: the job list with its buttons above the tab control of the option
// pages. The jobs live in the open project; the list shows them, with each row's number and
// run status, and every edit goes into the project and marks it modified.
class CViewSich : public QWidget {
    Q_OBJECT

public:
    // The list columns.
    enum Column { ColJob, ColStatus, ColActive, ColSubdirs, ColSource, ColTarget, ColumnCount };
    enum class ListButtons { Enabled, Disabled };

    static constexpr int TimerMilliseconds = 250;

    CViewSich(CZelvaronDoc &doc, CDlgSichProgress &progress, IUserPrompts &prompts, QWidget *parent = nullptr);

    CMyListCtrl &List() const { return *m_list; }
    CMyTabCtrl &Tabs() const { return *m_tabs; }
    const QList<IOptionPage *> &Pages() const { return m_pages; }

    // The timer's work: button states, row numbers and the modified marker of the title.
    void OnTimer();
    bool IsTimerRunning() const { return m_timer.isActive(); }

    void OnNew();
    void OnChange();
    void OnCopy();
    void OnDelete();
    void OnTest();
    void OnMoveUp();
    void OnMoveDown();

    // No run window is open and the project passes the start check.
    bool CanStartRun() const;
    // Starts a run of the active jobs after the pages took their values and the start check.
    void StartRun(model::StartKind kind);
    // Starts a run from a Kopierdatei; an empty path lets the user choose it.
    void StartRetryRun(const QString &kopierdatei);
    // Off while a run is shown: the list buttons are disabled and the timer stops.
    void EnableListButtons(ListButtons state);
    void SetJobStatus(int row, const QString &text);
    // Selects option tab `index` (the navigation commands).
    void SelectPage(int index);
    // Commits an open cell editor and lets every page take its controls' values; false when
    // one fails its validation.
    bool TakePageValues();

    // The context menu of a row: the items to show each directory that exists, then "Abbrechen".
    // None for a point on no row.
    QMenu *CreateContextMenu(const QPoint &listPoint);
    // Shows a directory in the file manager, without the long-path prefix.
    void OpenDirectory(const QString &path);

    // What a drop of `paths` at `viewPoint` (in this widget's coordinates) would do.
    DropTarget DropTargetAt(const QStringList &paths, const QPoint &viewPoint) const;
    void ApplyDrop(const DropTarget &target);

signals:
    // A project file was dropped on the view.
    void ProjectFileDropped(const QString &path);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildControls();
    QPushButton *addButton(int controlId, const char *name);
    void connectControls();
    void setUpList();
    void setUpPages();
    void layoutControls();
    void onProjectReplaced();
    void onCellCommitted(int row, int column, const QString &text);
    void onContextMenu(const QPoint &listPoint);

    void syncRows();
    void writeRow(int row, const CListData &job);
    void selectRows(const QList<qsizetype> &rows);
    QList<qsizetype> selectedJobRows() const;
    void updateButtonStates();
    void renumberRows();
    void updateModifiedMarker();
    void clearStatusColumn();
    void startProgressWindow();
    int rowOfCell(int column, const QPoint &viewPoint) const;

    CZelvaronDoc &m_doc;
    CDlgSichProgress &m_progress;
    IUserPrompts &m_prompts;
    CMyListCtrl *m_list = nullptr;
    QPushButton *m_new = nullptr;
    QPushButton *m_change = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_test = nullptr;
    QAbstractButton *m_up = nullptr;
    QAbstractButton *m_down = nullptr;
    CMyTabCtrl *m_tabs = nullptr;
    QList<IOptionPage *> m_pages;
    QTimer m_timer;
    QString m_contextSource;
    QString m_contextTarget;
};
