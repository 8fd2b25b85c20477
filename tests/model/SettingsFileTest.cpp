#include "model/CIniFile.h"
#include "model/CSettings.h"
#include "model/ProfileBinary.h"
#include "model/SettingsLocation.h"
#include "model/WindowPlacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString programName = u"zelvaron"_s;

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray fileContent(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SettingsFile : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path() const { return m_dir.filePath(u"zelvaron.ini"_s); }
    QString dirPath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

model::WindowPlacement samplePlacement()
{
    model::WindowPlacement placement;
    placement.Flags = 2;
    placement.ShowCommand = model::WindowPlacement::ShowMaximized;
    placement.MinX = -1;
    placement.MinY = -1;
    placement.MaxX = -8;
    placement.MaxY = -31;
    placement.Left = 120;
    placement.Top = 80;
    placement.Right = 1020;
    placement.Bottom = 780;
    return placement;
}

} // namespace

TEST(SettingsLocation, FollowsTheEnvironment)
{
    struct Row {
        const char *name;
        model::SettingsEnvironment environment;
        QString expected;
    };
    const Row rows[] = {
        {"removable drive wins", {u"/media/stick/Data"_s, u"/xdg"_s, u"/home/anna"_s}, u"/media/stick/Data/zelvaron.ini"_s},
        {"removable drive without config", {u"/d"_s, QString(), QString()}, u"/d/zelvaron.ini"_s},
        {"xdg config home", {QString(), u"/xdg"_s, u"/home/anna"_s}, u"/xdg/zelvaron/zelvaron.ini"_s},
        {"home default", {QString(), QString(), u"/home/anna"_s}, u"/home/anna/.config/zelvaron/zelvaron.ini"_s},
        {"relative xdg is ignored", {QString(), u"konfig"_s, u"/home/anna"_s},
         u"/home/anna/.config/zelvaron/zelvaron.ini"_s},
        {"nothing known", {QString(), QString(), QString()}, u"zelvaron.ini"_s},
    };
    for (const Row &row : rows)
        EXPECT_EQ(model::SettingsFilePath(row.environment, programName), row.expected) << row.name;
}

TEST_F(SettingsFile, PreparingTheLocationCreatesItsFolder)
{
    const model::SettingsEnvironment xdg{QString(), dirPath(u"a/b"_s), QString()};
    EXPECT_EQ(model::PrepareSettingsFile(xdg, programName), dirPath(u"a/b/zelvaron/zelvaron.ini"_s));
    EXPECT_TRUE(QFileInfo(dirPath(u"a/b/zelvaron"_s)).isDir());

    const model::SettingsEnvironment u3{dirPath(u"stick"_s), dirPath(u"x"_s), QString()};
    EXPECT_EQ(model::PrepareSettingsFile(u3, programName), dirPath(u"stick/zelvaron.ini"_s));
    EXPECT_TRUE(QFileInfo(dirPath(u"stick"_s)).isDir());
    EXPECT_FALSE(QFileInfo::exists(dirPath(u"x"_s)));
}

TEST(ProfileBinary, TwoLettersPerByteLowNibbleFirst)
{
    EXPECT_EQ(model::EncodeProfileBinary(QByteArray("\x2C", 1)), u"MC"_s);
    EXPECT_EQ(model::DecodeProfileBinary(u"MC"_s), QByteArray("\x2C", 1));
    EXPECT_EQ(model::EncodeProfileBinary(QByteArray::fromHex("00FF10")), u"AAPPAB"_s);

    QByteArray all;
    for (int value = 0; value < 256; ++value)
        all.append(char(value));
    const QString text = model::EncodeProfileBinary(all);
    EXPECT_EQ(text.size(), 512);
    EXPECT_EQ(model::DecodeProfileBinary(text), all);
}

TEST(ProfileBinary, MalformedTextIsNoValue)
{
    const QString texts[] = {u"M"_s, u"MCA"_s, u"MQ"_s, u"mc"_s, u"M "_s, u"@A"_s};
    for (const QString &text : texts)
        EXPECT_FALSE(model::DecodeProfileBinary(text)) << text.toStdString();
    EXPECT_EQ(model::DecodeProfileBinary(QString()), QByteArray());
}

