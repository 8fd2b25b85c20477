#include "engine/CProtokolldatei.h"
#include "engine/CZusammenfassung.h"
#include "engine/JobContext.h"
#include "engine/JobSteps.h"
#include "engine/RunContext.h"
#include "engine/SummaryLines.h"
#include "model/CViewData.h"
#include "support/RecordingObserver.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <iterator>
#include <thread>
#include <vector>

namespace {

const QDateTime kStart(QDate(2026, 12, 11), QTime(10, 0, 0));

CProgressData jobRecord(qint32 files, qint32 filesDone)
{
    CProgressData r;
    r.SelectedFiles = files;
    r.FilesDone = filesDone;
    return r;
}

// Every counter that the summary adds up, each with its own value.
CProgressData fullRecord()
{
    CProgressData r;
    r.ErrorCount = 1;
    r.SelectedFiles = 2;
    r.FilesDone = 3;
    r.UncompressedFiles = 4;
    r.TotalBytes = 5000000000;
    r.BytesDone = 6;
    r.CompressedBytes = 7;
    r.SkippedFiles = 8;
    r.SkippedDirectories = 9;
    r.DirectoryCount = 10;
    r.DirectoriesDone = 11;
    return r;
}

QString versionLine()
{
    return QStringLiteral("Version von Zelvaron: %1,%2,%3,%4")
        .arg(ZELVARON_VERSION_MAJOR)
        .arg(ZELVARON_VERSION_MINOR)
        .arg(ZELVARON_VERSION_PATCH)
        .arg(ZELVARON_VERSION_TWEAK);
}

RunSummaryFacts facts(int jobs, qint64 runSeconds, bool admin)
{
    return RunSummaryFacts{jobs, kStart, kStart.addSecs(runSeconds), admin, ProgramVersionText()};
}

QByteArray utf16le(const QString &text)
{
    QByteArray bytes;
    for (QChar c : text)
        bytes.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
    return bytes;
}

// Record files go through temporary files; they and the settings lookup stay inside the
// test's own folder.
class SummaryFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        saved = {qgetenv("TMPDIR"), qgetenv("XDG_CONFIG_HOME"), qgetenv("U3_APP_DATA_PATH")};
        qputenv("TMPDIR", QFile::encodeName(dir.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
        qunsetenv("U3_APP_DATA_PATH");
    }
    void TearDown() override
    {
        restore("TMPDIR", saved[0]);
        restore("XDG_CONFIG_HOME", saved[1]);
        restore("U3_APP_DATA_PATH", saved[2]);
    }
    static void restore(const char *name, const QByteArray &value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    // Appends the block of `log` to a fresh file and returns the file's bytes.
    QByteArray appendedBytes(CProtokolldatei &log)
    {
        const QString path = dir.filePath(QStringLiteral("protokoll.txt"));
        QFile::remove(path);
        QString error;
        EXPECT_TRUE(log.AppendTo(path, &error)) << error.toStdString();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QStringList appendedLines(CProtokolldatei &log)
    {
        const QByteArray bytes = appendedBytes(log);
        QString text;
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            text.append(QChar(char16_t(uchar(bytes[i]) | (uchar(bytes[i + 1]) << 8))));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        EXPECT_TRUE(lines.last().isEmpty());
        lines.removeLast();
        return lines;
    }

    QTemporaryDir dir;
    std::array<QByteArray, 3> saved;
};

} // namespace

TEST(CZusammenfassung, AccumulatesEveryCounterAndResets)
{
    CZusammenfassung summary;
    summary.Accumulate(fullRecord());
    summary.Accumulate(fullRecord());
    const CZusammenfassung::Totals t = summary.Snapshot();
    EXPECT_EQ(t.Errors, 2);
    EXPECT_EQ(t.Files, 4);
    EXPECT_EQ(t.FilesCopied, 6);
    EXPECT_EQ(t.UncompressedFiles, 8);
    EXPECT_EQ(t.Bytes, 10000000000);
    EXPECT_EQ(t.BytesCopied, 12);
    EXPECT_EQ(t.CompressedBytes, 14);
    EXPECT_EQ(t.SkippedFiles, 16);
    EXPECT_EQ(t.SkippedDirectories, 18);
    EXPECT_EQ(t.Directories, 20);
    EXPECT_EQ(t.DirectoriesCreated, 22);
    summary.Reset();
    EXPECT_EQ(summary.Snapshot().Bytes, 0);
    EXPECT_EQ(summary.Snapshot().Errors, 0);
}

TEST(CZusammenfassung, WorkersEndingTogetherLoseNoCounts)
{
    constexpr int kJobsPerWorker = 2000;
    CZusammenfassung summary;
    std::vector<std::thread> workers;
    for (int w = 0; w < 3; ++w) {
        workers.emplace_back([&summary] {
            for (int i = 0; i < kJobsPerWorker; ++i)
                summary.Accumulate(fullRecord());
        });
    }
    for (auto &t : workers)
        t.join();
    EXPECT_EQ(summary.Snapshot().Files, 3 * kJobsPerWorker * 2);
    EXPECT_EQ(summary.Snapshot().Bytes, 3LL * kJobsPerWorker * 5000000000);
}

TEST(RunSummary, TwoJobsAddUpToTheRunTotals)
{
    CZusammenfassung summary;
    const CProgressData first = jobRecord(10, 9);
    const CProgressData second = jobRecord(5, 5);
    summary.Accumulate(first);
    summary.Accumulate(second);
    CViewData params;
    const QStringList run = RunSummaryLines(params, summary.Snapshot(), facts(2, 60, false));
    EXPECT_TRUE(run.contains(QStringLiteral("Gesamtanzahl der Dateien: 15, davon erfolgreich kopiert: 14")));
    EXPECT_TRUE(JobSummaryLines(first, kStart, kStart.addSecs(3))
                    .contains(QStringLiteral("Anzahl aller Dateien: 10, davon erfolgreich kopiert: 9")));
    EXPECT_TRUE(JobSummaryLines(second, kStart, kStart.addSecs(3))
                    .contains(QStringLiteral("Anzahl aller Dateien: 5, davon erfolgreich kopiert: 5")));
}

TEST(JobSummary, LinesInOrder)
{
    CProgressData r;
    r.SelectedFiles = 12;
    r.FilesDone = 11;
    r.DirectoryCount = 4;
    r.DirectoriesDone = 3;
    r.TotalBytes = 3145728;
    r.BytesDone = 2097152;
    r.ErrorCount = 1;
    const QStringList expected{
        QString(),
        QStringLiteral("Endezeit: 11.12.2026 10:01:04"),
        QStringLiteral("Benötigte Zeit (Std:Min:Sek): 00:01:04"),
        QStringLiteral("Anzahl aller Dateien: 12, davon erfolgreich kopiert: 11"),
        QStringLiteral("Anzahl aller Verzeichnisse: 4, davon erfolgreich angelegt: 3"),
        QStringLiteral("Größe aller Dateien: 3145728 Byte (3.00 MB), davon erfolgreich kopiert: 2097152 Byte (2.00 MB)"),
        QStringLiteral("Geschwindigkeit: 0.03 MB/Sek"),
        QStringLiteral("Fehleranzahl: 1"),
    };
    EXPECT_EQ(JobSummaryLines(r, kStart, kStart.addSecs(64)), expected);
}

TEST(JobSummary, DurationAndSpeedFollowTheRoundedSpan)
{
    const qint64 twoMiB = 2 * 1048576;
    const struct {
        const char *what;
        qint64 milliseconds;
        qint64 bytesDone;
        QString duration;
        QString speed;
    } rows[] = {
        {"0.8 seconds", 800, twoMiB, QStringLiteral("00:00:01"), QString()},
        {"exactly one second", 1000, twoMiB, QStringLiteral("00:00:01"), QString()},
        {"1.4 seconds round down", 1400, twoMiB, QStringLiteral("00:00:01"), QString()},
        {"1.5 seconds round up", 1500, twoMiB, QStringLiteral("00:00:02"), QStringLiteral("1.00 MB/Sek")},
        {"an hour and a bit", 3723000, 3723LL * 1048576, QStringLiteral("01:02:03"), QStringLiteral("1.00 MB/Sek")},
        // The shown hours wrap at 24, the speed still divides by all 25 hours.
        {"25 hours", 90000000, 90000LL * 1048576, QStringLiteral("01:00:00"), QStringLiteral("1.00 MB/Sek")},
        {"clock set back", -5000, twoMiB, QStringLiteral("00:00:00"), QString()},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        CProgressData r;
        r.BytesDone = row.bytesDone;
        const QStringList lines = JobSummaryLines(r, kStart, kStart.addMSecs(row.milliseconds));
        ASSERT_EQ(lines.size(), 8);
        EXPECT_EQ(lines[2], QStringLiteral("Benötigte Zeit (Std:Min:Sek): ") + row.duration);
        EXPECT_EQ(lines[6], QStringLiteral("Geschwindigkeit: ") + row.speed);
    }
}

TEST(RunSummary, LinesInOrder)
{
    CViewData params;
    const QString names[] = {
        QStringLiteral("OnlyArchiveBit"), QStringLiteral("ResetArchiveBit"), QStringLiteral("CompareAfterCopy"),
        QStringLiteral("AppendDateToTarget"), QStringLiteral("DeleteTargetOnError"),
        QStringLiteral("DeleteSourceAfterCopy"), QStringLiteral("StartMinimized"), QStringLiteral("ExitAfterCopy"),
        QStringLiteral("ScanOnly"), QStringLiteral("OnlyExistingInTarget"), QStringLiteral("OnlyMissingInTarget"),
        QStringLiteral("ShutdownAfterCopy"), QStringLiteral("RebootAfterShutdown"), QStringLiteral("Autostart"),
        QStringLiteral("ChecksumEnabled"), QStringLiteral("CopyDirectoryRights"), QStringLiteral("DirectoriesOnly"),
        QStringLiteral("LongFileNames"), QStringLiteral("ShowStatusAtNextStart"),
        QStringLiteral("DeleteEmptyTargetDirs"), QStringLiteral("IncludeRootDir"),
    };
    QString *members[] = {
        &params.OnlyArchiveBitText, &params.ResetArchiveBitText, &params.CompareAfterCopyText,
        &params.AppendDateToTargetText, &params.DeleteTargetOnErrorText, &params.DeleteSourceAfterCopyText,
        &params.StartMinimizedText, &params.ExitAfterCopyText, &params.ScanOnlyText,
        &params.OnlyExistingInTargetText, &params.OnlyMissingInTargetText, &params.ShutdownAfterCopyText,
        &params.RebootAfterShutdownText, &params.AutostartText, &params.ChecksumEnabledText,
        &params.CopyDirectoryRightsText, &params.DirectoriesOnlyText, &params.LongFileNamesText,
        &params.ShowStatusAtNextStartText, &params.DeleteEmptyTargetDirsText, &params.IncludeRootDirText,
    };
    for (size_t i = 0; i < std::size(members); ++i)
        *members[i] = names[i] + QStringLiteral(": Nein");
    params.CheckFile = QStringLiteral("/daten/pruef.txt");
    params.FileIncludeText = QStringLiteral("FileInclude");
    params.FileExcludeText = QStringLiteral("FileExclude");
    params.DirIncludeText = QStringLiteral("DirInclude");
    params.DirExcludeText = QStringLiteral("DirExclude");
    params.CompressFilesText = QStringLiteral("CompressFiles");
    params.VerifyCompressedText = QStringLiteral("VerifyCompressed");
    params.CompressExcludeText = QStringLiteral("CompressExclude");
    params.CompressSizeText = QStringLiteral("CompressSize");
    params.DecompressFilesText = QStringLiteral("DecompressFiles");
    params.BatchStart = true;
    params.ThreadCount = 3;

    CZusammenfassung summary;
    summary.Accumulate(fullRecord());
    QStringList expected;
    expected << QStringLiteral("################################ Zusammenfassung ################################");
    expected << versionLine();
    for (const QString &name : names)
        expected << name + QStringLiteral(": Nein");
    expected << QStringLiteral("Prüfdatei: /daten/pruef.txt");
    expected << QStringLiteral("FileInclude") << QStringLiteral("FileExclude") << QStringLiteral("DirInclude")
             << QStringLiteral("DirExclude") << QStringLiteral("CompressFiles") << QStringLiteral("VerifyCompressed")
             << QStringLiteral("CompressExclude") << QStringLiteral("CompressSize")
             << QStringLiteral("DecompressFiles");
    expected << QStringLiteral("Aufruf im Batchmodus (/BATCH)");
    expected << QStringLiteral("Der Benutzer ist Administrator");
    expected << QString();
    expected << QStringLiteral("Startzeit: 11.12.2026 10:00:00");
    expected << QStringLiteral("Endezeit: 12.12.2026 11:00:01");
    expected << QStringLiteral("Benötigte Zeit (Std:Min:Sek): 01:00:01");
    expected << QStringLiteral("Anzahl der Jobs (aktive Einträge): 2");
    expected << QStringLiteral("Anzahl Threads: 3");
    expected << QStringLiteral("Gesamtanzahl der Verzeichnisse: 10, davon erfolgreich angelegt: 11");
    expected << QStringLiteral("Gesamtanzahl der Dateien: 2, davon erfolgreich kopiert: 3");
    expected << QStringLiteral(
        "Gesamtgröße der Dateien: 5000000000 Bytes (4.66 GB), davon erfolgreich kopiert: 6 Bytes (0.01 KB)");
    expected << QStringLiteral("Anzahl der übersprungenen Dateien: 8, Anzahl der übersprungenen Verzeichnisse: 9");
    expected << QStringLiteral("Gesamtfehleranzahl: 1");
    expected << QString(81, u'#');
    expected << QString();
    EXPECT_EQ(RunSummaryLines(params, summary.Snapshot(), facts(2, 25 * 3600 + 1, true)), expected);
}

TEST(RunSummary, AdministratorLineFollowsTheUser)
{
    CViewData params;
    const CZusammenfassung::Totals none;
    EXPECT_TRUE(RunSummaryLines(params, none, facts(1, 1, true)).contains(QStringLiteral("Der Benutzer ist Administrator")));
    const QStringList plain = RunSummaryLines(params, none, facts(1, 1, false));
    EXPECT_TRUE(plain.contains(QStringLiteral("Der Benutzer ist kein Administrator")));
    EXPECT_FALSE(plain.contains(QStringLiteral("Der Benutzer ist Administrator")));
    EXPECT_FALSE(plain.contains(QStringLiteral("Aufruf im Batchmodus (/BATCH)")));
}

TEST(RunSummary, CompressionLinesOnlyWithCompressFiles)
{
    const QString compressed = QStringLiteral("Gesamtgröße der komprimierten Dateien: 0 Bytes (0.00 KB)");
    const QString uncompressed =
        QStringLiteral("Gesamtanzahl der Dateien, die nicht komprimiert werden konnten oder sollten: 0");
    for (bool compress : {false, true}) {
        CViewData params;
        params.CompressFiles = compress;
        const QStringList lines = RunSummaryLines(params, CZusammenfassung::Totals(), facts(1, 1, false));
        const qsizetype at = lines.indexOf(compressed);
        EXPECT_EQ(at >= 0, compress);
        EXPECT_EQ(lines.contains(uncompressed), compress);
        if (compress) {
            EXPECT_EQ(lines[at + 1], uncompressed);
            EXPECT_TRUE(lines[at - 1].startsWith(QStringLiteral("Gesamtgröße der Dateien: ")));
            EXPECT_TRUE(lines[at + 2].startsWith(QStringLiteral("Anzahl der übersprungenen Dateien: ")));
        }
    }
    CViewData params;
    params.CompressFiles = true;
    CProgressData r;
    r.CompressedBytes = 1048576;
    r.UncompressedFiles = 3;
    CZusammenfassung summary;
    summary.Accumulate(r);
    const QStringList lines = RunSummaryLines(params, summary.Snapshot(), facts(1, 1, false));
    EXPECT_TRUE(lines.contains(QStringLiteral("Gesamtgröße der komprimierten Dateien: 1048576 Bytes (1.00 MB)")));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("Gesamtanzahl der Dateien, die nicht komprimiert werden konnten oder sollten: 3")));
}

