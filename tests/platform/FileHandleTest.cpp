#include "platform/FileHandle.h"

#include "platform/LastError.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using namespace platform;

namespace {

class FileHandleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.path() + QStringLiteral("/file");
    }

    QByteArray ReadAll(const QString &from)
    {
        FileHandle file;
        EXPECT_TRUE(file.Open(from, OpenMode::Read));
        QByteArray content;
        char buffer[7];
        for (qint64 got = file.Read(buffer, sizeof buffer); got > 0; got = file.Read(buffer, sizeof buffer))
            content.append(buffer, got);
        EXPECT_TRUE(file.Close());
        return content;
    }

    QTemporaryDir dir;
    QString path;
    testfiles::FaultGuard guard;
};

TEST_F(FileHandleTest, CreateTruncateAppendAndRead)
{
    FileHandle file;
    ASSERT_TRUE(file.Open(path, OpenMode::CreateTruncate));
    ASSERT_TRUE(file.Write("first line\r\n"));
    ASSERT_TRUE(file.Close());
    EXPECT_FALSE(file.IsOpen());

    ASSERT_TRUE(file.Open(path, OpenMode::CreateAppend));
    ASSERT_TRUE(file.Write("second"));
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadAll(path), QByteArray("first line\r\nsecond"));

    ASSERT_TRUE(file.Open(path, OpenMode::CreateTruncate));
    ASSERT_TRUE(file.Write("new"));
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadAll(path), QByteArray("new"));
}

TEST_F(FileHandleTest, ReadRefusesWhatIsNotARegularFile)
{
    const QString fifo = dir.path() + QStringLiteral("/fifo");
    ASSERT_EQ(::mkfifo(testfiles::Bytes(fifo).constData(), 0644), 0);
    FileHandle file;
    EXPECT_FALSE(file.Open(fifo, OpenMode::Read));
    EXPECT_EQ(LastError(), EINVAL);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Open(dir.path(), OpenMode::Read));
    EXPECT_EQ(LastError(), EISDIR);
    EXPECT_FALSE(file.Open(path, OpenMode::Read));
    EXPECT_EQ(LastError(), ENOENT);
}

TEST_F(FileHandleTest, CloseTwiceReportsTheSecond)
{
    FileHandle file;
    ASSERT_TRUE(file.Open(path, OpenMode::CreateTruncate));
    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(LastError(), EBADF);
}

TEST_F(FileHandleTest, MovedHandleOwnsTheFile)
{
    FileHandle first;
    ASSERT_TRUE(first.Open(path, OpenMode::CreateTruncate));
    FileHandle second(std::move(first));
    EXPECT_FALSE(first.IsOpen());
    ASSERT_TRUE(second.Write("moved"));
    ASSERT_TRUE(second.Close());
    EXPECT_EQ(ReadAll(path), QByteArray("moved"));
}

struct InjectionRow {
    fault::Operation operation;
    int err;
};

TEST_F(FileHandleTest, EveryStepCanBeMadeToFail)
{
    ASSERT_TRUE(testfiles::WriteFile(path, "content"));
    const InjectionRow rows[] = {
        {fault::Operation::Open, EMFILE},
        {fault::Operation::Read, EIO},
        {fault::Operation::Write, ENOSPC},
        {fault::Operation::Close, EIO},
    };
    for (const InjectionRow &row : rows) {
        fault::Arm(row.operation, 1, row.err);
        FileHandle reader;
        FileHandle writer;
        char buffer[16];
        const bool ok = reader.Open(path, OpenMode::Read) && reader.Read(buffer, sizeof buffer) >= 0
            && writer.Open(dir.path() + QStringLiteral("/out"), OpenMode::CreateAppend) && writer.Write("x")
            && writer.Close();
        EXPECT_FALSE(ok) << int(row.operation);
        EXPECT_EQ(LastError(), row.err) << int(row.operation);
        fault::Disarm();
    }
}

} // namespace
