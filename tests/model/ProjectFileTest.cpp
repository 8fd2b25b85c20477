#include "model/CProjectData.h"
#include "model/ProjectFile.h"
#include "resources/Strings.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Builds project-file bytes by hand, independently of the writer under test.
class Bytes {
public:
    Bytes &dw(quint32 value)
    {
        for (int i = 0; i < 4; ++i)
            m_data.append(char((value >> (8 * i)) & 0xFF));
        return *this;
    }
    Bytes &raw(const QByteArray &bytes)
    {
        m_data.append(bytes);
        return *this;
    }
    Bytes &hex(const char *text) { return raw(QByteArray::fromHex(text)); }
    // UTF-16LE code units without any prefix.
    Bytes &units(const QString &text)
    {
        for (const QChar c : text) {
            m_data.append(char(c.unicode() & 0xFF));
            m_data.append(char(c.unicode() >> 8));
        }
        return *this;
    }
    // A string shorter than 255 code units in the Unicode form.
    Bytes &str(const QString &text)
    {
        hex("FFFEFF");
        m_data.append(char(text.size()));
        return units(text);
    }
    // A string shorter than 255 bytes in the older single-byte form.
    Bytes &ansi(const QByteArray &text)
    {
        m_data.append(char(text.size()));
        return raw(text);
    }
    const QByteArray &data() const { return m_data; }

private:
    QByteArray m_data;
};

Bytes header(quint32 viewVersion)
{
    Bytes bytes;
    bytes.dw(2).units(u"Zelvar\n"_s).dw(viewVersion);
    return bytes;
}

// The records after CPageOption, each with a value that shows whether it was read in place.
void appendMusterToZip(Bytes &bytes)
{
    bytes.dw(1).dw(1).dw(0).str(u"m1"_s).str(u""_s).dw(0).dw(1).str(u""_s).str(u"d2"_s); // Muster
    bytes.dw(2).str(u"kopiert.txt"_s).str(u"retry.txt"_s).str(u""_s).dw(1).dw(0).dw(0); // Dateien
    bytes.dw(2).dw(2).str(u"3"_s).str(u""_s).str(u""_s).str(u"4"_s);                    // Datum
    bytes.dw(2).dw(1).dw(0).dw(1).str(u"*.7z"_s).dw(1000).dw(200);                      // Zip
}

void expectMusterToZip(const model::CProjectData &project)
{
    EXPECT_EQ(project.Muster.FileIncludeEnabled, 1);
    EXPECT_EQ(project.Muster.FileIncludePatterns, u"m1"_s);
    EXPECT_EQ(project.Muster.DirExcludeEnabled, 1);
    EXPECT_EQ(project.Muster.DirExcludePatterns, u"d2"_s);
    EXPECT_EQ(project.Dateien.CopiedListFile, u"kopiert.txt"_s);
    EXPECT_EQ(project.Dateien.RetryListFile, u"retry.txt"_s);
    EXPECT_EQ(project.Dateien.DeleteRetryListAtEnd, 1);
    EXPECT_EQ(project.Dateien.DeleteCopiedListAtEnd, 0);
    EXPECT_EQ(project.Datum.DateFilterMode, 2);
    EXPECT_EQ(project.Datum.RelativeHours, u"3"_s);
    EXPECT_EQ(project.Datum.RelativeDays, u"4"_s);
    EXPECT_EQ(project.Zip.CompressFiles, 1);
    EXPECT_EQ(project.Zip.CompressExcludePatterns, u"*.7z"_s);
    EXPECT_EQ(project.Zip.CompressMinSize, 1000u);
    EXPECT_EQ(project.Zip.CompressMaxSizeMB, 200u);
}

