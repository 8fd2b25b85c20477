#pragma once

#include "mainwindow/PageBasis.h"
#include "mainwindow/PageBinder.h"
#include "model/CPageDateien.h"

class QGroupBox;

namespace ui {

struct ListFileRow;

// The page "Dateien": the three list files of a run (copied files, the Kopierdatei of failed
// files, skipped files), whether each is deleted when the project closes, and the run that
// copies again the files of the Kopierdatei.
class CPageDateien : public CBasisPage {
public:
    explicit CPageDateien(const PageEnvironment &environment);

    void ShowValues() override;
    bool TakeValues() override;

private:
    model::CPageDateien &group() const;
    QGroupBox *listGroup(const ListFileRow &row);
    void pickListFile(QString model::CPageDateien::*field);
    void showListFile(QString model::CPageDateien::*field);
    void startRetryRun();

    CPageBinder<model::CPageDateien> m_binder;
};

} // namespace ui
