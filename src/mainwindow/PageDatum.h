#pragma once

#include "mainwindow/PageBasis.h"
#include "mainwindow/PageBinder.h"
#include "model/CPageDatum.h"

#include <QDateTime>

#include <functional>

class QButtonGroup;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace ui {

// The page "Datum": no date filter, an absolute range of modification dates, or a span back
// from the run's start. Beside the fields it shows how the typed dates are read and a sentence
// that says which files the filter lets through.
class CPageDatum : public CBasisPage {
public:
    using Clock = std::function<QDateTime()>;

    // `clock` gives the page's today each time the page is shown (by default the current time).
    explicit CPageDatum(const PageEnvironment &environment, Clock clock = {});

    void ShowValues() override;
    bool TakeValues() override;

    // After a click on a mode: empties the texts the mode does not use, enables the fields it
    // uses and refreshes the explanations.
    void ApplyModeRules();

    const QDateTime &Today() const { return m_today; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    model::CPageDatum &group() const;
    void createControls();
    QLabel *newNote(int controlId, const char *name, const QColor &colour);
    void layOut();
    void connectReactions();
    void showControls();
    void refreshTexts();

    CPageBinder<model::CPageDatum> m_binder;
    Clock m_clock;
    QDateTime m_today;
    QButtonGroup *m_modes = nullptr;
    QLineEdit *m_from = nullptr;
    QLineEdit *m_to = nullptr;
    QLineEdit *m_days = nullptr;
    QLineEdit *m_hours = nullptr;
    QLineEdit *m_todayField = nullptr;
    QLabel *m_fromText = nullptr;
    QLabel *m_toText = nullptr;
    QLabel *m_relativeText = nullptr;
    QLabel *m_explanation = nullptr;
};

} // namespace ui
