#include "platform/WorkAhead.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

using platform::WorkAhead;

namespace {

// Results name the key and the thread that did the work.
QString Label(const QString &key, std::thread::id walker)
{
    return key + (std::this_thread::get_id() == walker ? QStringLiteral("@walk") : QStringLiteral("@ahead"));
}

} // namespace

// The walk will take the first announced key next, so the thread starts on the second; what
// it made is handed over, and what it never started is done by the walk.
TEST(WorkAhead, SecondKeyIsDoneAheadAndHandedOver)
{
    const std::thread::id walker = std::this_thread::get_id();
    std::promise<void> secondStarted;
    WorkAhead<QString> ahead(
        [&](const QString &key, const std::atomic<bool> &) {
            if (key == QStringLiteral("k2"))
                secondStarted.set_value();
            return Label(key, walker);
        },
        [](const QString &) { return qsizetype(1); }, 100);
    ahead.Announce({QStringLiteral("k1"), QStringLiteral("k2"), QStringLiteral("k3")});
    secondStarted.get_future().wait();

    const auto first = ahead.Take(QStringLiteral("k1"));
    EXPECT_FALSE(first.has_value()) << "not started: the walk does it itself";
    const auto second = ahead.Take(QStringLiteral("k2"));
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(*second, QStringLiteral("k2@ahead"));
    EXPECT_FALSE(ahead.Take(QStringLiteral("never announced")).has_value());
}

// A withdrawn key that the walk asks for after all still gets its result, whether the work
// is under way or done by then.
TEST(WorkAhead, TakingAWithdrawnKeyUnderWayGetsItsResult)
{
    for (int round = 0; round < 20; ++round) {
        const std::thread::id walker = std::this_thread::get_id();
        std::promise<void> started;
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        WorkAhead<QString> ahead(
            [&](const QString &key, const std::atomic<bool> &) {
                if (key == QStringLiteral("slow")) {
                    started.set_value();
                    released.wait();
                }
                return Label(key, walker);
            },
            [](const QString &) { return qsizetype(1); }, 100);
        ahead.Announce({QStringLiteral("next"), QStringLiteral("slow")});
        started.get_future().wait();
        ahead.Withdraw(QStringLiteral("slow"));
        auto taken = std::async(std::launch::async, [&] { return ahead.Take(QStringLiteral("slow")); });
        release.set_value();
        const auto result = taken.get();
        if (result) {
            EXPECT_EQ(*result, QStringLiteral("slow@ahead"));
        }
    }
}

// Stopping lets work under way give up; nothing waits for the rest.
TEST(WorkAhead, DestructionStopsWorkUnderWay)
{
    std::promise<void> started;
    {
        WorkAhead<QString> ahead(
            [&](const QString &key, const std::atomic<bool> &stopping) {
                if (key == QStringLiteral("endless")) {
                    started.set_value();
                    while (!stopping.load())
                        std::this_thread::yield();
                }
                return key;
            },
            [](const QString &) { return qsizetype(1); }, 100);
        ahead.Announce({QStringLiteral("first"), QStringLiteral("endless"), QStringLiteral("later")});
        started.get_future().wait();
    }
    SUCCEED() << "the destructor returned";
}
