#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;
class QPushButton;

// The countdown before an unattended run: it shows 10, 9, ... 1, one number a second, and
// accepts on the tenth tick, ten seconds after it appeared. "Abbrechen", Escape and the close
// box reject it, and nothing starts.
class CDlgBatchFenster : public QDialog {
public:
    static constexpr int StartSeconds = 10;
    static constexpr int TickMilliseconds = 1000;

    explicit CDlgBatchFenster(QWidget *parent = nullptr);

    // One tick of the countdown; the dialog's timer calls it once a second.
    void OnTimer();
    int RemainingSeconds() const { return m_remaining; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void showCountdown();

    int m_remaining = StartSeconds;
    bool m_ended = false;
    QTimer m_timer;
    QLabel *m_heading = nullptr;
    QLabel *m_countdown = nullptr;
    QPushButton *m_cancel = nullptr;
};