// The CPageOption record of `version` as older writers laid it out: every field the version
// carries, each set to a value other than its default.
void appendOptionRecord(Bytes &bytes, quint32 version)
{
    bytes.dw(version).dw(2).dw(1).dw(0).dw(1).dw(1).dw(0).dw(1).dw(1).str(u"log.txt"_s);
    if (version >= 2)
        bytes.dw(1); // ScanOnly
    if (version >= 3 && version <= 8)
        bytes.str(u"alt.chk"_s);
    if (version >= 4)
        bytes.dw(1).dw(1); // OnlyExistingInTarget, OnlyMissingInTarget
    if (version >= 5)
        bytes.dw(1).dw(1); // ShutdownAfterCopy, RebootAfterShutdown
    if (version >= 6)
        bytes.dw(1); // Autostart
    if (version >= 7)
        bytes.dw(5); // DateFolderFormatId
    if (version == 8) {
        bytes.dw(1); // the old checksum flag ends the record
        return;
    }
    if (version >= 10)
        bytes.dw(1).dw(1); // CopyDirectoryRights, DirectoriesOnly
    for (quint32 from = 11; from <= 15; ++from) {
        if (version >= from)
            bytes.dw(1); // LongFileNames .. DeleteSourceAfterCopy
    }
}

std::optional<model::ProjectFileError> read(const QByteArray &bytes, model::CProjectData &project)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return model::ReadProject(buffer, project);
}

model::CProjectData richProject()
{
    model::CProjectData project;
    CListData first;
    first.SourceDir = u"/home/anna/Dokumente"_s;
    first.TargetDir = u"/media/sicherung/Größe"_s;
    CListData second;
    second.Active = 0;
    second.WithSubdirs = 0;
    second.SourceDir = u"/srv/daten"_s;
    project.Jobs = {first, second};
    project.Option.ThreadCount = 3;
    project.Option.CompareAfterCopy = 0;
    project.Option.LogFile = u"/var/log/zelvaron.txt"_s;
    project.Option.Autostart = 1;
    project.Option.DateFolderFormatId = 4;
    project.Option.DeleteSourceAfterCopy = 1;
    project.Muster.FileExcludeEnabled = 1;
    project.Muster.FileExcludePatterns = u"*.tmp, *.bak"_s;
    project.Dateien.RetryListFile = u"/tmp/kopierdatei.txt"_s;
    project.Datum.DateFilterMode = 1;
    project.Datum.DateFromText = u"01.02.2024 03.04.05"_s;
    project.Zip.CompressFiles = 1;
    project.Zip.CompressMinSize = 70000;
    project.Pruefdatei.CheckFile = u"/srv/prüf.txt"_s;
    project.Pruefdatei.ChecksumEnabled = 1;
    project.Unzip.DecompressFiles = 1;
    return project;
}