TEST(WindowPlacementRecord, IsFortyFourLittleEndianBytes)
{
    const model::WindowPlacement placement = samplePlacement();
    const QByteArray bytes = placement.ToBytes();
    ASSERT_EQ(bytes.size(), 44);
    EXPECT_EQ(bytes.left(12).toHex(), QByteArray("2c0000000200000003000000"));
    EXPECT_EQ(bytes.mid(28).toHex(), QByteArray("7800000050000000fc0300000c030000"));
    EXPECT_EQ(model::WindowPlacement::FromBytes(bytes), placement);
    EXPECT_FALSE(model::WindowPlacement::FromBytes(bytes.left(43)));
    EXPECT_FALSE(model::WindowPlacement::FromBytes(bytes + '\0'));
}

TEST_F(SettingsFile, MissingFileGivesTheDefaults)
{
    const model::CSettings settings(path());
    EXPECT_EQ(settings.TempPath(), QString());
    EXPECT_FALSE(settings.ReadPlacement(model::PlacementWindow::MainFrame));
    const model::StreamViewerSettings streams = settings.ReadStreamViewer();
    EXPECT_EQ(streams.Path, QString());
    EXPECT_EQ(streams.SubVerz, 1);
    EXPECT_EQ(streams.OnlyStreams, 1);
    EXPECT_EQ(settings.ReadDirectoryRights().QuellVerz, QString());
    EXPECT_FALSE(settings.TitleBrush());
    EXPECT_EQ(settings.TitleFont(), 0);
    EXPECT_TRUE(settings.RecentFiles().isEmpty());
    EXPECT_EQ(settings.PreviewPages(), 0);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(SettingsFile, ReadsAFileWrittenByHand)
{
    ASSERT_TRUE(writeFile(path(), "; Einstellungen\r\n"
                                  "[allgemein]\r\n"
                                  "  TEMPPATH =  /var/tmp/zelvaron  \r\n"
                                  "[Streams]\r\n"
                                  "Path=\"  /srv/daten \"\r\n"
                                  "SubVerz=0\r\n"
                                  "OnlyStreams=12abc\r\n"
                                  "[StaticTitelFarben]\r\n"
                                  "BrushBk=10,20,30,40\r\n"
                                  "Schrift=-3\r\n"
                                  "[Filerechte]\r\n"
                                  "QuellVerz='/quelle'\r\n"));
    const model::CSettings settings(path());
    EXPECT_EQ(settings.TempPath(), u"/var/tmp/zelvaron"_s);
    const model::StreamViewerSettings streams = settings.ReadStreamViewer();
    EXPECT_EQ(streams.Path, u"  /srv/daten "_s);
    EXPECT_EQ(streams.SubVerz, 0);
    EXPECT_EQ(streams.OnlyStreams, 12);
    EXPECT_EQ(settings.TitleBrush(), u"10,20,30,40"_s);
    EXPECT_EQ(settings.TitleFont(), -3);
    EXPECT_EQ(settings.ReadDirectoryRights().QuellVerz, u"/quelle"_s);
    EXPECT_EQ(settings.ReadDirectoryRights().ZielVerz, QString());
}

TEST_F(SettingsFile, ReadsUtf16AndUtf8WithByteOrderMark)
{
    const QString text = u"[Allgemein]\r\nTempPath=/tmp/Größe\r\n"_s;
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    const QByteArray contents[] = {utf16, "\xEF\xBB\xBF" + text.toUtf8()};
    for (const QByteArray &content : contents) {
        ASSERT_TRUE(writeFile(path(), content));
        EXPECT_EQ(model::CSettings(path()).TempPath(), u"/tmp/Größe"_s);
    }
}

TEST_F(SettingsFile, WritesKeepOtherSectionsKeysAndComments)
{
    ASSERT_TRUE(writeFile(path(), "; Kommentar\n[Streams]\nPath=/a\nSubVerz=0\n\n[Fremd]\nx=1\n"));
    model::CSettings settings(path());
    ASSERT_TRUE(settings.WriteStreamViewer({u"/b"_s, 1, 0}));
    ASSERT_TRUE(settings.WriteTempPath(u"/tmp/neu"_s));
    EXPECT_EQ(fileContent(path()), QByteArray("; Kommentar\n[Streams]\nPath=/b\nSubVerz=1\nOnlyStreams=0\n\n"
                                              "[Fremd]\nx=1\n[Allgemein]\nTempPath=/tmp/neu\n"));
    EXPECT_EQ(settings.File().GetString(u"fremd"_s, u"X"_s), u"1"_s);
}

TEST_F(SettingsFile, ValuesComeBackAsWritten)
{
    model::CIniFile file(path());
    const QString values[] = {u" führende Leerzeichen"_s, u"\"in Anführungszeichen\""_s, u"'a'"_s,
                              u"a=b;c"_s, QString(), u"/pfad mit/ Leerzeichen "_s};
    for (const QString &value : values) {
        ASSERT_TRUE(file.WriteString(u"Test"_s, u"Wert"_s, value));
        EXPECT_EQ(file.ReadString(u"Test"_s, u"Wert"_s), value) << value.toStdString();
    }
    EXPECT_TRUE(file.WriteInt(u"Test"_s, u"Zahl"_s, -42));
    EXPECT_EQ(file.GetInt(u"Test"_s, u"Zahl"_s, 7), -42);
    EXPECT_EQ(file.GetInt(u"Test"_s, u"Fehlt"_s, 7), 7);
}

TEST_F(SettingsFile, ValueWithLineBreakIsRefused)
{
    model::CSettings settings(path());
    ASSERT_TRUE(settings.WriteTempPath(u"/tmp/a"_s));
    EXPECT_FALSE(settings.WriteTempPath(u"/tmp/a\n[Frame]\nPosition=AAAA"_s));
    EXPECT_FALSE(settings.WriteTempPath(u"/tmp/a\rb"_s));
    EXPECT_EQ(settings.TempPath(), u"/tmp/a"_s);
    EXPECT_FALSE(settings.File().ReadString(u"Frame"_s, u"Position"_s));
}

TEST_F(SettingsFile, PlacementsPerWindow)
{
    model::CSettings settings(path());
    model::WindowPlacement frame = samplePlacement();
    model::WindowPlacement help = samplePlacement();
    help.ShowCommand = model::WindowPlacement::ShowNormal;
    help.Left = 5;
    ASSERT_TRUE(settings.WritePlacement(model::PlacementWindow::MainFrame, frame));
    ASSERT_TRUE(settings.WritePlacement(model::PlacementWindow::Help, help));
    EXPECT_EQ(settings.ReadPlacement(model::PlacementWindow::MainFrame), frame);
    EXPECT_EQ(settings.ReadPlacement(model::PlacementWindow::Help), help);
    EXPECT_FALSE(settings.ReadPlacement(model::PlacementWindow::StreamViewer));
    EXPECT_EQ(settings.File().GetString(u"Frame"_s, u"Position"_s), model::EncodeProfileBinary(frame.ToBytes()));
    EXPECT_TRUE(settings.File().GetString(u"Hilfe"_s, u"Position"_s).startsWith(u"MCAAAAAA"_s));
}

TEST_F(SettingsFile, MinimisedWindowComesBackShown)
{
    model::CSettings settings(path());
    model::WindowPlacement placement = samplePlacement();
    placement.ShowCommand = model::WindowPlacement::ShowMinimized;
    placement.Length = 0; // the record always carries its own length
    ASSERT_TRUE(settings.WritePlacement(model::PlacementWindow::StreamViewer, placement));
    const std::optional<model::WindowPlacement> read = settings.ReadPlacement(model::PlacementWindow::StreamViewer);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->ShowCommand, model::WindowPlacement::Show);
    EXPECT_EQ(read->Length, 44);
    EXPECT_EQ(read->Right, placement.Right);
}

