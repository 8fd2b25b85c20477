#pragma once

#include <QDialog>
#include <QFont>
#include <QString>

class QPushButton;

// The status of the last run, shown alone at a start with "/msg_ok=" or "/msg_feh=": a green
// (ok) or red (error) window of 700 x 500 pixels with the text in large letters.
class CDlgMessage : public QDialog {
public:
    enum class Mode { Ok, Error };

    static constexpr int WindowWidth = 700;
    static constexpr int WindowHeight = 500;

    CDlgMessage(Mode mode, QString text, QWidget *parent = nullptr);

    Mode GetMode() const { return m_mode; }
    const QString &Text() const { return m_text; }
    QColor FillColour() const;
    // Where the text is drawn, in the dialog's coordinates.
    QRect TextRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeButton();

    Mode m_mode;
    QString m_text;
    QFont m_font;
    QPushButton *m_close = nullptr;
};