QByteArray fileContent(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

TEST(ProjectFile, NewProjectIsWrittenByteForByte)
{
    Bytes expected;
    expected.hex("02000000").units(u"Zelvar\n"_s).hex("03000000 00000000");
    // CPageOption: ThreadCount 1, the eight first options, LogFile, the rest; DateFolderFormatId 1.
    expected.hex("0F000000 01000000 00000000 01000000 00000000 00000000 01000000 00000000 00000000"
                 "FFFEFF00"
                 "00000000 00000000 00000000 00000000 00000000 00000000 01000000"
                 "00000000 00000000 00000000 00000000 00000000 00000000 00000000");
    expected.hex("01000000 00000000 00000000 FFFEFF00 FFFEFF00 00000000 00000000 FFFEFF00 FFFEFF00"); // Muster
    expected.hex("02000000 FFFEFF00 FFFEFF00 FFFEFF00 00000000 01000000 01000000");                   // Dateien
    expected.hex("02000000 00000000 FFFEFF00 FFFEFF00 FFFEFF00 FFFEFF00");                            // Datum
    expected.hex("02000000 00000000 00000000 00000000 FFFEFF23")
        .units(u"*.zip, *.jpg, *.pdf, *.mpg, *.mp3, "_s)
        .hex("00010000 000F0000");                // Zip
    expected.hex("01000000 FFFEFF00 00000000"); // Pruefdatei
    expected.hex("01000000 00000000");          // Unzip

    const QByteArray written = model::WriteProject(model::CProjectData{});
    EXPECT_EQ(written.toHex(' '), expected.data().toHex(' '));
    EXPECT_TRUE(written.startsWith(QByteArray::fromHex("02000000")));
}

TEST(ProjectFile, ProjectWithJobsAndOptionsIsWrittenByteForByte)
{
    model::CProjectData project = richProject();
    project.Jobs[0].Active = 7; // any non-zero value is written as 1
    project.Option.Autostart = -1;

    Bytes expected = header(3);
    expected.dw(2);
    expected.dw(2).dw(1).dw(1).str(u"/home/anna/Dokumente"_s).str(u"/media/sicherung/Größe"_s);
    expected.dw(2).dw(0).dw(0).str(u"/srv/daten"_s).str(u""_s);
    expected.dw(15).dw(3).dw(0).dw(0).dw(0).dw(0).dw(1).dw(0).dw(0).str(u"/var/log/zelvaron.txt"_s);
    expected.dw(0).dw(0).dw(0).dw(0).dw(0).dw(1).dw(4).dw(0).dw(0).dw(0).dw(0).dw(0).dw(0).dw(1);
    expected.dw(1).dw(0).dw(1).str(u""_s).str(u"*.tmp, *.bak"_s).dw(0).dw(0).str(u""_s).str(u""_s);
    expected.dw(2).str(u""_s).str(u"/tmp/kopierdatei.txt"_s).str(u""_s).dw(0).dw(1).dw(1);
    expected.dw(2).dw(1).str(u""_s).str(u"01.02.2024 03.04.05"_s).str(u""_s).str(u""_s);
    expected.dw(2).dw(1).dw(0).dw(0).str(model::CPageZip::DefaultExcludePatterns()).dw(70000).dw(3840);
    expected.dw(1).str(u"/srv/prüf.txt"_s).dw(1);
    expected.dw(1).dw(1);

    EXPECT_EQ(model::WriteProject(project).toHex(' '), expected.data().toHex(' '));
}

TEST(ProjectFile, WriteReadWriteGivesTheSameProjectAndBytes)
{
    const model::CProjectData original = richProject();
    const QByteArray first = model::WriteProject(original);
    model::CProjectData loaded;
    ASSERT_FALSE(read(first, loaded));
    EXPECT_EQ(loaded.Jobs, original.Jobs);
    EXPECT_EQ(loaded.Option, original.Option);
    EXPECT_EQ(loaded.Muster, original.Muster);
    EXPECT_EQ(loaded.Dateien, original.Dateien);
    EXPECT_EQ(loaded.Datum, original.Datum);
    EXPECT_EQ(loaded.Zip, original.Zip);
    EXPECT_EQ(loaded.Pruefdatei, original.Pruefdatei);
    EXPECT_EQ(loaded.Unzip, original.Unzip);
    EXPECT_EQ(model::WriteProject(loaded), first);
}

TEST(ProjectFile, SaveAndLoadThroughAFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"projekt.zelv"_s);
    const model::CProjectData original = richProject();
    ASSERT_FALSE(model::SaveProject(path, original));
    model::CProjectData loaded;
    loaded.Modified = true;
    ASSERT_FALSE(model::LoadProject(path, loaded));
    EXPECT_EQ(loaded.Jobs, original.Jobs);
    EXPECT_EQ(loaded.Option, original.Option);
    EXPECT_FALSE(loaded.Modified);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"projekt.zelv"_s});
}

TEST(ProjectFile, DocumentVersion1HasNoMagicLine)
{
    Bytes bytes;
    bytes.dw(1).dw(3).dw(1).dw(2).dw(1).dw(0).str(u"/q"_s).str(u"/z"_s);
    appendOptionRecord(bytes, 15);
    appendMusterToZip(bytes);
    bytes.dw(1).str(u"p.chk"_s).dw(1).dw(1).dw(1);

    model::CProjectData project;
    ASSERT_FALSE(read(bytes.data(), project));
    ASSERT_EQ(project.Jobs.size(), 1);
    EXPECT_EQ(project.Jobs[0].SourceDir, u"/q"_s);
    EXPECT_EQ(project.Jobs[0].WithSubdirs, 0);
    EXPECT_EQ(project.Option.ThreadCount, 2);
    expectMusterToZip(project);
    EXPECT_EQ(project.Pruefdatei.CheckFile, u"p.chk"_s);
    EXPECT_EQ(project.Unzip.DecompressFiles, 1);
}

