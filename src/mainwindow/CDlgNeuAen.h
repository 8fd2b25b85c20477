#pragma once

#include "model/CListData.h"

#include <QDialog>

class IUserPrompts;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The dialog that enters a new job, changes one or enters a copy of one. Nothing is
// validated: empty, missing and equal directories are all taken.
class CDlgNeuAen : public QDialog {
public:
    enum class Mode { New = 1, Change = 2, Copy = 3 };

    // A new job starts active and with subdirectories; the other modes show `job`.
    CDlgNeuAen(Mode mode, const CListData &job, IUserPrompts &prompts, QWidget *parent = nullptr);

    Mode GetMode() const { return m_mode; }
    // The job as the controls show it.
    CListData Job() const;

    void OnBrowseSource();
    void OnBrowseTarget();

private:
    void buildControls();
    QPushButton *browseButton(int controlId, const char *name);
    void browse(QLineEdit &edit, int titleId);

    Mode m_mode;
    IUserPrompts &m_prompts;
    QLineEdit *m_source = nullptr;
    QLineEdit *m_target = nullptr;
    QCheckBox *m_active = nullptr;
    QCheckBox *m_subdirs = nullptr;
};
