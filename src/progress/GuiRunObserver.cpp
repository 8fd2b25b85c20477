#include "progress/GuiRunObserver.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

GuiRunObserver::GuiRunObserver(IRunObserver &receiver, ISoundPlayer &sound, QObject &context)
    : m_receiver(receiver)
    , m_sound(sound)
    , m_context(context)
{
}

void GuiRunObserver::Detach()
{
    m_detached.store(true);
}

// The detached flag is read again on the receiver's thread, because an event may have been
// queued just before Detach.
template <typename Call> void GuiRunObserver::deliver(Call call)
{
    if (m_detached.load())
        return;
    auto guarded = [this, &call] {
        if (!m_detached.load())
            call(m_receiver);
    };
    if (QThread::currentThread() == m_context.thread())
        guarded();
    else
        QMetaObject::invokeMethod(&m_context, guarded, Qt::BlockingQueuedConnection);
}

void GuiRunObserver::OnPaneEvent(const CProgressData &record)
{
    deliver([&](IRunObserver &r) { r.OnPaneEvent(record); });
}

void GuiRunObserver::OnMessageEvent(const CProgressData &record)
{
    deliver([&](IRunObserver &r) { r.OnMessageEvent(record); });
}

void GuiRunObserver::OnJobStatus(int jobIndex, const QString &text)
{
    deliver([&](IRunObserver &r) { r.OnJobStatus(jobIndex, text); });
}

void GuiRunObserver::OnRunProgress(const RunProgress &progress)
{
    deliver([&](IRunObserver &r) { r.OnRunProgress(progress); });
}

void GuiRunObserver::OnRunField(RunField field, const QString &text)
{
    deliver([&](IRunObserver &r) { r.OnRunField(field, text); });
}

void GuiRunObserver::OnRestoreWindows()
{
    deliver([](IRunObserver &r) { r.OnRestoreWindows(); });
}

void GuiRunObserver::OnPlaySound(RunSound sound)
{
    if (!m_detached.load())
        m_sound.Play(sound);
}

void GuiRunObserver::OnCloseRequest()
{
    if (m_detached.load())
        return;
    QMetaObject::invokeMethod(&m_context, [this] {
        if (!m_detached.load())
            m_receiver.OnCloseRequest();
    }, Qt::QueuedConnection);
}