TEST(ProjectFile, ViewVersion1MovesTheOldCheckFileFields)
{
    struct Row {
        quint32 optionVersion;
        QString checkFile;
        qint32 checksum;
    };
    const Row rows[] = {{8, u"alt.chk"_s, 1}, {5, u"alt.chk"_s, 0}, {9, QString(), 0}, {2, QString(), 0}};
    for (const Row &row : rows) {
        Bytes bytes = header(1);
        bytes.dw(0);
        appendOptionRecord(bytes, row.optionVersion);
        appendMusterToZip(bytes);
        model::CProjectData project;
        ASSERT_FALSE(read(bytes.data(), project)) << "option version " << row.optionVersion;
        EXPECT_EQ(project.Pruefdatei.CheckFile, row.checkFile) << "option version " << row.optionVersion;
        EXPECT_EQ(project.Pruefdatei.ChecksumEnabled, row.checksum) << "option version " << row.optionVersion;
        EXPECT_EQ(project.Unzip.DecompressFiles, 0);
        expectMusterToZip(project);
    }
}

TEST(ProjectFile, ViewVersion2ReadsTheCheckFilePageButNoUnzipPage)
{
    Bytes bytes = header(2);
    bytes.dw(0);
    appendOptionRecord(bytes, 8);
    appendMusterToZip(bytes);
    bytes.dw(1).str(u"neu.chk"_s).dw(0);
    bytes.dw(1).dw(1); // trailing bytes that a version 2 view does not read

    model::CProjectData project;
    ASSERT_FALSE(read(bytes.data(), project));
    EXPECT_EQ(project.Pruefdatei.CheckFile, u"neu.chk"_s);
    EXPECT_EQ(project.Pruefdatei.ChecksumEnabled, 0);
    EXPECT_EQ(project.Unzip.DecompressFiles, 0);
}

TEST(ProjectFile, EveryOlderOptionRecordVersionIsRead)
{
    const model::CPageOption defaults;
    for (quint32 version = 1; version <= 15; ++version) {
        Bytes bytes = header(3);
        bytes.dw(0);
        appendOptionRecord(bytes, version);
        appendMusterToZip(bytes);
        bytes.dw(1).str(u""_s).dw(0).dw(1).dw(0);
        model::CProjectData project;
        ASSERT_FALSE(read(bytes.data(), project)) << "version " << version;

        const model::CPageOption &option = project.Option;
        const auto carried = [&](quint32 from, qint32 value, qint32 defaultValue) {
            return version >= from ? value : defaultValue;
        };
        SCOPED_TRACE(testing::Message() << "version " << version);
        EXPECT_EQ(option.ThreadCount, 2);
        EXPECT_EQ(option.CompareAfterCopy, 0);
        EXPECT_EQ(option.DeleteTargetOnError, 0);
        EXPECT_EQ(option.ExitAfterCopy, 1);
        EXPECT_EQ(option.LogFile, u"log.txt"_s);
        EXPECT_EQ(option.ScanOnly, carried(2, 1, defaults.ScanOnly));
        EXPECT_EQ(option.OnlyMissingInTarget, carried(4, 1, defaults.OnlyMissingInTarget));
        EXPECT_EQ(option.RebootAfterShutdown, carried(5, 1, defaults.RebootAfterShutdown));
        EXPECT_EQ(option.Autostart, carried(6, 1, defaults.Autostart));
        EXPECT_EQ(option.DateFolderFormatId, carried(7, 5, defaults.DateFolderFormatId));
        const bool hasLaterFields = version != 8;
        EXPECT_EQ(option.DirectoriesOnly, hasLaterFields ? carried(10, 1, 0) : 0);
        EXPECT_EQ(option.LongFileNames, hasLaterFields ? carried(11, 1, 0) : 0);
        EXPECT_EQ(option.ShowStatusAtNextStart, hasLaterFields ? carried(12, 1, 0) : 0);
        EXPECT_EQ(option.DeleteEmptyTargetDirs, hasLaterFields ? carried(13, 1, 0) : 0);
        EXPECT_EQ(option.IncludeRootDir, hasLaterFields ? carried(14, 1, 0) : 0);
        EXPECT_EQ(option.DeleteSourceAfterCopy, hasLaterFields ? carried(15, 1, 0) : 0);
        // A view of version 3 has its own check-file page; the old fields are dropped.
        EXPECT_EQ(project.Pruefdatei.CheckFile, QString());
        expectMusterToZip(project);
        EXPECT_EQ(project.Unzip.DecompressFiles, 0);
        EXPECT_EQ(project.Pruefdatei.ChecksumEnabled, 0);
    }
}

