#include <gtest/gtest.h>

TEST(Placeholder, FolderBuilds) { SUCCEED(); }
