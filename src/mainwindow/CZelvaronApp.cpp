#include "mainwindow/CZelvaronApp.h"

#include "controls/GuiTexts.h"
#include "controls/UserPrompts.h"
#include "engine/TextFormat.h"
#include "mainwindow/CMainFrame.h"
#include "mainwindow/ProjectCommands.h"
#include "model/CMyCommandLineInfo.h"
#include "model/CSettings.h"
#include "unattended/CDlgMessage.h"
#include "unattended/StatusAutostartEntry.h"

#include <QFileInfo>

CZelvaronApp::CZelvaronApp(IUserPrompts &prompts)
    : m_prompts(prompts)
{
}

CZelvaronApp::~CZelvaronApp() = default;

CZelvaronApp::StartResult CZelvaronApp::InitInstance(const QStringList &arguments)
{
    model::InitAppSettings();
    const model::CMyCommandLineInfo info = model::CMyCommandLineInfo::Parse(arguments);
    if (const auto status = info.GetStatusMode(); status != model::CMyCommandLineInfo::StatusMode::None) {
        CDlgMessage message(status == model::CMyCommandLineInfo::StatusMode::Ok ? CDlgMessage::Mode::Ok
                                                                                 : CDlgMessage::Mode::Error,
                            info.StatusText());
        const QStringList left = StatusAutostartEntry::Remove();
        m_prompts.Exec(message);
        // An entry that stays would show this status again at every log-in.
        for (const QString &path : left)
            m_prompts.ShowMessage(nullptr, FormatStr(GuiText::AutostartEntryLeft, {path}), MessageIcon::Warning);
        return StartResult::StatusShown;
    }
    const QStringList recent = model::AppSettings().RecentFiles();
    m_frame = std::make_unique<CMainFrame>(m_prompts, recent);
    QObject::connect(m_frame.get(), &CMainFrame::AutostartOpened, m_frame.get(), [this] { m_batch = false; });
    m_batch = info.Batch;
    if (info.Command == model::CMyCommandLineInfo::ShellCommand::FileOpen)
        m_frame->Files().OpenDocumentFile(QFileInfo(info.FileName).absoluteFilePath());
    m_frame->show();
    m_frame->repaint();
    if (m_batch)
        m_frame->PostStartRequest();
    m_batch = false;
    return StartResult::MainWindow;
}

void CZelvaronApp::ExitInstance()
{
    if (m_frame)
        model::AppSettings().WriteRecentFiles(m_frame->Files().RecentFiles());
}
