#pragma once

#include "mainwindow/PageBasis.h"
#include "mainwindow/PageBinder.h"
#include "model/CPageZip.h"

class QGroupBox;
class QLabel;
class QLineEdit;

namespace ui {

// The page "Komprimieren": whether each copied file is packed into a ZIP archive of its own,
// whether the archive is checked, which files are left out by pattern and by size. Everything
// but the main box is enabled only while files are compressed.
class CPageZip : public CBasisPage {
public:
    explicit CPageZip(const PageEnvironment &environment);

    void ShowValues() override;
    bool TakeValues() override;

    // After a click on 2061 or 2063: takes the values (and stops when that fails), then applies
    // the dependencies and enables the dependent controls.
    bool ApplyEnablingRules();

private:
    model::CPageZip &group() const;
    void createControls();
    QGroupBox *sizeGroup();
    void layOut();
    void connectReactions();
    void showControls();
    void enableDependents();
    void refreshSizeTexts();
    void onSizeFieldLeft();

    CPageBinder<model::CPageZip> m_binder;
    QLineEdit *m_minSize = nullptr;
    QLineEdit *m_maxSize = nullptr;
    QLabel *m_minSizeText = nullptr;
    QLabel *m_maxSizeText = nullptr;
    QLineEdit *m_patterns = nullptr;
};

} // namespace ui