TEST_F(SummaryFileTest, RetryRunSummaryCountsNoJobsAndNamesTheKopierdatei)
{
    CViewData params;
    params.RetryRun = true;
    params.RetryRunFile = QStringLiteral("/daten/kopierdatei.txt");
    RecordingObserver observer;
    RunContext run(params, observer, Presentation::Headless);
    CProgressData r;
    r.SelectedFiles = 2;
    r.FilesDone = 1;
    run.Summary().Accumulate(r);

    CProtokolldatei log;
    ASSERT_TRUE(log.OpenTemp());
    WriteRunSummary(log, run, 0, kStart, kStart.addSecs(5));
    const QStringList lines = appendedLines(log);
    const qsizetype kopier = lines.indexOf(QStringLiteral("Kopierdatei: /daten/kopierdatei.txt"));
    ASSERT_GE(kopier, 0);
    EXPECT_TRUE(lines[kopier + 1].startsWith(QStringLiteral("Der Benutzer ist ")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Anzahl der Jobs (aktive Einträge): 0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Gesamtanzahl der Verzeichnisse: 0, davon erfolgreich angelegt: 0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Gesamtanzahl der Dateien: 2, davon erfolgreich kopiert: 1")));
    EXPECT_TRUE(lines.contains(versionLine()));
    EXPECT_EQ(lines.first(), QStringLiteral("################################ Zusammenfassung ################################"));
    EXPECT_EQ(lines[lines.size() - 2], QString(81, u'#'));
    EXPECT_TRUE(lines.last().isEmpty());
}

TEST_F(SummaryFileTest, JobSummaryBlockHasTheExactBytes)
{
    CProgressData r;
    r.SelectedFiles = 10;
    r.FilesDone = 9;
    r.DirectoryCount = 2;
    r.DirectoriesDone = 2;
    r.TotalBytes = 2048;
    r.BytesDone = 1024;
    r.ErrorCount = 1;
    CProtokolldatei log;
    ASSERT_TRUE(log.OpenTemp());
    for (const QString &line : JobSummaryLines(r, kStart, kStart.addMSecs(800)))
        log.WriteLine(line);
    const QString text = QStringLiteral(
        "\r\n"
        "Endezeit: 11.12.2026 10:00:00\r\n"
        "Benötigte Zeit (Std:Min:Sek): 00:00:01\r\n"
        "Anzahl aller Dateien: 10, davon erfolgreich kopiert: 9\r\n"
        "Anzahl aller Verzeichnisse: 2, davon erfolgreich angelegt: 2\r\n"
        "Größe aller Dateien: 2048 Byte (2.00 KB), davon erfolgreich kopiert: 1024 Byte (1.00 KB)\r\n"
        "Geschwindigkeit: \r\n"
        "Fehleranzahl: 1\r\n");
    EXPECT_EQ(appendedBytes(log), utf16le(text));
}

TEST_F(SummaryFileTest, WriteJobSummaryWritesIntoTheOpenJobLog)
{
    CViewData params;
    RecordingObserver observer;
    RunContext run(params, observer, Presentation::Headless);
    JobContext job(run, nullptr, 0, 0);
    job.Record.SelectedFiles = 7;
    job.Record.FilesDone = 6;
    job.Record.ErrorCount = 2;
    WriteJobSummary(job);
    EXPECT_FALSE(job.Log.IsOpen()) << "without a log nothing is written";

    ASSERT_TRUE(job.Log.OpenTemp());
    WriteJobSummary(job);
    const QStringList lines = appendedLines(job.Log);
    ASSERT_EQ(lines.size(), 8);
    EXPECT_TRUE(lines[0].isEmpty());
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Endezeit: ")));
    EXPECT_EQ(lines[3], QStringLiteral("Anzahl aller Dateien: 7, davon erfolgreich kopiert: 6"));
    EXPECT_EQ(lines[7], QStringLiteral("Fehleranzahl: 2"));
}
