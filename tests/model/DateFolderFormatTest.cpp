#include "model/DateFolderFormat.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(DateFolderFormat, EightEntriesInIdOrder)
{
    const QStringList expected{u"%Y_%m_%d"_s, u"%Y%m%d"_s, u"%Y_%m_%d_%H_%M_%S"_s, u"%Y%m%d%H%M%S"_s,
                               u"%y_%m_%d"_s, u"%y%m%d"_s, u"%y_%m_%d_%H_%M_%S"_s, u"%y%m%d%H%M%S"_s};
    const auto entries = model::DateFolderFormats();
    ASSERT_EQ(entries.size(), 8u);
    for (qsizetype i = 0; i < 8; ++i) {
        EXPECT_EQ(entries[i].Id, i + 1);
        EXPECT_EQ(model::DateFolderPattern(qint32(i + 1)), expected[i]);
        EXPECT_TRUE(model::IsDateFolderFormatId(qint32(i + 1)));
    }
}

TEST(DateFolderFormat, UnknownIdGivesTheFirstPattern)
{
    for (qint32 id : {0, 9, -1, 100})  {
        EXPECT_FALSE(model::IsDateFolderFormatId(id)) << id;
        EXPECT_EQ(model::DateFolderPattern(id), u"%Y_%m_%d"_s) << id;
    }
}
