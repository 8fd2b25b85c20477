#pragma once

#include <QVector>

class CFortschrittCtrl;
class CMessageEdit;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The controls of one run window, all children of `Page`, placed as the window template
// places them. They exist from the window's creation until it is closed.
struct ProgressControls {
    QWidget *Page = nullptr;
    QVector<CFortschrittCtrl *> Panes;
    QGroupBox *MessageFrame = nullptr;
    CMessageEdit *MessageBox = nullptr;
    QGroupBox *SummaryBox = nullptr;
    QLineEdit *StartTime = nullptr;
    QLabel *EndTimeLabel = nullptr;
    QLineEdit *EndTime = nullptr;
    QLineEdit *Duration = nullptr;
    QLabel *ErrorLabel = nullptr;
    QLineEdit *ErrorCount = nullptr;
    QLineEdit *Skipped = nullptr;
    QPushButton *CancelButton = nullptr;
};

// Creates the controls on a new page of `window` with `paneCount` (1 to 3) thread panes.
ProgressControls CreateProgressControls(QWidget &window, int paneCount);
