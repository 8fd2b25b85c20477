#include "engine/RunContext.h"

#include "engine/TimeFormat.h"
#include "model/CViewData.h"

namespace {

QString dateFolderSuffix(const CViewData &params, const QDateTime &openedAt)
{
    if (!params.AppendDateToTarget)
        return QString();
    return QStringLiteral("/") + FormatDateTime(params.DateFolderFormat, openedAt);
}

} // namespace

RunContext::RunContext(CViewData &params, IRunObserver &observer, Presentation presentation)
    : m_params(params)
    , m_observer(observer)
    , m_presentation(presentation)
    , m_openedAt(QDateTime::currentDateTime())
    , m_dateFolderSuffix(dateFolderSuffix(params, m_openedAt))
{
}

void RunContext::RequestCancel()
{
    m_cancel.store(1);
    NotifyController();
}

void RunContext::NotifyController()
{
    // Taking the lock orders the notification after a waiter's predicate check.
    { std::lock_guard<std::mutex> guard(m_wakeLock); }
    m_wake.notify_all();
}

void RunContext::SendPane(CProgressData &record, quint64 mask)
{
    if (!IsDisplayEnabled())
        return;
    record.Mask = mask;
    m_observer.OnPaneEvent(record);
}

void RunContext::SendMessage(CProgressData &record, MessageKind kind, const QString &text)
{
    record.Kind = kind;
    record.MessageText = text;
    if (kind == MessageKind::Error)
        m_errors.fetch_add(1);
    if (kind == MessageKind::SkipCounters) {
        m_skippedFiles.fetch_add(record.SkippedFiles);
        m_skippedDirectories.fetch_add(record.SkippedDirectories);
    }
    m_observer.OnMessageEvent(record);
}

void RunContext::SendJobStatus(int jobIndex, const QString &text)
{
    m_observer.OnJobStatus(jobIndex, text);
}
