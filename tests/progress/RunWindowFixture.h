#pragma once

#include "engine/IRunObserver.h"
#include "progress/CDlgSichProgress.h"
#include "progress/CTaskbarProgress.h"
#include "progress/IProgressHost.h"
#include "progress/IRunEndActions.h"
#include "progress/SoundPlayer.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <vector>

// Notes every call of the run window toward the main window and the unattended actions, in
// the order they happen.
class FakeHost : public IProgressHost, public IRunEndActions {
public:
    bool IsMainWindowMinimized() const override { return minimized; }
    void MinimizeMainWindow() override;
    void RestoreMainWindow() override;
    void SetMinimizedTitle(const QString &title) override;
    void ShowJobStatus(int jobIndex, const QString &text) override;
    void EnableView() override;
    void ClearDocumentModified() override;
    void CloseMainWindow() override;
    void RegisterStatusMessage(int errorCount) override;
    void StartShutdown(ShutdownKind kind, const QString &message) override;

    QStringList log;
    bool minimized = false;
};

// The sounds played, kept by the test so that they outlive the window.
class SoundLog {
public:
    void Add(RunSound sound);
    std::vector<RunSound> Played() const;

private:
    mutable std::mutex m_lock;
    std::vector<RunSound> m_played;
};

class FakeSound : public ISoundPlayer {
public:
    explicit FakeSound(SoundLog &log) : m_log(log) {}
    void Play(RunSound sound) override { m_log.Add(sound); }

private:
    SoundLog &m_log;
};

class FakeTaskbar : public ITaskbarProgress {
public:
    void Show(const RunProgress &progress) override { shown.push_back(progress); }
    std::vector<RunProgress> shown;
};

// A run window with fake surroundings and a small source tree for real runs.
class RunWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A job copying a fresh source tree of three files into its own target directory.
    void AddJob();
    // Opens the window and starts the run.
    void Start();
    // Lets the event loop run until the run's controller thread has ended.
    void WaitForRunEnd();
    // Calls `action` on the window thread when the message box first shows `line`, while the
    // worker that sent it waits.
    void AtMessage(const QString &line, std::function<void()> action);
    QStringList BoxLines() const;
    QString FieldText(const char *name) const;

    QTemporaryDir tree;
    FakeHost host;
    SoundLog sounds;
    FakeTaskbar *taskbar = nullptr;
    std::unique_ptr<CDlgSichProgress> dialog;
    Answer answer = Answer::No;
    int questions = 0;
    QStringList questionTexts;
    std::function<void()> whileAsking;
    int jobCount = 0;
};

QString StartLine(int job);
QString EndLine(int job, int errors);
