#include "progress/SoundPlayer.h"

#include "GuiTestApp.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

namespace {

struct Tools {
    int themePlayerExit = -1; // -1: the program is missing
    int filePlayerExit = -1;
    bool themeFiles = false;
};

struct Row {
    const char *name;
    Tools tools;
    QStringList expectedCalls;
};

void PrintTo(const Row &row, std::ostream *os)
{
    *os << row.name;
}

class SoundPlayerRows : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override
    {
        GuiTestApp();
        ASSERT_TRUE(dir.isValid());
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    // A player that notes its name and arguments in the log and ends with `exitCode`.
    void writePlayer(const QString &name, int exitCode)
    {
        QDir().mkpath(path(QStringLiteral("bin")));
        QFile script(path(QStringLiteral("bin/") + name));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho \"%1 $*\" >> \"%2\"\nexit %3\n")
                         .arg(name, path(QStringLiteral("log")))
                         .arg(exitCode)
                         .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void writeThemeFiles()
    {
        const QString stereo = path(QStringLiteral("share/sounds/freedesktop/stereo"));
        QDir().mkpath(stereo);
        for (const char *name : {"complete", "dialog-information", "dialog-error"}) {
            QFile file(stereo + u'/' + QString::fromLatin1(name) + QStringLiteral(".oga"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }

    QStringList calls() const
    {
        QFile log(path(QStringLiteral("log")));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        QString text = QString::fromUtf8(log.readAll());
        text.replace(dir.path(), QStringLiteral("<dir>"));
        return text.split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
};

} // namespace

TEST_P(SoundPlayerRows, PlaysThroughTheFirstWorkingPlayer)
{
    const Row &row = GetParam();
    QDir().mkpath(path(QStringLiteral("bin")));
    if (row.tools.themePlayerExit >= 0)
        writePlayer(QStringLiteral("canberra-gtk-play"), row.tools.themePlayerExit);
    if (row.tools.filePlayerExit >= 0)
        writePlayer(QStringLiteral("paplay"), row.tools.filePlayerExit);
    if (row.tools.themeFiles)
        writeThemeFiles();

    ThemeSoundPlayer player({path(QStringLiteral("bin"))}, {path(QStringLiteral("share"))});
    player.Play(RunSound::RunEnded);
    player.Play(RunSound::EndedWithErrors);

    EXPECT_EQ(calls(), row.expectedCalls);
}

INSTANTIATE_TEST_SUITE_P(
    Players, SoundPlayerRows,
    ::testing::Values(
        Row{"ThemePlayer", {0, 0, true},
            {QStringLiteral("canberra-gtk-play -i complete"), QStringLiteral("canberra-gtk-play -i dialog-error")}},
        Row{"FilePlayerWhenTheThemePlayerFails", {1, 0, true},
            {QStringLiteral("canberra-gtk-play -i complete"),
             QStringLiteral("paplay <dir>/share/sounds/freedesktop/stereo/complete.oga"),
             QStringLiteral("canberra-gtk-play -i dialog-error"),
             QStringLiteral("paplay <dir>/share/sounds/freedesktop/stereo/dialog-error.oga")}},
        Row{"FilePlayerAlone", {-1, 0, true},
            {QStringLiteral("paplay <dir>/share/sounds/freedesktop/stereo/complete.oga"),
             QStringLiteral("paplay <dir>/share/sounds/freedesktop/stereo/dialog-error.oga")}},
        Row{"NoThemeFileNoFilePlayerCall", {-1, 0, false}, {}},
        Row{"SilentWithoutAnyPlayer", {-1, -1, true}, {}},
        Row{"NoSoundServerIsNoError", {1, 1, true},
            {QStringLiteral("canberra-gtk-play -i complete"),
             QStringLiteral("paplay <dir>/share/sounds/freedesktop/stereo/complete.oga"),
             QStringLiteral("canberra-gtk-play -i dialog-error"),
             QStringLiteral("paplay <dir>/share/sounds/freedesktop/stereo/dialog-error.oga")}}),
    [](const ::testing::TestParamInfo<Row> &info) { return std::string(info.param.name); });

// The run's controller thread plays the sounds; it is a plain thread without an event loop.
TEST_F(SoundPlayerRows, PlaysOnAThreadWithoutAnEventLoop)
{
    writePlayer(QStringLiteral("canberra-gtk-play"), 0);
    ThemeSoundPlayer player({path(QStringLiteral("bin"))}, {path(QStringLiteral("share"))});
    std::thread controller([&] { player.Play(RunSound::EndedWithoutErrors); });
    controller.join();
    EXPECT_EQ(calls(), QStringList{QStringLiteral("canberra-gtk-play -i dialog-information")});
}

TEST(ThemeSoundName, EachRunSoundHasAThemeName)
{
    EXPECT_EQ(ThemeSoundName(RunSound::RunEnded), QStringLiteral("complete"));
    EXPECT_EQ(ThemeSoundName(RunSound::EndedWithoutErrors), QStringLiteral("dialog-information"));
    EXPECT_EQ(ThemeSoundName(RunSound::EndedWithErrors), QStringLiteral("dialog-error"));
}