TEST_F(SettingsFile, PlacementOfTheWrongLengthIsIgnored)
{
    const QByteArray record = samplePlacement().ToBytes();
    const QByteArray wrong[] = {record.left(40), record + QByteArray(4, '\0'), QByteArray()};
    for (const QByteArray &bytes : wrong) {
        model::CSettings settings(path());
        ASSERT_TRUE(settings.File().WriteBinary(u"Frame"_s, u"Position"_s, bytes));
        EXPECT_FALSE(settings.ReadPlacement(model::PlacementWindow::MainFrame)) << bytes.size();
    }
    model::CSettings settings(path());
    ASSERT_TRUE(settings.File().WriteString(u"Frame"_s, u"Position"_s,
                                            model::EncodeProfileBinary(record).replace(0, 1, u'Z')));
    EXPECT_FALSE(settings.ReadPlacement(model::PlacementWindow::MainFrame));
}

TEST_F(SettingsFile, RecentFileListKeepsSixteenEntries)
{
    model::CSettings settings(path());
    QStringList files;
    for (int i = 1; i <= 20; ++i)
        files << u"/projekte/p%1.zelv"_s.arg(i);
    ASSERT_TRUE(settings.WriteRecentFiles(files));
    EXPECT_EQ(settings.RecentFiles(), files.mid(0, 16));
    EXPECT_EQ(settings.File().GetString(u"Recent File List"_s, u"File1"_s), u"/projekte/p1.zelv"_s);
    EXPECT_EQ(settings.File().GetString(u"Recent File List"_s, u"File16"_s), u"/projekte/p16.zelv"_s);
    EXPECT_FALSE(settings.File().ReadString(u"Recent File List"_s, u"File17"_s));

    ASSERT_TRUE(settings.WriteRecentFiles({u"/a.zelv"_s, QString(), u"/b.zelv"_s}));
    EXPECT_EQ(settings.RecentFiles(), (QStringList{u"/a.zelv"_s, u"/b.zelv"_s}));
    EXPECT_FALSE(settings.File().ReadString(u"Recent File List"_s, u"File3"_s));
}

