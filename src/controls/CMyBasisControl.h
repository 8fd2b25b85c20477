#pragma once

#include <QRect>
#include <QString>

class CMyListCtrl;
class QKeyEvent;
class QWidget;

// How an in-place editor ends: Commit writes its value into the cell, Discard only closes it.
enum class EditorFinish { Commit, Discard };

// What the two in-place editors of CMyListCtrl share: the cell they edit, and how a commit
// reaches the list. An editor is a widget over one cell; it closes after one commit or cancel
// and is deleted by the event loop.
class CMyBasisControl {
public:
    CMyBasisControl(CMyListCtrl &list, int row, int column);
    virtual ~CMyBasisControl();

    CMyBasisControl(const CMyBasisControl &) = delete;
    CMyBasisControl &operator=(const CMyBasisControl &) = delete;

    // Shows the editor over its cell with the cell's value and gives it the keyboard focus.
    virtual void Start() = 0;
    // Ends the editor; a cancelled editor never commits.
    void Finish(EditorFinish how);

    virtual QWidget &Widget() = 0;
    int Row() const { return m_row; }
    int Column() const { return m_column; }
    bool IsFinished() const { return m_finished; }
    // Ends the editor without a commit and without touching the list, whose end it is.
    void Abandon() { m_finished = true; }

protected:
    // The value the editor commits, as cell text.
    virtual QString CommittedText() const = 0;
    // Escape cancels (the cell keeps its text and nobody is told), Return and Enter commit.
    // False for every other key.
    bool FinishByKey(QKeyEvent &event);
    QString CellText() const;
    QRect CellRect() const;
    CMyListCtrl &List() const { return m_list; }

private:
    CMyListCtrl &m_list;
    int m_row;
    int m_column;
    bool m_cancelled = false;
    bool m_finished = false;
};
