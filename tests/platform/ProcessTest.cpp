#include "platform/Process.h"

#include "platform/LastError.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <thread>

using namespace platform;

namespace {

// The started program runs on its own; wait until it has left its trace.
bool AppearsSoon(const QString &path)
{
    for (int attempt = 0; attempt < 300; ++attempt) {
        if (testfiles::PathPresent(path))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

TEST(Process, RunProgramSplitsQuotedArguments)
{
    QTemporaryDir dir;
    const QString marker = dir.path() + QStringLiteral("/with blank.txt");
    ASSERT_TRUE(RunProgram(QStringLiteral("touch \"%1\"").arg(marker)));
    EXPECT_TRUE(AppearsSoon(marker));
}

TEST(Process, StartDetachedPassesArgumentsUnchanged)
{
    QTemporaryDir dir;
    const QString marker = dir.path() + QStringLiteral("/quote\"and blank");
    ASSERT_TRUE(StartDetached(QStringLiteral("touch"), {marker}));
    EXPECT_TRUE(AppearsSoon(marker));
}

TEST(Process, MissingProgramFails)
{
    EXPECT_FALSE(RunProgram(QStringLiteral("zelvaron-no-such-program --flag")));
    EXPECT_EQ(LastError(), ENOENT);
    EXPECT_FALSE(StartDetached(QStringLiteral("/nonexistent/dir/prog"), {}));
    EXPECT_EQ(LastError(), ENOENT);
}

TEST(Process, EmptyCommandLineFails)
{
    EXPECT_FALSE(RunProgram(QStringLiteral("   ")));
    EXPECT_EQ(LastError(), ENOENT);
}

} // namespace
