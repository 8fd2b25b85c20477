#include "platform/FileTime.h"

#include "platform/LastError.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <ostream>

namespace {

struct ConversionRow {
    qint64 seconds;
    qint64 nanoseconds;
    qint64 fileTime;
};

void PrintTo(const ConversionRow &row, std::ostream *os)
{
    *os << row.seconds << "s " << row.nanoseconds << "ns";
}

class FileTimeConversion : public ::testing::TestWithParam<ConversionRow> {};

TEST_P(FileTimeConversion, BothDirections)
{
    const ConversionRow &row = GetParam();
    EXPECT_EQ(platform::FileTimeFromUnix(row.seconds, row.nanoseconds), row.fileTime);
    qint64 seconds = 0;
    qint64 nanoseconds = 0;
    platform::UnixFromFileTime(row.fileTime, &seconds, &nanoseconds);
    EXPECT_EQ(seconds, row.seconds);
    EXPECT_EQ(nanoseconds, row.nanoseconds);
}

INSTANTIATE_TEST_SUITE_P(Rows, FileTimeConversion,
                         ::testing::Values(ConversionRow{0, 0, 116444736000000000LL},
                                           ConversionRow{1, 500, 116444736010000005LL},
                                           ConversionRow{-1, 999999900, 116444735999999999LL},
                                           ConversionRow{-11644473600LL, 0, 0},
                                           // 2024-01-01 00:00:00 UTC
                                           ConversionRow{1704067200, 123456700, 133485408001234567LL}));

TEST(FileTimeConversionTruncates, NanosecondsBelowATick)
{
    EXPECT_EQ(platform::FileTimeFromUnix(0, 199), platform::kFileTimeOfUnixEpoch + 1);
}

TEST(FileTime, SetModificationTimeKeepsTheAccessTime)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/f");
    ASSERT_TRUE(testfiles::WriteFile(path, "abc"));
    const qint64 access = 130000000000000000LL + 1234567;
    const qint64 write1 = 131000000000000000LL + 7654321;
    ASSERT_TRUE(platform::SetFileTimes(path, access, write1));

    const qint64 write2 = 132000000000000000LL + 1;
    ASSERT_TRUE(platform::SetModificationTime(path, write2));

    platform::FileTimes times;
    ASSERT_TRUE(platform::GetFileTimes(path, &times));
    EXPECT_EQ(times.lastWrite, write2);
    EXPECT_EQ(times.lastAccess, access);
    qint64 lastWrite = 0;
    ASSERT_TRUE(platform::GetModificationTime(path, &lastWrite));
    EXPECT_EQ(lastWrite, write2);
}

TEST(FileTime, MissingFileFails)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/missing");
    qint64 lastWrite = 0;
    EXPECT_FALSE(platform::GetModificationTime(path, &lastWrite));
    EXPECT_EQ(platform::LastError(), ENOENT);
    EXPECT_FALSE(platform::SetModificationTime(path, platform::kFileTimeOfUnixEpoch));
    EXPECT_EQ(platform::LastError(), ENOENT);
}

TEST(FileTime, InjectedFailureChangesNothing)
{
    testfiles::FaultGuard guard;
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/f");
    ASSERT_TRUE(testfiles::WriteFile(path, "abc"));
    qint64 before = 0;
    ASSERT_TRUE(platform::GetModificationTime(path, &before));
    platform::fault::Arm(platform::fault::Operation::SetFileTime, 1, EROFS);
    EXPECT_FALSE(platform::SetModificationTime(path, platform::kFileTimeOfUnixEpoch));
    EXPECT_EQ(platform::LastError(), EROFS);
    qint64 after = 0;
    ASSERT_TRUE(platform::GetModificationTime(path, &after));
    EXPECT_EQ(after, before);
}

} // namespace
