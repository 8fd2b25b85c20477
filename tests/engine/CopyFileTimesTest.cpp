#include "CopyFixture.h"

#include "engine/CUtil.h"
#include "engine/CopyFileTimes.h"
#include "engine/TextFormat.h"
#include "platform/FaultInjection.h"

#include <cerrno>
#include <fcntl.h>

namespace {

using testfiles::Bytes;
using testfiles::WriteFile;

using CopyFileTimesTest = CopyFixture;

TEST_F(CopyFileTimesTest, CarriesAccessAndModificationTimeToTheNanosecondOntoAReadOnlyTarget)
{
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src")), QByteArray("abc")));
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("dst")), QByteArray("abc"), 0444));
    const timespec stamps[2] = {{1400000000, 111111111}, {1300000000, 222222229}};
    ASSERT_EQ(::utimensat(AT_FDCWD, Bytes(Path(QStringLiteral("src"))).constData(), stamps, 0), 0);
    Describe(QStringLiteral("src"), QStringLiteral("dst"));

    ASSERT_TRUE(CopyFileTimes(job));

    struct stat target{};
    ASSERT_EQ(::stat(Bytes(Path(QStringLiteral("dst"))).constData(), &target), 0);
    EXPECT_EQ(target.st_atim.tv_sec, 1400000000);
    EXPECT_EQ(target.st_atim.tv_nsec, 111111111);
    EXPECT_EQ(target.st_mtim.tv_sec, 1300000000);
    EXPECT_EQ(target.st_mtim.tv_nsec, 222222229);
    EXPECT_EQ(target.st_mode & 07777, 0444u);
}

struct TimesFailureRow {
    const char *label;
    platform::fault::Operation operation;
    int error;
    int expectedString;
    bool onSource;
};

class CopyFileTimesFailure : public CopyFixture, public ::testing::WithParamInterface<TimesFailureRow> {};

TEST_P(CopyFileTimesFailure, NamesTheFileAndTheReason)
{
    const TimesFailureRow row = GetParam();
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src")), QByteArray("abc")));
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("dst")), QByteArray("abc")));
    Describe(QStringLiteral("src"), QStringLiteral("dst"));
    platform::fault::Arm(row.operation, 1, row.error);

    ASSERT_FALSE(CopyFileTimes(job));

    const QString path = Path(row.onSource ? QStringLiteral("src") : QStringLiteral("dst"));
    EXPECT_EQ(WithoutTimeStamp(job.Record.MessageText),
              FormatStr(row.expectedString, {kT, path, CUtil::GetErrorText(row.error)}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CopyFileTimesFailure,
    ::testing::Values(TimesFailureRow{"sourceUnreadable", platform::fault::Operation::Stat, EIO, 316, true},
                      TimesFailureRow{"sourceGone", platform::fault::Operation::Stat, ENOENT, 317, true},
                      TimesFailureRow{"targetRefuses", platform::fault::Operation::SetFileTime, EPERM, 315, false},
                      TimesFailureRow{"targetGone", platform::fault::Operation::SetFileTime, ENOENT, 317, false}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(CopyFileTimesTest, MissingTargetCannotBeOpened)
{
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src")), QByteArray("abc")));
    Describe(QStringLiteral("src"), QStringLiteral("dst"));

    ASSERT_FALSE(CopyFileTimes(job));

    EXPECT_EQ(WithoutTimeStamp(job.Record.MessageText),
              FormatStr(317, {kT, Path(QStringLiteral("dst")), CUtil::GetErrorText(ENOENT)}));
}

} // namespace
