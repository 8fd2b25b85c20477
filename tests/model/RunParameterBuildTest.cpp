#include "model/CProjectData.h"
#include "model/CViewData.h"
#include "model/DateTimeText.h"
#include "model/RunParameterBuild.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using namespace Qt::Literals::StringLiterals;
using model::CDateTime;

namespace {

CListData job(const QString &source, qint32 active)
{
    CListData data;
    data.Active = active;
    data.SourceDir = source;
    data.TargetDir = source + u"_ziel"_s;
    return data;
}

QByteArray utf16le(const QString &text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

void setAllFlags(model::CProjectData &project, qint32 value)
{
    model::CPageOption &o = project.Option;
    for (qint32 *flag : {&o.OnlyArchiveBit, &o.CompareAfterCopy, &o.AppendDateToTarget, &o.ResetArchiveBit,
                         &o.DeleteTargetOnError, &o.StartMinimized, &o.ExitAfterCopy, &o.ScanOnly,
                         &o.OnlyExistingInTarget, &o.OnlyMissingInTarget, &o.ShutdownAfterCopy,
                         &o.RebootAfterShutdown, &o.Autostart, &o.CopyDirectoryRights, &o.DirectoriesOnly,
                         &o.LongFileNames, &o.ShowStatusAtNextStart, &o.DeleteEmptyTargetDirs,
                         &o.IncludeRootDir, &o.DeleteSourceAfterCopy, &project.Muster.FileIncludeEnabled,
                         &project.Muster.FileExcludeEnabled, &project.Muster.DirIncludeEnabled,
                         &project.Muster.DirExcludeEnabled, &project.Zip.CompressFiles,
                         &project.Zip.VerifyCompressed, &project.Zip.CompressExcludeEnabled,
                         &project.Unzip.DecompressFiles, &project.Pruefdatei.ChecksumEnabled})
        *flag = value;
}

// Every description line of the run parameters.
QStringList descriptionLines(const CViewData &view)
{
    return {view.OnlyArchiveBitText, view.ResetArchiveBitText, view.CompareAfterCopyText,
            view.AppendDateToTargetText, view.DeleteTargetOnErrorText, view.StartMinimizedText,
            view.ExitAfterCopyText, view.ScanOnlyText, view.OnlyExistingInTargetText,
            view.OnlyMissingInTargetText, view.ShutdownAfterCopyText, view.RebootAfterShutdownText,
            view.AutostartText, view.CopyDirectoryRightsText, view.DirectoriesOnlyText,
            view.LongFileNamesText, view.ShowStatusAtNextStartText, view.DeleteEmptyTargetDirsText,
            view.IncludeRootDirText, view.DeleteSourceAfterCopyText, view.ChecksumEnabledText,
            view.FileIncludeText, view.FileExcludeText, view.DirIncludeText, view.DirExcludeText,
            view.CompressExcludeText, view.VerifyCompressedText, view.CompressFilesText,
            view.DecompressFilesText};
}

} // namespace

TEST(RunParameterBuild, JobsAreCopiedInListOrderActiveOrNot)
{
    model::CProjectData project;
    project.Jobs = {job(u"/a"_s, 1), job(u"/b"_s, 0), job(u"/c"_s, 1)};
    CViewData view;
    view.Jobs.push_back(std::make_unique<CListData>(job(u"/alt"_s, 1)));
    ASSERT_FALSE(model::BuildRunParameters(project, model::StartKind::User, view).has_value());
    ASSERT_EQ(view.Jobs.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(*view.Jobs[i], project.Jobs[qsizetype(i)]);
    EXPECT_FALSE(view.RetryRun);
}

TEST(RunParameterBuild, PatternListsOnlyForEnabledOptions)
{
    model::CProjectData project;
    project.Muster = {1, 0, u"*.txt, *.doc"_s, u"*.tmp"_s, 1, 1, u"a,,b"_s, u""_s};
    project.Zip.CompressExcludeEnabled = 1;
    CViewData view;
    ASSERT_FALSE(model::BuildRunParameters(project, model::StartKind::User, view).has_value());
    EXPECT_EQ(view.FileIncludeList, (QStringList{u"*.txt"_s, u"*.doc"_s}));
    EXPECT_TRUE(view.FileExcludeList.isEmpty());
    EXPECT_EQ(view.DirIncludeList, QStringList{u"a"_s});
    EXPECT_TRUE(view.DirExcludeList.isEmpty());
    EXPECT_EQ(view.CompressExcludeList.size(), 5);
    EXPECT_TRUE(view.FileIncludeEnabled);
    EXPECT_FALSE(view.FileExcludeEnabled);
    EXPECT_TRUE(view.DirIncludeEnabled);
    EXPECT_TRUE(view.DirExcludeEnabled);
    EXPECT_TRUE(view.CompressExcludeEnabled);
}

TEST(RunParameterBuild, CompressionBoundsInBytes)
{
    struct Row {
        quint32 minSize, maxSizeMB;
        qint64 minBytes, maxBytes;
    };
    const Row rows[] = {
        {256, 3840, 256, Q_INT64_C(4026531840)},
        {0, 1, 0, 1'048'576},
        {65535, 2048, 65535, Q_INT64_C(2147483648)},
    };
    for (const Row &row : rows) {
        model::CProjectData project;
        project.Zip.CompressMinSize = row.minSize;
        project.Zip.CompressMaxSizeMB = row.maxSizeMB;
        CViewData view;
        ASSERT_FALSE(model::BuildRunParameters(project, model::StartKind::User, view).has_value());
        EXPECT_EQ(view.CompressMinSize, row.minBytes);
        EXPECT_EQ(view.CompressMaxSize, row.maxBytes);
    }
}

TEST(RunParameterBuild, OptionsAndListFilesAreCopied)
{
    model::CProjectData project;
    project.Option.ThreadCount = 3;
    project.Option.LogFile = u"/p/log.txt"_s;
    project.Option.AppendDateToTarget = 1;
    project.Option.DateFolderFormatId = 4;
    project.Option.OnlyArchiveBit = 5; // any non-zero value is set
    project.Option.CompareAfterCopy = 0;
    project.Dateien = {u"/p/kopiert.txt"_s, u"/p/kopierdatei.txt"_s, u"/p/uebersprungen.txt"_s, 0, 0, 0};
    project.Pruefdatei = {u"/p/pruef.txt"_s, 1};
    CViewData view;
    ASSERT_FALSE(model::BuildRunParameters(project, model::StartKind::Countdown, view).has_value());
    EXPECT_TRUE(view.BatchStart);
    EXPECT_EQ(view.ThreadCount, 3);
    EXPECT_EQ(view.LogFile, u"/p/log.txt"_s);
    EXPECT_TRUE(view.AppendDateToTarget);
    EXPECT_EQ(view.DateFolderFormat, u"%Y%m%d%H%M%S"_s);
    EXPECT_TRUE(view.OnlyArchiveBit);
    EXPECT_FALSE(view.CompareAfterCopy);
    EXPECT_TRUE(view.DeleteTargetOnError);
    EXPECT_EQ(view.CopiedListFile, u"/p/kopiert.txt"_s);
    EXPECT_EQ(view.RetryListFile, u"/p/kopierdatei.txt"_s);
    EXPECT_EQ(view.SkippedListFile, u"/p/uebersprungen.txt"_s);
    EXPECT_TRUE(view.ChecksumEnabled);
    EXPECT_EQ(view.CheckFile, u"/p/pruef.txt"_s);
    // A check file that does not exist yet still switches the check file on.
    EXPECT_TRUE(view.CheckFileData.IsEnabled());

    ASSERT_FALSE(model::BuildRunParameters(project, model::StartKind::User, view).has_value());
    EXPECT_FALSE(view.BatchStart);
}

TEST(RunParameterBuild, UnknownDateFolderIdGivesTheFirstPattern)
{
    model::CProjectData project;
    project.Option.DateFolderFormatId = 12;
    CViewData view;
    ASSERT_FALSE(model::BuildRunParameters(project, model::StartKind::User, view).has_value());
    EXPECT_EQ(view.DateFolderFormat, u"%Y_%m_%d"_s);
}

TEST(RunParameterBuild, ValueOutOfRangeStopsTheBuildBeforeTheParametersChange)
{
    model::CProjectData project;
    project.Jobs = {job(u"/a"_s, 1)};
    project.Zip.CompressMinSize = 70000;
    CViewData view;
    view.LogFile = u"vom letzten Lauf"_s;
    const auto error = model::BuildRunParameters(project, model::StartKind::User, view);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Field, u"CompressMinSize"_s);
    EXPECT_EQ(view.LogFile, u"vom letzten Lauf"_s);
    EXPECT_TRUE(view.Jobs.empty());
}

TEST(RunParameterBuild, RelativeDateGoesBackFromTheRunStart)
{
    model::CProjectData project;
    project.Datum = {model::CPageDatum::RelativeToStart, u"3"_s, u""_s, u""_s, u" 2"_s};
    CViewData view;
    const CDateTime before = CDateTime::CurrentLocal();
    ASSERT_FALSE(model::BuildRunParameters(project, model::StartKind::User, view).has_value());
    const CDateTime after = CDateTime::CurrentLocal();
    ASSERT_TRUE(view.DateFrom.IsValid());
    EXPECT_TRUE(before.AddHours(-51) <= view.DateFrom);
    EXPECT_TRUE(view.DateFrom <= after.AddHours(-51));
    EXPECT_TRUE(view.DateTo.IsNull());
}

TEST(RunParameterBuild, DateFilterByMode)
{
    const CDateTime now = model::ParseDateTimeText(u"10.03.2021 12:00:00"_s);
    using S = CDateTime::Status;
    struct Row {
        model::CPageDatum datum;
        S from, to;
        const char16_t *fromText; // expected valid DateFrom, else nullptr
    };
    const Row rows[] = {
        {{0, u"3"_s, u"01.01.2020"_s, u"02.01.2020"_s, u"2"_s}, S::Null, S::Null, nullptr},
        {{1, u""_s, u"01.01.2020 10.00"_s, u""_s, u""_s}, S::Valid, S::Invalid, u"01.01.2020 10:00:00"},
        {{1, u""_s, u"31.02.2020"_s, u"02.01.2020"_s, u""_s}, S::Invalid, S::Valid, nullptr},
        {{2, u"3"_s, u""_s, u""_s, u"2"_s}, S::Valid, S::Null, u"08.03.2021 09:00:00"},
        {{2, u""_s, u""_s, u""_s, u"0"_s}, S::Null, S::Null, nullptr},
        {{2, u"abc"_s, u""_s, u""_s, u"-4"_s}, S::Null, S::Null, nullptr},
        {{2, u"5 Stunden"_s, u""_s, u""_s, u""_s}, S::Valid, S::Null, u"10.03.2021 07:00:00"},
        {{9, u"3"_s, u"01.01.2020"_s, u""_s, u"2"_s}, S::Null, S::Null, nullptr},
    };
    for (const Row &row : rows) {
        CViewData view;
        view.DateTo = model::ParseDateTimeText(u"01.01.2000"_s); // from an earlier run
        model::ApplyDateFilter(row.datum, now, view);
        EXPECT_EQ(view.DateFrom.GetStatus(), row.from) << row.datum.DateFilterMode;
        EXPECT_EQ(view.DateTo.GetStatus(), row.to) << row.datum.DateFilterMode;
        if (row.fromText != nullptr) {
            EXPECT_TRUE(view.DateFrom == model::ParseDateTimeText(QString::fromUtf16(row.fromText)));
        }
    }
}

TEST(RunParameterBuild, DescriptionLinesNameTheOptionAndItsValue)
{
    model::CProjectData project;
    project.Option.OnlyArchiveBit = 1;
    project.Muster.FileIncludeEnabled = 1;
    project.Muster.FileIncludePatterns = u"*.txt, *.doc"_s;
    project.Muster.FileExcludePatterns = u"*.tmp"_s;
    project.Pruefdatei.ChecksumEnabled = 1;
    CViewData view;
    ASSERT_FALSE(model::BuildRunParameters(project, model::StartKind::User, view).has_value());
    EXPECT_EQ(view.OnlyArchiveBitText, u"Nur Dateien mit gesetztem Archivbit kopieren (*): Ja"_s);
    EXPECT_EQ(view.ResetArchiveBitText, u"Archivbit nach dem Kopieren zurücksetzen: Nein"_s);
    EXPECT_EQ(view.FileIncludeText,
              u"Nur Dateien kopieren, die den Mustern entsprechen: Ja      [Muster: *.txt, *.doc]"_s);
    EXPECT_EQ(view.FileExcludeText, u"Dateien, die den Mustern entsprechen werden NICHT kopiert: Nein"_s);
    EXPECT_EQ(view.ChecksumEnabledText, u"Prüfsumme: Ja"_s);
    EXPECT_EQ(view.CompressSizeText,
              u"Nur Dateien die in der Größe zwischen 0.25 KB und 3.75 GB liegen werden komprimiert"_s);
}

TEST(RunParameterBuild, EveryDescriptionLineFollowsItsOwnOption)
{
    for (qint32 value : {0, 1}) {
        model::CProjectData project;
        setAllFlags(project, value);
        CViewData view;
        ASSERT_FALSE(model::BuildRunParameters(project, model::StartKind::User, view).has_value());
        for (const QString &line : descriptionLines(view)) {
            const QString state = value != 0 ? u": Ja"_s : u": Nein"_s;
            EXPECT_TRUE(line.contains(state)) << line.toStdString();
            // The caption comes first; a line made of the state alone has lost its caption.
            EXPECT_GT(line.indexOf(state), 0) << line.toStdString();
            // Only the five pattern options that are on show their patterns.
            EXPECT_EQ(line.contains(u"[Muster: "_s), value != 0 && line.contains(u"Mustern"_s))
                << line.toStdString();
        }
        const QStringList lines = descriptionLines(view);
        EXPECT_EQ(QSet<QString>(lines.begin(), lines.end()).size(), lines.size());
    }
}

TEST(RunParameterBuild, RetryRunReadsOnlyTheKopierdatei)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"kopierdatei.txt"_s);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(utf16le(u"\r\n/q/a|/z/a\r\nohne Strich\r\n/q/b|\r\n/q/c|/z/c|x\r\n"_s));
    }
    model::CProjectData project;
    project.Jobs = {job(u"/aktiv"_s, 1), job(u"/auch"_s, 1)};
    project.Option.ThreadCount = 3;
    project.Option.OnlyArchiveBit = 1;
    project.Option.ExitAfterCopy = 1;
    project.Option.DeleteSourceAfterCopy = 1;
    project.Option.LogFile = u"/p/log.txt"_s;
    project.Muster.FileIncludeEnabled = 1;
    project.Muster.FileIncludePatterns = u"*.txt"_s;
    project.Datum = {model::CPageDatum::RelativeToStart, u"3"_s, u""_s, u""_s, u"2"_s};
    project.Zip.CompressFiles = 1;
    project.Pruefdatei.CheckFile = u"/p/pruef.txt"_s;
    project.Dateien = {u"/p/kopiert.txt"_s, u"/p/kopierdatei.txt"_s, u"/p/uebersprungen.txt"_s, 0, 1, 1};

    CViewData view;
    ASSERT_FALSE(model::BuildRetryRunParameters(project, path, view).has_value());

    EXPECT_TRUE(view.RetryRun);
    EXPECT_EQ(view.RetryRunFile, path);
    EXPECT_EQ(view.RetrySources, (QStringList{u"/q/a"_s, u"/q/b"_s, u"/q/c"_s}));
    EXPECT_EQ(view.RetryTargets, (QStringList{u"/z/a"_s, u""_s, u"/z/c"_s}));
    EXPECT_TRUE(view.Jobs.empty());
    EXPECT_EQ(view.ThreadCount, 1);
    EXPECT_FALSE(view.OnlyArchiveBit);
    EXPECT_TRUE(view.ExitAfterCopy);
    EXPECT_TRUE(view.DeleteSourceAfterCopy);
    EXPECT_TRUE(view.DeleteTargetOnError);
    EXPECT_TRUE(view.CompareAfterCopy);
    EXPECT_EQ(view.LogFile, u"/p/log.txt"_s);
    EXPECT_TRUE(view.FileIncludeList.isEmpty());
    EXPECT_FALSE(view.FileIncludeEnabled);
    EXPECT_TRUE(view.DateFrom.IsNull());
    EXPECT_FALSE(view.CompressFiles);
    EXPECT_FALSE(view.CheckFileData.IsEnabled());
    EXPECT_TRUE(view.CheckFile.isEmpty());
    EXPECT_EQ(view.CopiedListFile, u"/p/kopiert.txt"_s);
    EXPECT_EQ(view.RetryListFile, u"/p/kopierdatei.txt"_s);
    EXPECT_TRUE(view.SkippedListFile.isEmpty());
    EXPECT_EQ(view.OnlyArchiveBitText, u"Nur Dateien mit gesetztem Archivbit kopieren (*): Nein"_s);
    EXPECT_EQ(view.FileIncludeText, u"Nur Dateien kopieren, die den Mustern entsprechen: Nein"_s);
}

