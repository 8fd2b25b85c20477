#pragma once

#include "mainwindow/PageBasis.h"
#include "mainwindow/PageBinder.h"
#include "model/CPageOption.h"

#include <QDateTime>

class CUpDownCtrl;
class QCheckBox;
class QComboBox;
class QLayout;
class QLineEdit;
class QPushButton;

namespace ui {

// The page "Option": the general options of a run, the date folder and the Protokolldatei.
// Appending a date folder switches off the two target comparisons, a restart needs a shutdown,
// and the target root is deleted only along with the empty target directories.
class CPageOption : public CBasisPage {
public:
    // `now` is the moment the combo box of date folders is filled with.
    explicit CPageOption(const PageEnvironment &environment, const QDateTime &now = QDateTime::currentDateTime());

    void ShowValues() override;
    bool TakeValues() override;

    // After a click on 2014, 2057 or 1134: takes the values (and stops when that fails), then
    // applies the dependencies and enables the dependent controls.
    bool ApplyEnablingRules();

    CUpDownCtrl &ThreadCountUpDown() const { return *m_upDown; }

private:
    model::CPageOption &group() const;
    void createControls(const QDateTime &now);
    QLayout *threadCountRow();
    QLayout *logFileRow();
    void layOut();
    void connectReactions();
    void showControls();
    void enableDependents();
    void confirmDeleteSources();
    qint32 selectedFormatId() const;
    void pickLogFile();
    void showLogFile();

    CPageBinder<model::CPageOption> m_binder;
    QLineEdit *m_threadCount = nullptr;
    CUpDownCtrl *m_upDown = nullptr;
    QComboBox *m_dateFolder = nullptr;
    QLineEdit *m_logFile = nullptr;
    QPushButton *m_pickLogFile = nullptr;
    QPushButton *m_showLogFile = nullptr;
};

} // namespace ui