TEST(ProjectFile, UnknownDateFolderIdKeepsTheSelection)
{
    model::CProjectData source;
    source.Option.DateFolderFormatId = 99;
    model::CProjectData project;
    project.Option.DateFolderFormatId = 3;
    ASSERT_FALSE(read(model::WriteProject(source), project));
    EXPECT_EQ(project.Option.DateFolderFormatId, 3);
}

TEST(ProjectFile, JobRecordVersion1SkipsTheExtraDword)
{
    Bytes bytes = header(3);
    bytes.dw(2);
    bytes.dw(1).dw(1).dw(0xDEADBEEF).dw(0).str(u"/alt"_s).str(u"/ziel"_s);
    bytes.dw(2).dw(0).dw(1).str(u"/neu"_s).str(u""_s);
    appendOptionRecord(bytes, 15);
    appendMusterToZip(bytes);
    bytes.dw(1).str(u""_s).dw(0).dw(1).dw(0);

    model::CProjectData project;
    ASSERT_FALSE(read(bytes.data(), project));
    ASSERT_EQ(project.Jobs.size(), 2);
    EXPECT_EQ(project.Jobs[0].Active, 1);
    EXPECT_EQ(project.Jobs[0].WithSubdirs, 0);
    EXPECT_EQ(project.Jobs[0].SourceDir, u"/alt"_s);
    EXPECT_EQ(project.Jobs[0].TargetDir, u"/ziel"_s);
    EXPECT_EQ(project.Jobs[1].Active, 0);
    EXPECT_EQ(project.Jobs[1].SourceDir, u"/neu"_s);
}

TEST(ProjectFile, StringsInEveryLengthForm)
{
    const QString shortText = u"Ärger"_s;
    const QString wordText = QString(300, u'ü');
    const QString dwordText = QString(70000, u'x') + u'ß';
    QByteArray wordAnsi(300, '\xE4');
    struct Row {
        const char *name;
        QByteArray prefix;
        QByteArray body;
        QString expected;
    };
    const auto utf16 = [](const QString &text) { return Bytes().units(text).data(); };
    const Row rows[] = {
        {"unicode byte length", QByteArray::fromHex("FFFEFF05"), utf16(shortText), shortText},
        {"unicode word length", QByteArray::fromHex("FFFEFFFF2C01"), utf16(wordText), wordText},
        {"unicode word length written by others", QByteArray::fromHex("FFFEFFFF0500"), utf16(shortText), shortText},
        {"unicode dword length", QByteArray::fromHex("FFFEFFFFFFFF71110100"), utf16(dwordText), dwordText},
        {"unicode qword length",
         QByteArray::fromHex("FFFEFFFFFFFFFFFFFFFF0500000000000000"), utf16(shortText), shortText},
        {"ansi byte length", QByteArray::fromHex("07"), "Gr\xFC\xDF" "e \x80", u"Grüße €"_s},
        {"ansi word length", QByteArray::fromHex("FF2C01"), wordAnsi, QString(300, u'ä')},
        {"ansi dword length", QByteArray::fromHex("FFFFFF04000000"), "\x84\x93\x94\x9F", u"„“”Ÿ"_s},
        {"empty unicode", QByteArray::fromHex("FFFEFF00"), QByteArray(), QString()},
        {"empty ansi", QByteArray::fromHex("00"), QByteArray(), QString()},
    };
    for (const Row &row : rows) {
        Bytes bytes = header(3);
        bytes.dw(0).dw(15).dw(1).dw(0).dw(1).dw(0).dw(0).dw(1).dw(0).dw(0).raw(row.prefix).raw(row.body);
        model::CProjectData project;
        read(bytes.data(), project); // the file ends after the string
        EXPECT_EQ(project.Option.LogFile, row.expected) << row.name;
    }
}

TEST(ProjectFile, SingleByteStringsReadLikeTheirUnicodeForm)
{
    const QByteArray ansi = "\xC4\xD6\xDC\xE4\xF6\xFC\xDF \x80 \xA7";
    const QString expected = u"ÄÖÜäöüß € §"_s;
    Bytes bytes = header(3);
    bytes.dw(1).dw(2).dw(1).dw(1).ansi(ansi).str(expected);
    appendOptionRecord(bytes, 15);
    appendMusterToZip(bytes);
    bytes.dw(1).ansi("C:\\Pr\xFC" "f.txt").dw(1).dw(1).dw(0);
    model::CProjectData project;
    ASSERT_FALSE(read(bytes.data(), project));
    ASSERT_EQ(project.Jobs.size(), 1);
    EXPECT_EQ(project.Jobs[0].SourceDir, expected);
    EXPECT_EQ(project.Jobs[0].TargetDir, expected);
    EXPECT_EQ(project.Pruefdatei.CheckFile, u"C:\\Prüf.txt"_s);
}