TEST(RecentFiles, OpenedFileMovesToTheTop)
{
    QStringList files;
    for (int i = 1; i <= 16; ++i)
        files << u"/p%1.zelv"_s.arg(i);
    const QStringList moved = model::WithRecentFile(files, u"/p5.zelv"_s);
    EXPECT_EQ(moved.size(), 16);
    EXPECT_EQ(moved.front(), u"/p5.zelv"_s);
    EXPECT_EQ(moved.count(u"/p5.zelv"_s), 1);
    const QStringList added = model::WithRecentFile(files, u"/neu.zelv"_s);
    EXPECT_EQ(added.size(), 16);
    EXPECT_EQ(added.front(), u"/neu.zelv"_s);
    EXPECT_FALSE(added.contains(u"/p16.zelv"_s));
}

TEST_F(SettingsFile, PreviewPagesWrittenOnlyWhenSet)
{
    model::CSettings settings(path());
    EXPECT_TRUE(settings.WritePreviewPages(0));
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_TRUE(settings.WritePreviewPages(2));
    EXPECT_EQ(settings.PreviewPages(), 2);
}

TEST_F(SettingsFile, WriteFailureIsSilentAndHarmless)
{
    // A folder that does not exist, and a folder standing where the file should be.
    model::CSettings missing(dirPath(u"fehlt/zelvaron.ini"_s));
    EXPECT_FALSE(missing.WriteTempPath(u"/tmp"_s));
    EXPECT_EQ(missing.TempPath(), QString());

    ASSERT_TRUE(QDir().mkpath(path()));
    model::CSettings blocked(path());
    EXPECT_FALSE(blocked.WriteTempPath(u"/tmp"_s));
    EXPECT_FALSE(blocked.WriteRecentFiles({u"/a.zelv"_s}));
    EXPECT_EQ(blocked.TempPath(), QString());
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(SettingsFile, ShortWriteLeavesTheFileAsItWas)
{
    model::CSettings settings(path());
    ASSERT_TRUE(settings.WriteRecentFiles({u"/projekte/erstes-projekt.zelv"_s, u"/projekte/zweites-projekt.zelv"_s,
                                           u"/projekte/drittes-projekt.zelv"_s}));
    const QByteArray before = fileContent(path());
    ASSERT_GT(before.size(), 100);

    // Files may grow to 100 bytes only, so the rewritten file cannot be completed.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = settings.WriteTempPath(u"/tmp"_s);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(fileContent(path()), before);
}

TEST_F(SettingsFile, AppSettingsFollowTheRemovableDriveVariable)
{
    const QByteArray saved = qgetenv("U3_APP_DATA_PATH");
    qputenv("U3_APP_DATA_PATH", QFile::encodeName(dirPath(u"stick"_s)));
    model::InitAppSettings();
    const QString first = model::AppSettings().Path();
    const bool written = model::AppSettings().WriteTempPath(u"/tmp/x"_s);
    qputenv("U3_APP_DATA_PATH", QFile::encodeName(dirPath(u"zweiter"_s)));
    model::InitAppSettings();
    const QString second = model::AppSettings().Path();
    if (saved.isNull())
        qunsetenv("U3_APP_DATA_PATH");
    else
        qputenv("U3_APP_DATA_PATH", saved);

    EXPECT_EQ(first, dirPath(u"stick/zelvaron.ini"_s));
    EXPECT_TRUE(written);
    EXPECT_EQ(model::CSettings(first).TempPath(), u"/tmp/x"_s);
    EXPECT_EQ(second, dirPath(u"zweiter/zelvaron.ini"_s));
    EXPECT_TRUE(QFileInfo(dirPath(u"zweiter"_s)).isDir());
}
