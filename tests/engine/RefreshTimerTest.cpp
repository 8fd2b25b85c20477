#include "engine/RefreshTimer.h"

#include <gtest/gtest.h>

TEST(RefreshTimer, FirstCallIsDueThenOncePerInterval)
{
    RefreshTimer timer;
    EXPECT_TRUE(timer.Due(500));
    EXPECT_FALSE(timer.Due(500));
    EXPECT_FALSE(timer.Due(3500)) << "exactly the interval is not more than it";
    EXPECT_TRUE(timer.Due(3501));
    EXPECT_FALSE(timer.Due(3502));
}

TEST(RefreshTimer, RestartPostponesAndTheWrapIsHarmless)
{
    RefreshTimer timer;
    timer.Restart(0xFFFFFF00u);
    EXPECT_FALSE(timer.Due(0xFFFFFFF0u));
    EXPECT_FALSE(timer.Due(100)) << "356 ms across the wrap";
    EXPECT_TRUE(timer.Due(3000));
}

TEST(SharedRefreshTimer, BehavesLikeTheSingleTimer)
{
    SharedRefreshTimer timer;
    EXPECT_TRUE(timer.Due(10));
    EXPECT_FALSE(timer.Due(3010));
    EXPECT_TRUE(timer.Due(3011));
}
