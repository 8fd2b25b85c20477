#pragma once

#include "engine/CProgressData.h"
#include "engine/IRunObserver.h"

#include <QString>
#include <QStringList>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

// An observer that keeps every event of a run for the test to inspect. A test can hold a
// worker inside its synchronous message event (see SetMessageHook) to control the order in
// which jobs end.
class RecordingObserver : public IRunObserver {
public:
    struct Message {
        MessageKind kind;
        int pane;
        QString text;
    };
    struct Pane {
        int pane;
        quint64 mask;
        CProgressData record;
    };

    void OnPaneEvent(const CProgressData &record) override;
    void OnMessageEvent(const CProgressData &record) override;
    void OnJobStatus(int jobIndex, const QString &text) override;
    void OnRunProgress(const RunProgress &progress) override;
    void OnRunField(RunField field, const QString &text) override;
    void OnPlaySound(RunSound sound) override;
    void OnRestoreWindows() override;
    void OnCloseRequest() override;

    // Called for every message event on the sending thread, before it is recorded.
    void SetMessageHook(std::function<void(const CProgressData &)> hook);

    std::vector<Message> Messages() const;
    QStringList MessageTexts() const;
    std::vector<Pane> Panes() const;
    std::vector<RunSound> Sounds() const;
    std::vector<std::pair<int, QString>> JobStatuses() const;
    QString Field(RunField field) const;
    int CloseRequests() const;

private:
    mutable std::mutex m_lock;
    std::function<void(const CProgressData &)> m_hook;
    std::vector<Message> m_messages;
    std::vector<Pane> m_panes;
    std::vector<RunSound> m_sounds;
    std::vector<std::pair<int, QString>> m_statuses;
    std::vector<std::pair<RunField, QString>> m_fields;
    int m_closeRequests = 0;
};

// A gate a worker waits at until the test opens it.
class Gate {
public:
    void Open();
    void Wait();
    bool IsOpen() const;

private:
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_open = false;
};
