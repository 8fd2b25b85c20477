#include "model/CViewData.h"
#include "model/DateTimeText.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using model::CDateTime;

TEST(CViewData, ConstructionGivesTheDefaults)
{
    const CViewData view;
    EXPECT_TRUE(view.Jobs.empty());
    EXPECT_FALSE(view.BatchStart);
    EXPECT_FALSE(view.CheckFileData.IsEnabled());
    EXPECT_EQ(view.ThreadCount, 1);
    EXPECT_EQ(view.CompressMinSize, -1);
    EXPECT_EQ(view.CompressMaxSize, -1);
    EXPECT_TRUE(view.DateFrom.IsNull());
    EXPECT_TRUE(view.DateTo.IsNull());
    EXPECT_EQ(view.DateFrom.LocalTicks(), 0);
    EXPECT_EQ(view.DateTo.LocalTicks(), 0);
    EXPECT_FALSE(view.RetryRun);
    EXPECT_TRUE(view.DateFolderFormat.isEmpty());
}

TEST(CViewData, ResetEmptiesEverythingButKeepsTheDateValues)
{
    CViewData view;
    view.Jobs.push_back(std::make_unique<CListData>());
    view.BatchStart = true;
    view.ThreadCount = 3;
    view.LogFile = u"/tmp/log.txt"_s;
    view.OnlyArchiveBitText = u"x"_s;
    view.FileIncludeList = {u"*.txt"_s};
    view.CompressMinSize = 256;
    view.CompressMaxSize = 1024;
    view.RetryRun = true;
    view.RetrySources = {u"a"_s};
    view.RetryTargets = {u"b"_s};
    view.CheckFileData.Load(u"/nonexistent/pruef.txt"_s);
    view.DateFrom = model::ParseDateTimeText(u"01.02.2020 03:04:05"_s);
    view.DateTo = model::ParseDateTimeText(u"kaputt"_s);
    const qint64 fromTicks = view.DateFrom.LocalTicks();
    const qint64 toTicks = view.DateTo.LocalTicks();

    view.Reset();

    EXPECT_TRUE(view.Jobs.empty());
    EXPECT_FALSE(view.BatchStart);
    EXPECT_EQ(view.ThreadCount, 1);
    EXPECT_TRUE(view.LogFile.isEmpty());
    EXPECT_TRUE(view.OnlyArchiveBitText.isEmpty());
    EXPECT_TRUE(view.FileIncludeList.isEmpty());
    EXPECT_EQ(view.CompressMinSize, -1);
    EXPECT_EQ(view.CompressMaxSize, -1);
    EXPECT_FALSE(view.RetryRun);
    EXPECT_TRUE(view.RetrySources.isEmpty());
    EXPECT_TRUE(view.RetryTargets.isEmpty());
    EXPECT_FALSE(view.CheckFileData.IsEnabled());
    EXPECT_TRUE(view.DateFrom.IsNull());
    EXPECT_TRUE(view.DateTo.IsNull());
    EXPECT_EQ(view.DateFrom.LocalTicks(), fromTicks);
    EXPECT_EQ(view.DateTo.LocalTicks(), toTicks);
}