TEST(ProjectFile, MagicLineInOtherCaseOrWithCarriageReturnOpens)
{
    const QString lines[] = {u"zELVAR\n"_s, u"ZELVAR\n"_s, u"Zelvar\r\n"_s};
    for (const QString &line : lines) {
        Bytes bytes;
        bytes.dw(2).units(line).dw(3).dw(0);
        appendOptionRecord(bytes, 15);
        appendMusterToZip(bytes);
        bytes.dw(1).str(u""_s).dw(0).dw(1).dw(0);
        model::CProjectData project;
        EXPECT_FALSE(read(bytes.data(), project)) << line.toStdString();
        EXPECT_EQ(project.Option.Autostart, 1);
    }
}

TEST(ProjectFile, WrongMagicLineGivesMessage332AndAnEmptyProject)
{
    const QString lines[] = {u"Zelvax\n"_s, u"Zelvar \n"_s, u"Zelvar"_s, u"Zelva\n"_s, u"\n"_s,
                             QString(5000, u'Z')};
    for (const QString &line : lines) {
        Bytes bytes;
        bytes.dw(2).units(line).dw(3).dw(1).dw(2).dw(1).dw(1).str(u"/q"_s).str(u"/z"_s);
        appendOptionRecord(bytes, 15); // with Autostart set
        appendMusterToZip(bytes);
        model::CProjectData project;
        const std::optional<model::ProjectFileError> error = read(bytes.data(), project);
        ASSERT_TRUE(error) << line.left(10).toStdString();
        EXPECT_EQ(error->ErrorKind, model::ProjectFileError::Kind::NotAProject);
        EXPECT_EQ(error->Message(), u"Keine gültige Projektdatei."_s);
        EXPECT_EQ(error->Message(), LoadStr(332));
        EXPECT_TRUE(project.Jobs.isEmpty());
        EXPECT_EQ(project.Option.Autostart, 0);
        EXPECT_EQ(project.Muster, model::CPageMuster{});
    }
}

TEST(ProjectFile, TruncatedFileIsALoadErrorAtEveryOffset)
{
    const QByteArray full = model::WriteProject(richProject());
    const qsizetype magicEnd = 4 + 14;
    for (qsizetype length = 1; length < full.size(); ++length) {
        model::CProjectData project;
        const std::optional<model::ProjectFileError> error = read(full.left(length), project);
        ASSERT_TRUE(error) << "length " << length;
        using Kind = model::ProjectFileError::Kind;
        if (length < 4) {
            EXPECT_EQ(error->ErrorKind, Kind::EndOfFile) << "length " << length;
        } else if (length < magicEnd) {
            EXPECT_EQ(error->ErrorKind, Kind::NotAProject) << "length " << length;
        } else {
            EXPECT_TRUE(error->ErrorKind == Kind::EndOfFile || error->ErrorKind == Kind::BadStringLength)
                << "length " << length;
            EXPECT_GE(error->Offset, magicEnd);
            EXPECT_LE(error->Offset, length);
        }
    }
}

TEST(ProjectFile, LoadErrorKeepsWhatWasReadBeforeIt)
{
    const QByteArray full = model::WriteProject(richProject());
    // Cut inside the second job's record: the first job was read, the options were not.
    const qsizetype secondJob = full.indexOf(Bytes().units(u"/srv/daten"_s).data());
    model::CProjectData project;
    const std::optional<model::ProjectFileError> error = read(full.left(secondJob + 4), project);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->ErrorKind, model::ProjectFileError::Kind::BadStringLength);
    ASSERT_EQ(project.Jobs.size(), 1);
    EXPECT_EQ(project.Jobs[0].SourceDir, u"/home/anna/Dokumente"_s);
    EXPECT_EQ(project.Option, model::CPageOption{});
}

