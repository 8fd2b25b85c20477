#include "platform/ErrorText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

TEST(ErrorText, SystemTextWithoutLineBreak)
{
    for (int err : {ENOENT, EACCES, ENOSPC, ECANCELED, EINVAL}) {
        const QString text = platform::ErrorText(err);
        EXPECT_FALSE(text.isEmpty()) << err;
        EXPECT_FALSE(text.endsWith(u'\n')) << err;
        EXPECT_FALSE(text.endsWith(u'\r')) << err;
    }
}

// The tests run with LC_ALL=C.UTF-8, where the user's language is the system's own.
TEST(ErrorText, MatchesTheSystemTextInTheTestLocale)
{
    EXPECT_EQ(platform::ErrorText(ENOENT), QString::fromLocal8Bit(std::strerror(ENOENT)));
    EXPECT_NE(platform::ErrorText(ENOENT), platform::ErrorText(EACCES));
}

TEST(ErrorText, UnknownCodeNamesTheNumber)
{
    EXPECT_TRUE(platform::ErrorText(98765).contains(QStringLiteral("98765")));
}

} // namespace