TEST(RunParameterBuild, MissingKopierdateiIsAnErrorAndChangesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"fehlt.txt"_s);
    model::CProjectData project;
    CViewData view;
    view.LogFile = u"vom letzten Lauf"_s;
    const auto error = model::BuildRetryRunParameters(project, path, view);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Path, path);
    EXPECT_EQ(error->ErrorCode, ENOENT);
    EXPECT_FALSE(view.RetryRun);
    EXPECT_EQ(view.LogFile, u"vom letzten Lauf"_s);
}

TEST(RunParameterBuild, ChosenFileNameWithoutExtensionGetsTxt)
{
    struct Row {
        const char16_t *path;
        const char16_t *expected;
    };
    const Row rows[] = {
        {u"/home/u/kopierdatei", u"/home/u/kopierdatei.txt"},
        {u"/home/u/kopierdatei.txt", u"/home/u/kopierdatei.txt"},
        {u"/home/u/kopierdatei.log", u"/home/u/kopierdatei.log"},
        {u"/home/u.d/kopierdatei", u"/home/u.d/kopierdatei.txt"},
        {u"kopierdatei", u"kopierdatei.txt"},
        {u"/home/u/.liste", u"/home/u/.liste"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(model::AppendDefaultExtension(QString::fromUtf16(row.path)), QString::fromUtf16(row.expected));
}
