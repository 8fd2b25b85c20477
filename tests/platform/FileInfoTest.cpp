#include "platform/FileInfo.h"

#include "platform/Attributes.h"
#include "platform/FileTime.h"
#include "platform/LastError.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>

using platform::FileType;
using platform::LinkMode;

namespace {

class FileInfoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(testfiles::WriteFile(Path("file"), "hello"));
        ASSERT_EQ(::mkdir(testfiles::Bytes(Path("dir")).constData(), 0755), 0);
        ASSERT_EQ(::symlink("file", testfiles::Bytes(Path("link")).constData()), 0);
        ASSERT_EQ(::symlink("nowhere", testfiles::Bytes(Path("dangling")).constData()), 0);
        ASSERT_EQ(::mkfifo(testfiles::Bytes(Path("fifo")).constData(), 0644), 0);
        MakeSocket(Path("sock"));
    }

    void TearDown() override
    {
        if (socketFd >= 0)
            ::close(socketFd);
    }

    QString Path(const char *name) const { return dir.path() + u'/' + QString::fromUtf8(name); }

    void MakeSocket(const QString &path)
    {
        socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(socketFd, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray bytes = testfiles::Bytes(path);
        ASSERT_LT(size_t(bytes.size()), sizeof address.sun_path);
        std::memcpy(address.sun_path, bytes.constData(), size_t(bytes.size()));
        ASSERT_EQ(::bind(socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    }

    QTemporaryDir dir;
    int socketFd = -1;
};

struct TypeRow {
    const char *name;
    LinkMode linkMode;
    FileType expected;
};

TEST_F(FileInfoTest, ReportsTheKindOfEveryEntry)
{
    const TypeRow rows[] = {
        {"file", LinkMode::DoNotFollow, FileType::Regular},
        {"dir", LinkMode::DoNotFollow, FileType::Directory},
        {"link", LinkMode::DoNotFollow, FileType::Symlink},
        {"link", LinkMode::Follow, FileType::Regular},
        {"dangling", LinkMode::DoNotFollow, FileType::Symlink},
        {"fifo", LinkMode::DoNotFollow, FileType::Fifo},
        {"sock", LinkMode::DoNotFollow, FileType::Socket},
    };
    for (const TypeRow &row : rows) {
        platform::FileInfo info;
        ASSERT_TRUE(platform::GetFileInfo(Path(row.name), row.linkMode, &info)) << row.name;
        EXPECT_EQ(info.type, row.expected) << row.name;
    }
}

TEST_F(FileInfoTest, DevicesAreRecognised)
{
    platform::FileInfo info;
    ASSERT_TRUE(platform::GetFileInfo(QStringLiteral("/dev/null"), LinkMode::DoNotFollow, &info));
    EXPECT_EQ(info.type, FileType::CharacterDevice);
}

TEST_F(FileInfoTest, RegularFileDetails)
{
    const qint64 stamp = 133485408001234567LL;
    ASSERT_TRUE(platform::SetModificationTime(Path("file"), stamp));
    ASSERT_EQ(::chmod(testfiles::Bytes(Path("file")).constData(), 0640), 0);
    platform::FileInfo info;
    ASSERT_TRUE(platform::GetFileInfo(Path("file"), LinkMode::DoNotFollow, &info));
    EXPECT_EQ(info.size, 5);
    EXPECT_EQ(info.lastWriteTime, stamp);
    EXPECT_EQ(info.mode & 07777, 0640u);
    EXPECT_EQ(info.attributes, platform::kAttributeArchive);
    struct stat st{};
    ASSERT_EQ(::stat(testfiles::Bytes(Path("file")).constData(), &st), 0);
    EXPECT_EQ(info.inode, quint64(st.st_ino));
    EXPECT_EQ(info.device, quint64(st.st_dev));
}

TEST_F(FileInfoTest, DanglingLinkExistsOnlyWithoutFollowing)
{
    EXPECT_TRUE(platform::Exists(Path("dangling"), LinkMode::DoNotFollow));
    EXPECT_FALSE(platform::Exists(Path("dangling"), LinkMode::Follow));
    EXPECT_EQ(platform::LastError(), ENOENT);
    platform::FileInfo info;
    EXPECT_FALSE(platform::GetFileInfo(Path("dangling"), LinkMode::Follow, &info));
    EXPECT_EQ(platform::LastError(), ENOENT);
}

TEST_F(FileInfoTest, MissingPathFails)
{
    platform::FileInfo info;
    EXPECT_FALSE(platform::GetFileInfo(Path("missing"), LinkMode::DoNotFollow, &info));
    EXPECT_EQ(platform::LastError(), ENOENT);
    EXPECT_FALSE(platform::Exists(Path("missing/below"), LinkMode::DoNotFollow));
    EXPECT_EQ(platform::LastError(), ENOENT);
    EXPECT_FALSE(platform::Exists(Path("file/below"), LinkMode::DoNotFollow));
    EXPECT_EQ(platform::LastError(), ENOTDIR);
}

TEST_F(FileInfoTest, InjectedStatFailure)
{
    testfiles::FaultGuard guard;
    platform::fault::Arm(platform::fault::Operation::Stat, 1, EACCES);
    platform::FileInfo info;
    EXPECT_FALSE(platform::GetFileInfo(Path("file"), LinkMode::DoNotFollow, &info));
    EXPECT_EQ(platform::LastError(), EACCES);
    EXPECT_TRUE(platform::GetFileInfo(Path("file"), LinkMode::DoNotFollow, &info));
}

} // namespace