TEST(ProjectFile, ImpossibleStringLengthsAreLoadErrors)
{
    struct Row {
        const char *name;
        QByteArray prefix;
    };
    const Row rows[] = {
        {"beyond the end", QByteArray::fromHex("FFFEFFC8")},
        {"dword beyond the end", QByteArray::fromHex("FFFEFFFFFFFF00000010")},
        {"qword above 2^31-1", QByteArray::fromHex("FFFEFFFFFFFFFFFFFFFF0000008000000000")},
        {"qword huge", QByteArray::fromHex("FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF")},
    };
    for (const Row &row : rows) {
        Bytes bytes = header(3);
        bytes.dw(1).dw(2).dw(1).dw(1).raw(row.prefix).raw(QByteArray(64, 'a'));
        model::CProjectData project;
        const std::optional<model::ProjectFileError> error = read(bytes.data(), project);
        ASSERT_TRUE(error) << row.name;
        EXPECT_EQ(error->ErrorKind, model::ProjectFileError::Kind::BadStringLength) << row.name;
        EXPECT_TRUE(project.Jobs.isEmpty()) << row.name;
    }
}

TEST(ProjectFile, LoadErrorMessagesNameTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"kaputt.zelv"_s);
    ASSERT_TRUE(writeFile(path, model::WriteProject(richProject()).left(40)));
    model::CProjectData project;
    const std::optional<model::ProjectFileError> error = model::LoadProject(path, project);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Path, path);
    EXPECT_TRUE(error->Message().contains(path));
    EXPECT_TRUE(error->Message().startsWith(u"Die Projektdatei"_s));
}

TEST(ProjectFile, EmptyFileIsAnEmptyProject)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"leer.zelv"_s);
    ASSERT_TRUE(writeFile(path, QByteArray()));
    model::CProjectData project;
    project.Modified = true;
    EXPECT_FALSE(model::LoadProject(path, project));
    EXPECT_TRUE(project.Jobs.isEmpty());
    EXPECT_EQ(project.Option, model::CPageOption{});
    EXPECT_FALSE(project.Modified);
}

TEST(ProjectFile, MissingDirectoryOrFifoCannotBeOpened)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fifo = dir.filePath(u"fifo.zelv"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString paths[] = {dir.filePath(u"fehlt.zelv"_s), dir.path(), fifo};
    for (const QString &path : paths) {
        model::CProjectData project;
        const std::optional<model::ProjectFileError> error = model::LoadProject(path, project);
        ASSERT_TRUE(error) << path.toStdString();
        EXPECT_EQ(error->ErrorKind, model::ProjectFileError::Kind::CannotOpen) << path.toStdString();
        EXPECT_TRUE(error->Message().contains(path));
    }
}

TEST(ProjectFile, SaveReplacesTheFileInsteadOfRewritingIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"projekt.zelv"_s);
    const QString link = dir.filePath(u"alte-fassung.zelv"_s);
    ASSERT_FALSE(model::SaveProject(path, model::CProjectData{}));
    const QByteArray before = fileContent(path);
    // A second name for the old file: it keeps the old content only if the save wrote a new file.
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);
    ASSERT_FALSE(model::SaveProject(path, richProject()));
    EXPECT_EQ(fileContent(link), before);
    EXPECT_EQ(fileContent(path), model::WriteProject(richProject()));
}

TEST(ProjectFile, FailedSaveKeepsThePreviousProject)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"projekt.zelv"_s);
    ASSERT_FALSE(model::SaveProject(path, model::CProjectData{}));
    const QByteArray before = fileContent(path);

    // Files may grow to 100 bytes only, so the new, larger content cannot be written.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::optional<model::ProjectFileError> error = model::SaveProject(path, richProject());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(error);
    EXPECT_EQ(error->ErrorKind, model::ProjectFileError::Kind::CannotWrite);
    EXPECT_TRUE(error->Message().contains(path));
    EXPECT_EQ(fileContent(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"projekt.zelv"_s});
}

TEST(ProjectFile, SaveIntoAMissingFolderFails)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"fehlt/projekt.zelv"_s);
    const std::optional<model::ProjectFileError> error = model::SaveProject(path, model::CProjectData{});
    ASSERT_TRUE(error);
    EXPECT_EQ(error->ErrorKind, model::ProjectFileError::Kind::CannotWrite);
    EXPECT_FALSE(QFile::exists(path));
}
