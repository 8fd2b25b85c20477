#include "CopyFixture.h"

#include "engine/CUtil.h"
#include "engine/CompareFiles.h"
#include "engine/TextFormat.h"
#include "platform/FaultInjection.h"

#include <cerrno>

namespace {

using testfiles::Pattern;
using testfiles::WriteFile;

constexpr qint64 kMiB = 1024 * 1024;

QByteArray WithByteChanged(QByteArray content, qsizetype at)
{
    content[at] = char(content[at] ^ 0x5a);
    return content;
}

struct CompareRow {
    const char *label;
    QByteArray source;
    QByteArray target;
    int expectedString; // 0: equal
};

class CompareContents : public CopyFixture, public ::testing::WithParamInterface<CompareRow> {};

TEST_P(CompareContents, TellsEqualFromDifferentBytesAndDifferentLengths)
{
    const CompareRow &row = GetParam();
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src")), row.source));
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("dst")), row.target));
    Describe(QStringLiteral("src"), QStringLiteral("dst"));

    const bool equal = CompareFiles(job);

    EXPECT_EQ(equal, row.expectedString == 0);
    const QString expected = row.expectedString == 0
        ? QString()
        : FormatStr(row.expectedString, {kT, Path(QStringLiteral("src")), Path(QStringLiteral("dst"))});
    EXPECT_EQ(WithoutTimeStamp(job.Record.MessageText), expected);
    EXPECT_TRUE(observer.Messages().empty());
}

const QByteArray kFiveMiB = Pattern(5 * kMiB);

INSTANTIATE_TEST_SUITE_P(
    Rows, CompareContents,
    ::testing::Values(CompareRow{"bothEmpty", QByteArray(), QByteArray(), 0},
                      CompareRow{"equalSmall", QByteArray("same"), QByteArray("same"), 0},
                      CompareRow{"equalOverSeveralBlocks", Pattern(9 * kMiB + 3), Pattern(9 * kMiB + 3), 0},
                      CompareRow{"firstByteDiffers", kFiveMiB, WithByteChanged(kFiveMiB, 0), 321},
                      CompareRow{"lastByteDiffers", kFiveMiB, WithByteChanged(kFiveMiB, 5 * kMiB - 1), 321},
                      CompareRow{"targetShorterByOne", kFiveMiB, kFiveMiB.left(5 * kMiB - 1), 322},
                      CompareRow{"targetShorterByABlock", kFiveMiB, kFiveMiB.left(4 * kMiB), 322},
                      CompareRow{"targetLonger", QByteArray("abc"), QByteArray("abcd"), 322},
                      CompareRow{"targetEmpty", QByteArray("abc"), QByteArray(), 322}),
    [](const auto &info) { return std::string(info.param.label); });

using CompareFilesTest = CopyFixture;

TEST_F(CompareFilesTest, SourceLargerThanListedIsStillComparedToTheEnd)
{
    const QByteArray content = Pattern(3 * kMiB);
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src")), content));
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("dst")), WithByteChanged(content, 3 * kMiB - 2)));
    Describe(QStringLiteral("src"), QStringLiteral("dst"));
    job.Record.FileSize = 10; // the listing saw a small file

    EXPECT_FALSE(CompareFiles(job));
    EXPECT_EQ(WithoutTimeStamp(job.Record.MessageText),
              FormatStr(321, {kT, Path(QStringLiteral("src")), Path(QStringLiteral("dst"))}));
}

struct SystemFailureRow {
    const char *label;
    bool targetMissing;
    platform::fault::Operation operation;
    int nthCall; // 0: no fault
    int expectedError;
};

class CompareSystemFailure : public CopyFixture, public ::testing::WithParamInterface<SystemFailureRow> {};

