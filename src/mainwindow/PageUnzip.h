#pragma once

#include "mainwindow/PageBasis.h"
#include "mainwindow/PageBinder.h"
#include "model/CPageUnzip.h"

namespace ui {

// The page "Dekomprimieren": whether the archives this program made are unpacked after the run.
class CPageUnzip : public CBasisPage {
public:
    explicit CPageUnzip(const PageEnvironment &environment);

    void ShowValues() override;
    bool TakeValues() override;

private:
    model::CPageUnzip &group() const;

    CPageBinder<model::CPageUnzip> m_binder;
};

} // namespace ui
