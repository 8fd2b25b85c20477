#include "platform/FaultInjection.h"

#include "platform/FileInfo.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <thread>
#include <vector>

using platform::fault::Operation;

namespace {

class FaultInjectionTest : public ::testing::Test {
protected:
    QString MakeFile(const QString &name)
    {
        const QString path = dir.path() + u'/' + name;
        EXPECT_TRUE(testfiles::WriteFile(path, "x"));
        return path;
    }

    QTemporaryDir dir;
    testfiles::FaultGuard guard;
};

TEST_F(FaultInjectionTest, OnlyTheNthCallFails)
{
    const QString a = MakeFile(QStringLiteral("a"));
    const QString b = MakeFile(QStringLiteral("b"));
    const QString c = MakeFile(QStringLiteral("c"));
    platform::fault::Arm(Operation::RemoveFile, 2, EIO);

    EXPECT_TRUE(platform::RemoveFile(a));
    EXPECT_FALSE(platform::RemoveFile(b));
    EXPECT_EQ(platform::LastError(), EIO);
    EXPECT_TRUE(testfiles::PathPresent(b));
    EXPECT_TRUE(platform::RemoveFile(c));
    EXPECT_TRUE(platform::RemoveFile(b));
}

TEST_F(FaultInjectionTest, DisarmForgetsArmedFailures)
{
    const QString a = MakeFile(QStringLiteral("a"));
    platform::fault::Arm(Operation::RemoveFile, 1, EIO);
    platform::fault::Disarm();
    EXPECT_TRUE(platform::RemoveFile(a));
}

TEST_F(FaultInjectionTest, OperationsAreCountedSeparately)
{
    platform::fault::Arm(Operation::CreateDirectory, 1, ENOSPC);
    platform::fault::Arm(Operation::RemoveDirectory, 2, EBUSY);
    const QString sub = dir.path() + QStringLiteral("/sub");

    EXPECT_FALSE(platform::CreateDirectory(sub));
    EXPECT_EQ(platform::LastError(), ENOSPC);
    ASSERT_TRUE(platform::CreateDirectory(sub));
    ASSERT_TRUE(platform::RemoveDirectory(sub));
    ASSERT_TRUE(platform::CreateDirectory(sub));
    EXPECT_FALSE(platform::RemoveDirectory(sub));
    EXPECT_EQ(platform::LastError(), EBUSY);
}

TEST_F(FaultInjectionTest, SuccessLeavesTheLastErrorAlone)
{
    const QString a = MakeFile(QStringLiteral("a"));
    platform::SetLastError(EXDEV);
    EXPECT_TRUE(platform::Exists(a, platform::LinkMode::Follow));
    EXPECT_EQ(platform::LastError(), EXDEV);
}

TEST_F(FaultInjectionTest, LastErrorIsPerThread)
{
    platform::SetLastError(EPERM);
    int seenInOtherThread = -1;
    std::thread other([&] {
        platform::SetLastError(ENOENT);
        seenInOtherThread = platform::LastError();
    });
    other.join();
    EXPECT_EQ(seenInOtherThread, ENOENT);
    EXPECT_EQ(platform::LastError(), EPERM);
}

TEST_F(FaultInjectionTest, ExactlyOneCallFailsAcrossThreads)
{
    const QString a = MakeFile(QStringLiteral("a"));
    platform::fault::Arm(Operation::Stat, 150, EIO);
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 100; ++i) {
                if (!platform::Exists(a, platform::LinkMode::Follow)) {
                    ++failures;
                    EXPECT_EQ(platform::LastError(), EIO);
                }
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 1);
}

} // namespace
