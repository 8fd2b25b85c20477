#pragma once

#include "mainwindow/PageBasis.h"
#include "mainwindow/PageBinder.h"
#include "model/CPagePruefdatei.h"

namespace ui {

// The page "Prüfdatei": the check file that lets a later run skip unchanged files, and whether
// it also records a checksum of each file.
class CPagePruefdatei : public CBasisPage {
public:
    explicit CPagePruefdatei(const PageEnvironment &environment);

    void ShowValues() override;
    bool TakeValues() override;

private:
    model::CPagePruefdatei &group() const;
    void pickCheckFile();
    void showCheckFile();

    CPageBinder<model::CPagePruefdatei> m_binder;
};

} // namespace ui