TEST_P(CompareSystemFailure, GivesTheSystemsReasonWithoutAFileName)
{
    const SystemFailureRow row = GetParam();
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src")), QByteArray("abc")));
    if (!row.targetMissing) {
        ASSERT_TRUE(WriteFile(Path(QStringLiteral("dst")), QByteArray("abc")));
    }
    Describe(QStringLiteral("src"), QStringLiteral("dst"));
    if (row.nthCall > 0)
        platform::fault::Arm(row.operation, row.nthCall, row.expectedError);

    EXPECT_FALSE(CompareFiles(job));

    EXPECT_EQ(WithoutTimeStamp(job.Record.MessageText), kT + QStringLiteral(" ") + CUtil::GetErrorText(row.expectedError));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CompareSystemFailure,
    ::testing::Values(SystemFailureRow{"targetMissing", true, platform::fault::Operation::Open, 0, ENOENT},
                      SystemFailureRow{"sourceOpen", false, platform::fault::Operation::Open, 1, EACCES},
                      SystemFailureRow{"sourceRead", false, platform::fault::Operation::Read, 1, EIO},
                      SystemFailureRow{"targetRead", false, platform::fault::Operation::Read, 2, EIO}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(CompareFilesTest, CancelFlagStopsAfterTheBlockInProgress)
{
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src")), QByteArray("abc")));
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("dst")), QByteArray("abc")));
    Describe(QStringLiteral("src"), QStringLiteral("dst"));
    run.RequestCancel();

    EXPECT_FALSE(CompareFiles(job));
    EXPECT_EQ(job.Record.MessageText, FormatStr(320, {}));
}

TEST_F(CompareFilesTest, LargeFileReportsEveryBlockUpToItsSize)
{
    const qint64 size = 60 * kMiB + 7;
    MakeSparse(QStringLiteral("src"), size);
    MakeSparse(QStringLiteral("dst"), size);
    Describe(QStringLiteral("src"), QStringLiteral("dst"));

    EXPECT_TRUE(CompareFiles(job));

    const auto starts = PanesWith(UPD_ACT_COMPARE | UPD_BAR2_RESET | UPD_COUNT_FILE_OF | UPD_SOURCE | UPD_TARGET);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].mask, UPD_PCT2_FILE | UPD_BAR2_FILE | UPD_BAR2_RESET | UPD_COUNT_FILE_OF | UPD_TARGET
                                  | UPD_SOURCE | UPD_ACT_COMPARE);
    qint64 last = 0;
    int blocks = 0;
    for (const auto &pane : observer.Panes()) {
        if (pane.mask != (UPD_PCT2_FILE | UPD_BAR2_FILE))
            continue;
        EXPECT_GT(pane.record.FileBytesDone, last);
        last = pane.record.FileBytesDone;
        ++blocks;
    }
    EXPECT_EQ(last, size);
    EXPECT_GE(blocks, 2);
}

TEST_F(CompareFilesTest, CancelInTheMiddleOfALargeComparison)
{
    MakeSparse(QStringLiteral("src"), 60 * kMiB);
    MakeSparse(QStringLiteral("dst"), 60 * kMiB);
    Describe(QStringLiteral("src"), QStringLiteral("dst"));
    observer.PaneHook = [&](const CProgressData &record) {
        if (record.Mask == (UPD_PCT2_FILE | UPD_BAR2_FILE))
            run.RequestCancel();
    };

    EXPECT_FALSE(CompareFiles(job));

    EXPECT_EQ(job.Record.MessageText, FormatStr(320, {}));
    EXPECT_LT(job.Record.FileBytesDone, 60 * kMiB);
}

TEST_F(CompareFilesTest, SmallFileSendsNoPaneEventWithoutTheRefreshTick)
{
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src")), QByteArray("abc")));
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("dst")), QByteArray("abc")));
    Describe(QStringLiteral("src"), QStringLiteral("dst"));

    EXPECT_TRUE(CompareFiles(job));
    EXPECT_TRUE(observer.Panes().empty());

    job.Record.Refresh = 1;
    EXPECT_TRUE(CompareFiles(job));
    ASSERT_EQ(observer.Panes().size(), 2u); // the start and the one block
    EXPECT_EQ(observer.Panes()[1].record.FileBytesDone, 3);
}

TEST_F(CompareFilesTest, CompressedFileReportsProgressAgainstTheArchiveSize)
{
    const qint64 size = 60 * kMiB;
    MakeSparse(QStringLiteral("src.zip"), size);
    MakeSparse(QStringLiteral("dst.zip"), size);
    Describe(QStringLiteral("src.zip"), QStringLiteral("dst.zip"));
    job.Record.FileSize = 1000; // the file before compression
    job.Record.Compressed = 1;
    job.Record.CompressedSize = size;

    EXPECT_TRUE(CompareFiles(job));

    const auto blocks = PanesWith(UPD_PCT2_FILE | UPD_BAR2_FILE);
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(blocks.back().record.FileBytesDone, size);
}

} // namespace
