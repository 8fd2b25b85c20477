#include "unattended/StatusAutostartEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class AutostartEntry : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        qputenv("XDG_CONFIG_HOME", temp.filePath(QStringLiteral("user")).toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", (temp.filePath(QStringLiteral("system")) + QStringLiteral(":/etc/xdg")).toLocal8Bit());
    }

    static void Create(const QString &path)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir temp;
};

TEST_F(AutostartEntry, PathsFollowTheConfigurationFolders)
{
    EXPECT_EQ(StatusAutostartEntry::UserPath(), temp.filePath(QStringLiteral("user/autostart/zelvaron-status.desktop")));
    EXPECT_EQ(StatusAutostartEntry::SystemPath(), temp.filePath(QStringLiteral("system/autostart/zelvaron-status.desktop")));
    qputenv("XDG_CONFIG_HOME", "relativ");
    qputenv("XDG_CONFIG_DIRS", "");
    EXPECT_EQ(StatusAutostartEntry::UserPath(), QDir::homePath() + QStringLiteral("/.config/autostart/zelvaron-status.desktop"));
    EXPECT_EQ(StatusAutostartEntry::SystemPath(), QStringLiteral("/etc/xdg/autostart/zelvaron-status.desktop"));
}

TEST_F(AutostartEntry, RemoveDeletesBothEntriesAndMissingOnesAreNoError)
{
    Create(StatusAutostartEntry::UserPath());
    Create(StatusAutostartEntry::SystemPath());
    EXPECT_TRUE(StatusAutostartEntry::Remove().isEmpty());
    EXPECT_FALSE(QFile::exists(StatusAutostartEntry::UserPath()));
    EXPECT_FALSE(QFile::exists(StatusAutostartEntry::SystemPath()));
    EXPECT_TRUE(StatusAutostartEntry::Remove().isEmpty());
}

TEST_F(AutostartEntry, EntryThatCannotBeRemovedIsReported)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    Create(StatusAutostartEntry::SystemPath());
    const QString folder = QFileInfo(StatusAutostartEntry::SystemPath()).path();
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_EQ(StatusAutostartEntry::Remove(), QStringList{StatusAutostartEntry::SystemPath()});
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
