#pragma once

#include "progress/PaneGeometry.h"

#include <QColor>
#include <QFont>
#include <QWidget>

#include <array>

class CStaticFortschrittControls;
class QProgressBar;

// The pane of one worker thread: two bars (the job, the current file) and fourteen text cells
// in six rows. It keeps no progress state of its own; the run window sets every part.
class CFortschrittCtrl : public QWidget {
public:
    explicit CFortschrittCtrl(QWidget *parent = nullptr);

    // Action line := string-table text `stringId`, or empty for 0.
    void SetAction(int stringId);
    void SetActionText(const QString &text);
    void SetSource(const QString &text);
    void SetTarget(const QString &text);
    void SetCount(const QString &text);
    void SetSize(const QString &text);
    void SetRemainingTime(const QString &text);
    void SetSpeed(const QString &text);
    // Error line := "%d Fehler" with `errorCount`.
    void SetErrorCount(int errorCount);
    void SetErrorLine(const QString &text);
    void SetErrorColour(const QColor &colour);
    void SetBar1Range(int low, int high);
    void SetBar2Range(int low, int high);
    void SetBar1Pos(int position);
    void SetBar2Pos(int position);
    // Advances bar 1 by its step and starts again at the low end past the high end: the moving
    // indicator while a tree is listed.
    void StepBar1();
    // Percent text := done × 100 / total as "%I64d %%", empty when total is not positive.
    void SetPercent1(qint64 done, qint64 total);
    void SetPercent2(qint64 done, qint64 total);
    void SetPercent1Text(const QString &text);
    void SetPercent2Text(const QString &text);

    CStaticFortschrittControls &Cell(PaneChild child) const;
    QProgressBar &Bar1() const { return *m_bar1; }
    QProgressBar &Bar2() const { return *m_bar2; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createCells();
    void layoutChildren();
    static void setBarPos(QProgressBar &bar, int position);

    QProgressBar *m_bar1;
    QProgressBar *m_bar2;
    std::array<CStaticFortschrittControls *, kPaneChildCount> m_cells{};
    QFont m_normalFont;
    QFont m_boldFont;
};
