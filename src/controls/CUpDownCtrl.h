#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// Two arrows beside a line edit (its buddy) that step the edit's number within a range; the
// edit's Up and Down keys do the same. What the user types is not checked here: the page that
// owns the edit validates it, so a value outside the range stays visible until then.
class CUpDownCtrl : public QWidget {
    Q_OBJECT

public:
    explicit CUpDownCtrl(QLineEdit &buddy, QWidget *parent = nullptr);

    void SetRange(int lower, int upper);
    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }

    // The position, kept within the range; setting it leaves the edit alone.
    void SetPos(int pos);
    int Pos() const { return m_pos; }

    // Steps from the edit's number (from the position when the edit holds none), keeps the
    // result within the range and writes it into the edit.
    void StepBy(int steps);

    QToolButton &UpButton() const { return *m_up; }
    QToolButton &DownButton() const { return *m_down; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit &m_buddy;
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
    int m_lower = 0;
    int m_upper = 100;
    int m_pos = 0;
};
