#include "progress/GuiRunObserver.h"

#include "GuiTestApp.h"
#include "engine/CProgressData.h"

#include <QApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Records what arrives and on which thread.
class Receiver : public IRunObserver {
public:
    void OnPaneEvent(const CProgressData &record) override { add(QStringLiteral("pane %1").arg(record.Pane)); }
    void OnMessageEvent(const CProgressData &record) override { add(record.MessageText); }
    void OnJobStatus(int jobIndex, const QString &text) override { add(QStringLiteral("status %1 %2").arg(jobIndex).arg(text)); }
    void OnRunProgress(const RunProgress &progress) override { add(QStringLiteral("progress %1").arg(progress.percent)); }
    void OnRunField(RunField, const QString &text) override { add(QStringLiteral("field ") + text); }
    void OnPlaySound(RunSound) override { add(QStringLiteral("sound on the receiver")); }
    void OnRestoreWindows() override { add(QStringLiteral("restore")); }
    void OnCloseRequest() override { add(QStringLiteral("close")); }

    QStringList Events() const
    {
        std::lock_guard<std::mutex> guard(lock);
        return events;
    }
    bool AllOnThread(QThread *thread) const
    {
        std::lock_guard<std::mutex> guard(lock);
        return std::all_of(threads.begin(), threads.end(), [&](QThread *t) { return t == thread; });
    }

private:
    void add(const QString &event)
    {
        std::lock_guard<std::mutex> guard(lock);
        events.push_back(event);
        threads.push_back(QThread::currentThread());
    }
    mutable std::mutex lock;
    QStringList events;
    std::vector<QThread *> threads;
};

class Sound : public ISoundPlayer {
public:
    void Play(RunSound sound) override
    {
        played.push_back(sound);
        thread = std::this_thread::get_id();
    }
    std::vector<RunSound> played;
    std::thread::id thread;
};

// Runs `work` on a new thread while the calling (user-interface) thread keeps its event loop
// going, as the run window does.
void runAsWorker(const std::function<void()> &work)
{
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done = true;
    });
    while (!done)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    worker.join();
}

CProgressData message(const QString &text)
{
    CProgressData record;
    record.MessageText = text;
    return record;
}

class GuiRunObserverTest : public ::testing::Test {
protected:
    QApplication &app = GuiTestApp();
    Receiver receiver;
    Sound sound;
    QObject context;
    GuiRunObserver observer{receiver, sound, context};
};

} // namespace

TEST_F(GuiRunObserverTest, AWorkerContinuesOnlyAfterTheWindowThreadHandledTheEvent)
{
    QStringList seenBySender;
    runAsWorker([&] {
        CProgressData record = message(QStringLiteral("eins"));
        observer.OnMessageEvent(record);
        seenBySender = receiver.Events();
        record.MessageText = QStringLiteral("geändert nach dem Aufruf");
        observer.OnRunField(RunField::StartTime, QStringLiteral("12:00:00"));
        observer.OnJobStatus(2, QStringLiteral("50 %"));
    });
    EXPECT_EQ(seenBySender, QStringList{QStringLiteral("eins")});
    EXPECT_EQ(receiver.Events(), (QStringList{QStringLiteral("eins"), QStringLiteral("field 12:00:00"),
                                              QStringLiteral("status 2 50 %")}));
    EXPECT_TRUE(receiver.AllOnThread(context.thread()));
}

TEST_F(GuiRunObserverTest, EventsOfEachSenderStayInOrder)
{
    constexpr int kPerSender = 200;
    std::atomic<int> finished{0};
    auto send = [&](const QString &prefix) {
        for (int i = 0; i < kPerSender; ++i)
            observer.OnMessageEvent(message(prefix + QString::number(i)));
        ++finished;
    };
    std::thread a(send, QStringLiteral("a"));
    std::thread b(send, QStringLiteral("b"));
    while (finished < 2)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    a.join();
    b.join();

    int nextA = 0;
    int nextB = 0;
    for (const QString &event : receiver.Events()) {
        int &next = event.startsWith(u'a') ? nextA : nextB;
        EXPECT_EQ(event.mid(1).toInt(), next);
        ++next;
    }
    EXPECT_EQ(nextA, kPerSender);
    EXPECT_EQ(nextB, kPerSender);
}

TEST_F(GuiRunObserverTest, SoundsPlayOnTheCallingThread)
{
    std::thread::id worker;
    runAsWorker([&] {
        worker = std::this_thread::get_id();
        observer.OnPlaySound(RunSound::RunEnded);
        observer.OnPlaySound(RunSound::EndedWithErrors);
    });
    EXPECT_EQ(sound.played, (std::vector<RunSound>{RunSound::RunEnded, RunSound::EndedWithErrors}));
    EXPECT_EQ(sound.thread, worker);
    EXPECT_TRUE(receiver.Events().isEmpty());
}

TEST_F(GuiRunObserverTest, TheCloseRequestIsPostedNotAwaited)
{
    observer.OnCloseRequest();
    EXPECT_TRUE(receiver.Events().isEmpty()) << "handled only by the event loop";
    QApplication::processEvents();
    EXPECT_EQ(receiver.Events(), QStringList{QStringLiteral("close")});

    // The worker's call returns although the window thread handles no event meanwhile.
    std::thread worker([&] { observer.OnCloseRequest(); });
    worker.join();
    EXPECT_EQ(receiver.Events().size(), 1);
    QApplication::processEvents();
    EXPECT_EQ(receiver.Events(), (QStringList{QStringLiteral("close"), QStringLiteral("close")}));
}

TEST_F(GuiRunObserverTest, CallsOnTheWindowThreadAreHandledAtOnce)
{
    observer.OnMessageEvent(message(QStringLiteral("direkt")));
    observer.OnRestoreWindows();
    EXPECT_EQ(receiver.Events(), (QStringList{QStringLiteral("direkt"), QStringLiteral("restore")}));
}

TEST_F(GuiRunObserverTest, NothingArrivesAfterDetach)
{
    observer.Detach();
    runAsWorker([&] {
        observer.OnMessageEvent(message(QStringLiteral("verloren")));
        observer.OnPaneEvent(CProgressData());
        observer.OnPlaySound(RunSound::RunEnded);
        observer.OnCloseRequest();
    });
    QApplication::processEvents();
    EXPECT_TRUE(receiver.Events().isEmpty());
    EXPECT_TRUE(sound.played.empty());
}
