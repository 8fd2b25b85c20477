#include "progress/CDlgSichProgress.h"

#include "engine/TextFormat.h"
#include "progress/CMessageEdit.h"
#include "progress/CTaskbarProgress.h"
#include "progress/IProgressHost.h"
#include "progress/PaneDisplay.h"
#include "progress/SoundPlayer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The run window's handlers of the engine's events; all run on the window's thread.

void CDlgSichProgress::OnPaneEvent(const CProgressData &record)
{
    if (!m_display || !IsWindowOpen())
        return;
    const std::optional<int> index = PaneIndex(record);
    if (!index || *index >= m_controls.Panes.size())
        return;
    PaneView &view = m_paneViews[size_t(*index)];
    const int stepsBefore = view.Bar1Steps;
    const PaneEventContext context{CurrentTick(), threadCount(), QDateTime::currentDateTime()};
    const std::optional<QString> endTime = ApplyPaneEvent(view, record, context);
    ShowPaneView(*m_controls.Panes[*index], view, record.Mask, view.Bar1Steps - stepsBefore);
    if (endTime)
        m_controls.EndTime->setText(*endTime);
}

void CDlgSichProgress::OnMessageEvent(const CProgressData &record)
{
    if (!IsWindowOpen())
        return;
    if (record.Kind == MessageKind::Error) {
        ++m_errorCount;
        m_controls.ErrorCount->setText(QString::number(m_errorCount));
        showErrorColour();
    } else if (record.Kind == MessageKind::SkipCounters) {
        m_skippedFiles += record.SkippedFiles;
        m_skippedDirectories += record.SkippedDirectories;
        m_controls.Skipped->setText(SkipFieldText(m_skippedFiles, m_skippedDirectories));
    }
    const QString line = MessageBoxLine(record.MessageText);
    if (!line.isEmpty())
        m_controls.MessageBox->AppendLine(line);
}

void CDlgSichProgress::OnJobStatus(int jobIndex, const QString &text)
{
    m_host.ShowJobStatus(jobIndex, text);
}

void CDlgSichProgress::OnRunProgress(const RunProgress &progress)
{
    m_taskbar->Show(progress);
    if (!m_host.IsMainWindowMinimized())
        return;
    m_host.SetMinimizedTitle(threadCount() == 1
                                 ? FormatText(QStringLiteral("%I64d %%"), {qint64(progress.percent)})
                                 : FormatStr(336, {qint64(m_errorCount)}));
}

void CDlgSichProgress::OnRunField(RunField field, const QString &text)
{
    if (!IsWindowOpen())
        return;
    switch (field) {
    case RunField::StartTime:
        m_controls.StartTime->setText(text);
        break;
    case RunField::EndTimeLabel:
        m_controls.EndTimeLabel->setText(text);
        break;
    case RunField::EndTime:
        m_controls.EndTime->setText(text);
        break;
    case RunField::Duration:
        m_controls.Duration->setText(text);
        break;
    case RunField::CancelButton:
        m_controls.CancelButton->setText(text);
        break;
    }
}

void CDlgSichProgress::OnPlaySound(RunSound sound)
{
    m_sound->Play(sound);
}

void CDlgSichProgress::OnRestoreWindows()
{
    if (m_host.IsMainWindowMinimized())
        m_host.RestoreMainWindow();
    if (isMinimized())
        showNormal();
}

void CDlgSichProgress::OnCloseRequest()
{
    if (m_asking) {
        m_closeRequested = true;
        return;
    }
    Cancel();
}
