#pragma once

#include "mainwindow/PageBasis.h"
#include "mainwindow/PageBinder.h"
#include "model/CPageMuster.h"

class QGroupBox;

namespace ui {

// The page "Muster": wildcard patterns that select files and directories. Each pattern field
// is enabled exactly while its check box is ticked.
class CPageMuster : public CBasisPage {
public:
    explicit CPageMuster(const PageEnvironment &environment);

    void ShowValues() override;
    bool TakeValues() override;

private:
    model::CPageMuster &group() const;
    QGroupBox *patternGroup(int labelId, const char *name, int firstRow, int secondRow);
    void enablePatternFields();

    CPageBinder<model::CPageMuster> m_binder;
};

} // namespace ui
