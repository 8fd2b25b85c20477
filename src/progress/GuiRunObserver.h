#pragma once

#include "engine/IRunObserver.h"
#include "progress/SoundPlayer.h"

#include <atomic>

class QObject;

// Hands the engine's events to a receiver that lives on the user-interface thread. A call
// from another thread waits until the receiver has handled it there (the record stays valid
// and unchanged meanwhile); a call from the receiver's own thread is handled at once. The
// close request is posted and not waited for, and the sounds play on the calling thread, so
// that the user-interface thread never stalls on them. After Detach, events are dropped.
class GuiRunObserver : public IRunObserver {
public:
    // `receiver` handles every event except OnPlaySound, which `sound` plays on the caller's
    // thread; `context` is the QObject whose thread runs the receiver.
    GuiRunObserver(IRunObserver &receiver, ISoundPlayer &sound, QObject &context);

    // Drops every later event; only called on the receiver's thread.
    void Detach();

    void OnPaneEvent(const CProgressData &record) override;
    void OnMessageEvent(const CProgressData &record) override;
    void OnJobStatus(int jobIndex, const QString &text) override;
    void OnRunProgress(const RunProgress &progress) override;
    void OnRunField(RunField field, const QString &text) override;
    void OnPlaySound(RunSound sound) override;
    void OnRestoreWindows() override;
    void OnCloseRequest() override;

private:
    template <typename Call> void deliver(Call call);

    IRunObserver &m_receiver;
    ISoundPlayer &m_sound;
    QObject &m_context;
    std::atomic<bool> m_detached{false};
};
