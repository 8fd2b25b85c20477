#include "resources/Strings.h"

#include <gtest/gtest.h>

TEST(Strings, UnknownIdIsEmpty)
{
    EXPECT_TRUE(LoadStr(-1).isEmpty());
    EXPECT_TRUE(ControlText(-1).isEmpty());
}
