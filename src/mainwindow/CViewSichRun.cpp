#include "mainwindow/CViewSich.h"

#include "controls/CMyListCtrl.h"
#include "controls/GuiTexts.h"
#include "controls/UserPrompts.h"
#include "engine/CUtil.h"
#include "engine/TextFormat.h"
#include "mainwindow/CZelvaronDoc.h"
#include "model/StartCheck.h"
#include "progress/CDlgSichProgress.h"
#include "resources/Strings.h"

namespace {

constexpr int kStartCheckFailed = 314;
constexpr int kFileCannotBeOpened = 6102;
constexpr int kStatusColumnWidth = 100;

} // namespace

bool CViewSich::CanStartRun() const
{
    return m_progress.CanStartRun() && model::PassesStartCheck(m_doc.Project().Jobs);
}

void CViewSich::StartRun(model::StartKind kind)
{
    if (!TakePageValues())
        return;
    if (!CanStartRun()) {
        m_prompts.ShowMessage(this, LoadStr(kStartCheckFailed), MessageIcon::Stop);
        return;
    }
    if (const std::optional<model::OptionRangeError> error
        = model::BuildRunParameters(m_doc.Project(), kind, m_progress.Params())) {
        m_prompts.ShowMessage(this, FormatStr(GuiText::IntegerRange, {error->Minimum, error->Maximum}),
                              MessageIcon::Warning);
        return;
    }
    clearStatusColumn();
    startProgressWindow();
}

// While a run is in progress its parameters must not change, so a retry run waits, like a
// normal run, until the previous run's window is closed.
void CViewSich::StartRetryRun(const QString &kopierdatei)
{
    if (!m_progress.CanStartRun())
        return;
    QString file = kopierdatei;
    if (file.isEmpty()) {
        file = m_prompts.OpenFileName(this, m_doc.Project().Dateien.RetryListFile,
                                      {LoadStr(GuiText::TextFileFilter), LoadStr(GuiText::AllFilesFilter)});
        if (file.isEmpty())
            return;
        file = model::AppendDefaultExtension(file);
    }
    if (const std::optional<model::FileError> error
        = model::BuildRetryRunParameters(m_doc.Project(), file, m_progress.Params())) {
        m_prompts.ShowMessage(this, FormatStr(kFileCannotBeOpened, {error->Path, CUtil::GetErrorText(error->ErrorCode)}),
                              MessageIcon::Stop);
        return;
    }
    startProgressWindow();
}

void CViewSich::startProgressWindow()
{
    m_list->FinishEditor(EditorFinish::Commit);
    EnableListButtons(ListButtons::Disabled);
    if (m_progress.Create() != CDlgSichProgress::CreateResult::Started)
        EnableListButtons(ListButtons::Enabled);
}

void CViewSich::clearStatusColumn()
{
    m_list->setColumnWidth(ColStatus, kStatusColumnWidth);
    for (int row = 0; row < m_list->rowCount(); ++row)
        m_list->SetCellText(row, ColStatus, QString());
}

void CViewSich::SetJobStatus(int row, const QString &text)
{
    m_list->SetCellText(row, ColStatus, text);
}
