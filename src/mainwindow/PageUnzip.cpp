#include "mainwindow/PageUnzip.h"

#include "mainwindow/PageTexts.h"
#include "model/CProjectData.h"
#include "resources/Strings.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace ui {

CPageUnzip::CPageUnzip(const PageEnvironment &environment)
    : CBasisPage(environment, PageText::Caption(PageText::Tab::Unzip), PageNoteWholePage())
    , m_binder([this]() -> model::CPageUnzip & { return group(); })
{
    QCheckBox *decompress = NewCheckBox(2067, "DecompressFiles");
    m_binder.Check(*decompress, &model::CPageUnzip::DecompressFiles);
    // The option is saved with the project, so changing it must lead to the save question.
    connect(decompress, &QCheckBox::clicked, this, [this] { MarkModified(); });
    PageLayout().addWidget(decompress);
    PageLayout().addStretch(1);
    ShowValues();
}

model::CPageUnzip &CPageUnzip::group() const
{
    return Project().Unzip;
}

void CPageUnzip::ShowValues()
{
    m_binder.ShowAll();
}

bool CPageUnzip::TakeValues()
{
    m_binder.TakeAll();
    return true;
}

} // namespace ui
