#include "support/RecordingObserver.h"

void RecordingObserver::OnPaneEvent(const CProgressData &record)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_panes.push_back({record.Pane, record.Mask, record});
}

void RecordingObserver::OnMessageEvent(const CProgressData &record)
{
    std::function<void(const CProgressData &)> hook;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        hook = m_hook;
    }
    if (hook)
        hook(record);
    std::lock_guard<std::mutex> guard(m_lock);
    m_messages.push_back({record.Kind, record.Pane, record.MessageText});
}

void RecordingObserver::OnJobStatus(int jobIndex, const QString &text)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_statuses.emplace_back(jobIndex, text);
}

void RecordingObserver::OnRunProgress(const RunProgress &) {}

void RecordingObserver::OnRunField(RunField field, const QString &text)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_fields.emplace_back(field, text);
}

void RecordingObserver::OnPlaySound(RunSound sound)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_sounds.push_back(sound);
}

void RecordingObserver::OnRestoreWindows() {}

void RecordingObserver::OnCloseRequest()
{
    std::lock_guard<std::mutex> guard(m_lock);
    ++m_closeRequests;
}

void RecordingObserver::SetMessageHook(std::function<void(const CProgressData &)> hook)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_hook = std::move(hook);
}

std::vector<RecordingObserver::Message> RecordingObserver::Messages() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_messages;
}

QStringList RecordingObserver::MessageTexts() const
{
    QStringList texts;
    for (const Message &m : Messages())
        texts << m.text;
    return texts;
}

std::vector<RecordingObserver::Pane> RecordingObserver::Panes() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_panes;
}

std::vector<RunSound> RecordingObserver::Sounds() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_sounds;
}

std::vector<std::pair<int, QString>> RecordingObserver::JobStatuses() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_statuses;
}

QString RecordingObserver::Field(RunField field) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    QString last;
    for (const auto &[f, text] : m_fields) {
        if (f == field)
            last = text;
    }
    return last;
}

int RecordingObserver::CloseRequests() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_closeRequests;
}

void Gate::Open()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_open = true;
    }
    m_changed.notify_all();
}

void Gate::Wait()
{
    std::unique_lock<std::mutex> lock(m_lock);
    while (!m_open)
        m_changed.wait(lock);
}

bool Gate::IsOpen() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_open;
}
