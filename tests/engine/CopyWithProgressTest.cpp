#include "CopyFixture.h"

#include "engine/CUtil.h"
#include "engine/CopyWithProgress.h"
#include "engine/TextFormat.h"
#include "platform/FaultInjection.h"

#include <cerrno>

namespace {

using testfiles::PathPresent;
using testfiles::ReadFile;
using testfiles::WriteFile;

constexpr quint64 kStartMask = UPD_PCT2_FILE | UPD_BAR2_FILE | UPD_BAR2_RESET | UPD_COUNT_FILE_OF | UPD_TARGET
                               | UPD_SOURCE | UPD_ACT_COPY;
constexpr quint64 kChunkMask = UPD_PCT2_FILE | UPD_BAR2_FILE;

struct ProgressRow {
    const char *label;
    qint64 size;
    int refresh;
    bool expectStart;
    bool expectChunks;
};

class CopyProgress : public CopyFixture, public ::testing::WithParamInterface<ProgressRow> {};

TEST_P(CopyProgress, EventsOnlyForLargeFilesOrOnTheRefreshTick)
{
    const ProgressRow row = GetParam();
    MakeSparse(QStringLiteral("src"), row.size);
    Describe(QStringLiteral("src"), QStringLiteral("dst"));
    job.Record.Refresh = row.refresh;

    ASSERT_TRUE(CopyWithProgress(job, platform::CopyTimes::Modification));

    const auto panes = observer.Panes();
    std::vector<qint64> chunkBytes;
    int starts = 0;
    for (const auto &pane : panes) {
        if (pane.mask == kStartMask) {
            ++starts;
            EXPECT_EQ(pane.record.FileBytesDone, 0);
            EXPECT_EQ(pane.record.SourcePath, Path(QStringLiteral("src")));
            EXPECT_EQ(pane.record.TargetPath, Path(QStringLiteral("dst")));
        } else {
            EXPECT_EQ(pane.mask, kChunkMask);
            chunkBytes.push_back(pane.record.FileBytesDone);
        }
    }
    EXPECT_EQ(starts, row.expectStart ? 1 : 0);
    EXPECT_EQ(!chunkBytes.empty(), row.expectChunks);
    if (row.expectChunks) {
        EXPECT_TRUE(std::is_sorted(chunkBytes.begin(), chunkBytes.end()));
        EXPECT_GT(chunkBytes.front(), 0);
        EXPECT_EQ(chunkBytes.back(), row.size);
    }
    EXPECT_EQ(testfiles::Mode(Path(QStringLiteral("dst"))), testfiles::Mode(Path(QStringLiteral("src"))));
}

INSTANTIATE_TEST_SUITE_P(Rows, CopyProgress,
                         ::testing::Values(ProgressRow{"small", 1000, 0, false, false},
                                           ProgressRow{"smallOnRefresh", 1000, 1, true, false},
                                           ProgressRow{"atThreshold", 52428800, 0, false, false},
                                           ProgressRow{"aboveThreshold", 52428801, 0, true, true}),
                         [](const auto &info) { return std::string(info.param.label); });

using CopyWithProgressTest = CopyFixture;

TEST_F(CopyWithProgressTest, StartsWithAnEmptyMessageAndNoFileBytes)
{
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src")), QByteArray("abc")));
    Describe(QStringLiteral("src"), QStringLiteral("dst"));
    job.Record.MessageText = QStringLiteral("left over");
    job.Record.FileBytesDone = 77;

    ASSERT_TRUE(CopyWithProgress(job, platform::CopyTimes::Modification));

    EXPECT_TRUE(job.Record.MessageText.isEmpty());
    EXPECT_EQ(job.Record.FileBytesDone, 0);
    EXPECT_EQ(ReadFile(Path(QStringLiteral("dst"))), QByteArray("abc"));
}

TEST_F(CopyWithProgressTest, FailureLeavesTheReasonInTheMessageTextAndSendsNoMessage)
{
    Describe(QStringLiteral("."), QStringLiteral("dst")); // a directory is no file to copy
    job.Record.SourcePath = Path(QStringLiteral("missing"));

    ASSERT_FALSE(CopyWithProgress(job, platform::CopyTimes::Modification));

    EXPECT_EQ(WithoutTimeStamp(job.Record.MessageText),
              FormatStr(406, {kT, Path(QStringLiteral("missing")), Path(QStringLiteral("dst")), CUtil::GetErrorText(ENOENT)}));
    EXPECT_TRUE(observer.Messages().empty());
    EXPECT_FALSE(PathPresent(Path(QStringLiteral("dst"))));
}

TEST_F(CopyWithProgressTest, CancelBeforeTheCopyStillStopsASmallFile)
{
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src")), QByteArray("abc")));
    Describe(QStringLiteral("src"), QStringLiteral("dst"));
    run.RequestCancel();

    ASSERT_FALSE(CopyWithProgress(job, platform::CopyTimes::Modification));

    EXPECT_EQ(WithoutTimeStamp(job.Record.MessageText),
              FormatStr(406, {kT, Path(QStringLiteral("src")), Path(QStringLiteral("dst")), CUtil::GetErrorText(ECANCELED)}));
    EXPECT_FALSE(PathPresent(Path(QStringLiteral("dst"))));
}

TEST_F(CopyWithProgressTest, ReadOnlyTargetThatCannotBeMadeWritableIsAFailureWithoutANotice)
{
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src")), QByteArray("new")));
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("dst")), QByteArray("old"), 0444));
    Describe(QStringLiteral("src"), QStringLiteral("dst"));
    platform::fault::Arm(platform::fault::Operation::SetAttributes, 1, EPERM);

    ASSERT_FALSE(CopyWithProgress(job, platform::CopyTimes::Modification));

    EXPECT_EQ(WithoutTimeStamp(job.Record.MessageText),
              FormatStr(406, {kT, Path(QStringLiteral("src")), Path(QStringLiteral("dst")), CUtil::GetErrorText(EACCES)}));
    EXPECT_TRUE(observer.Messages().empty());
    EXPECT_EQ(ReadFile(Path(QStringLiteral("dst"))), QByteArray("old"));
}

} // namespace
