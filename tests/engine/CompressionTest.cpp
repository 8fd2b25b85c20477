#include "engine/CompressionFixture.h"

#include "engine/CUtil.h"
#include "engine/RecordPathText.h"
#include "engine/RunContext.h"
#include "engine/TextFormat.h"
#include "platform/Attributes.h"
#include "platform/FaultInjection.h"
#include "platform/FileName.h"
#include "resources/Strings.h"
#include "zip/CCompressZip.h"

#include <cerrno>

#include <sys/stat.h>

using namespace walktest;
using namespace ziptest;

namespace {

QString OwnComment()
{
    return CCompressZip::OwnArchiveComment();
}

std::map<QString, qint64> Mtimes(const QString &root)
{
    std::map<QString, qint64> times;
    for (const auto &[relative, content] : Snapshot(root)) {
        if (!relative.endsWith(u'/'))
            times[relative] = MtimeNs(root + u'/' + relative);
    }
    return times;
}

QStringList Keys(const std::map<QString, QByteArray> &tree)
{
    QStringList keys;
    for (const auto &[relative, content] : tree)
        keys << relative;
    return keys;
}

quint32 AttributesOf(const QString &path)
{
    quint32 attributes = 0;
    EXPECT_TRUE(platform::GetAttributes(path, &attributes)) << path.toStdString();
    return attributes;
}

bool ArchiveBitSet(const QString &path)
{
    return (AttributesOf(path) & platform::kAttributeArchive) != 0;
}

// A file the run compressed, and the name its archive stores it under.
struct CompressedFile {
    QString relative;
    QString entry;
};

} // namespace

TEST_F(CompressionTest, SizeBoundsDecideWhichFilesAreCompressed)
{
    Put(QStringLiteral("min.txt"), QByteArray(256, 'm'));
    Put(QStringLiteral("small.txt"), QByteArray(255, 's'));
    Put(QStringLiteral("max.txt"), QByteArray(1024, 'x'));
    Put(QStringLiteral("big.txt"), QByteArray(1025, 'b'));
    Put(QStringLiteral("sub/deep.txt"), QByteArray(300, 'd'));
    m_params->CompressFiles = true;
    m_params->CompressMinSize = 256;
    m_params->CompressMaxSize = 1024;
    AddJob(Source(), Target());
    const auto sourceBefore = Snapshot(Source());
    const auto timesBefore = Mtimes(Source());

    RunZip();

    EXPECT_EQ(Snapshot(Source()), sourceBefore) << "compression never changes the source";
    EXPECT_EQ(Mtimes(Source()), timesBefore);
    const auto target = Snapshot(Target());
    EXPECT_EQ(Keys(target), QStringList({QStringLiteral("big.txt"), QStringLiteral("max.txt.zip"),
                                         QStringLiteral("min.txt.zip"), QStringLiteral("small.txt"),
                                         QStringLiteral("sub/"), QStringLiteral("sub/deep.txt.zip")}));
    EXPECT_EQ(target.at(QStringLiteral("big.txt")), sourceBefore.at(QStringLiteral("big.txt")));
    EXPECT_EQ(target.at(QStringLiteral("small.txt")), sourceBefore.at(QStringLiteral("small.txt")));

    qint64 archiveBytes = 0;
    const CompressedFile compressed[] = {{QStringLiteral("min.txt"), QStringLiteral("min.txt")},
                                         {QStringLiteral("max.txt"), QStringLiteral("max.txt")},
                                         {QStringLiteral("sub/deep.txt"), QStringLiteral("sub/deep.txt")}};
    for (const CompressedFile &file : compressed) {
        SCOPED_TRACE(file.relative.toStdString());
        const QString archive = Target() + u'/' + file.relative + QStringLiteral(".zip");
        EXPECT_TRUE(UnzipTestPasses(archive));
        EXPECT_EQ(UnzipEntries(archive), QStringList{file.entry});
        EXPECT_EQ(UnzipComment(archive), OwnComment());
        EXPECT_EQ(UnzipContent(archive, file.entry), sourceBefore.at(file.relative));
        archiveBytes += target.at(file.relative + QStringLiteral(".zip")).size();
    }

    const QString sizeNotice = FormatStr(402, {Source() + QStringLiteral("/big.txt")});
    EXPECT_EQ(CompressionNotices(), QStringList{sizeNotice}) << "a file below the minimum gets no notice";
    EXPECT_TRUE(LogBlock().contains(sizeNotice));
    const CProgressData record = FinalRecord();
    EXPECT_EQ(record.FilesDone, 5);
    EXPECT_EQ(record.BytesDone, 256 + 255 + 1024 + 1025 + 300);
    EXPECT_EQ(record.CompressedBytes, archiveBytes);
    EXPECT_EQ(record.UncompressedFiles, 2);
    EXPECT_EQ(record.ErrorCount, 0);
    EXPECT_EQ(m_runErrors, 0);
    QStringList listed;
    for (const QString &relative : {QStringLiteral("big.txt"), QStringLiteral("max.txt"), QStringLiteral("min.txt"),
                                    QStringLiteral("small.txt"), QStringLiteral("sub/deep.txt")})
        listed << Source() + u'/' + relative;
    EXPECT_EQ(Sorted(RecordLines(CopiedPath())), listed) << "the copied list names the files, not the archives";
    EXPECT_TRUE(LeftoverTempFiles().isEmpty()) << LeftoverTempFiles().join(u' ').toStdString();
}

TEST_F(CompressionTest, ExcludedPatternIsCopiedPlainWithNotice)
{
    Put(QStringLiteral("photo.jpg"), QByteArray(500, 'p'));
    Put(QStringLiteral("HOLIDAY.JPG"), QByteArray(500, 'h'));
    Put(QStringLiteral("data.tar.gz"), QByteArray(500, 'g'));
    Put(QStringLiteral("notes.txt"), QByteArray(500, 'n'));
    m_params->CompressFiles = true;
    m_params->CompressExcludeEnabled = true;
    m_params->CompressExcludeList = {QStringLiteral("*.jpg"), QStringLiteral("*.gz")};
    AddJob(Source(), Target());

    RunZip();

    EXPECT_EQ(Keys(Snapshot(Target())), QStringList({QStringLiteral("HOLIDAY.JPG"), QStringLiteral("data.tar.gz"),
                                                     QStringLiteral("notes.txt.zip"), QStringLiteral("photo.jpg")}));
    QStringList expected;
    for (const QString &name : {QStringLiteral("HOLIDAY.JPG"), QStringLiteral("data.tar.gz"), QStringLiteral("photo.jpg")})
        expected << FormatStr(403, {Source() + u'/' + name});
    EXPECT_EQ(Sorted(CompressionNotices()), Sorted(expected));
    for (const QString &notice : std::as_const(expected))
        EXPECT_TRUE(LogBlock().contains(notice)) << notice.toStdString();
    EXPECT_EQ(FinalRecord().UncompressedFiles, 3);
    EXPECT_EQ(m_runErrors, 0);
}

TEST_F(CompressionTest, VerifiedArchiveIsCopiedAndEveryTemporaryFileRemoved)
{
    QByteArray text;
    for (int i = 0; i < 400; ++i)
        text += "line " + QByteArray::number(i) + " of a verified file\n";
    Put(QStringLiteral("a.txt"), text);
    m_params->CompressFiles = true;
    m_params->VerifyCompressed = true;
    AddJob(Source(), Target());

    RunZip();

    const QString archive = Target() + QStringLiteral("/a.txt.zip");
    EXPECT_EQ(Keys(Snapshot(Target())), QStringList{QStringLiteral("a.txt.zip")});
    EXPECT_TRUE(UnzipTestPasses(archive));
    EXPECT_EQ(UnzipContent(archive, QStringLiteral("a.txt")), text);
    const auto compress = PanesWithMask(kCompressStart);
    const auto verify = PanesWithMask(kVerifyStart);
    ASSERT_EQ(compress.size(), 1u);
    ASSERT_EQ(verify.size(), 1u);
    const QString tempArchive = compress[0].record.TargetPath;
    EXPECT_TRUE(tempArchive.startsWith(ProgramTemp())) << tempArchive.toStdString();
    EXPECT_EQ(verify[0].record.SourcePath, tempArchive) << "the temporary archive is unpacked again";
    EXPECT_TRUE(verify[0].record.TargetPath.startsWith(ProgramTemp()));
    EXPECT_NE(verify[0].record.TargetPath, tempArchive);
    EXPECT_TRUE(CompressionNotices().isEmpty());
    EXPECT_TRUE(LeftoverTempFiles().isEmpty()) << LeftoverTempFiles().join(u' ').toStdString();
    EXPECT_EQ(m_runErrors, 0);
}

TEST_F(CompressionTest, SourceChangedBeforeVerificationIsCopiedUncompressed)
{
    Put(QStringLiteral("a.txt"), QByteArray(3000, 'a'));
    const QByteArray changed = QByteArray(1500, 'a') + QByteArray(1500, 'z');
    m_params->CompressFiles = true;
    m_params->VerifyCompressed = true;
    AddJob(Source(), Target());
    Hooked().SetPaneHook([&](const CProgressData &record) {
        if (record.Mask == kVerifyStart)
            WriteFile(Source() + QStringLiteral("/a.txt"), changed);
    });

    RunZip();

    const std::map<QString, QByteArray> target{{QStringLiteral("a.txt"), changed}};
    EXPECT_EQ(Snapshot(Target()), target);
    EXPECT_EQ(CompressionNotices(), QStringList{FormatStr(404, {Source() + QStringLiteral("/a.txt")})});
    EXPECT_TRUE(LogBlock().contains(FormatStr(404, {Source() + QStringLiteral("/a.txt")})));
    EXPECT_TRUE(ErrorMessages().isEmpty()) << "the failed comparison is not shown";
    const CProgressData record = FinalRecord();
    EXPECT_EQ(record.UncompressedFiles, 1);
    EXPECT_EQ(record.CompressedBytes, 0);
    EXPECT_EQ(record.FilesDone, 1);
    EXPECT_TRUE(RecordLines(RetryPath()).isEmpty());
    EXPECT_TRUE(LeftoverTempFiles().isEmpty()) << LeftoverTempFiles().join(u' ').toStdString();
}

TEST_F(CompressionTest, CompressionFailureFallsBackToPlainCopy)
{
    Put(QStringLiteral("a.txt"), QByteArray(2000, 'a'));
    Put(QStringLiteral("b.txt"), QByteArray(2000, 'b'));
    m_params->CompressFiles = true;
    AddJob(Source(), Target());
    const auto sourceBefore = Snapshot(Source());
    int compressions = 0;
    // The archive reads the source's attributes through the platform layer right after the
    // compression is announced; the first file's read fails there.
    Hooked().SetPaneHook([&](const CProgressData &record) {
        if (record.Mask == kCompressStart && ++compressions == 1)
            platform::fault::Arm(platform::fault::Operation::Stat, 1, EIO);
    });

    RunZip();

    ASSERT_EQ(compressions, 2);
    const auto announced = PanesWithMask(kCompressStart);
    const QString failed = announced[0].record.SourcePath;
    const QString compressed = announced[1].record.SourcePath;
    const QString failedName = failed.mid(Source().size() + 1);
    const QString compressedName = compressed.mid(Source().size() + 1);
    const std::map<QString, QByteArray> target{{failedName, sourceBefore.at(failedName)},
                                               {compressedName + QStringLiteral(".zip"),
                                                ReadFile(Target() + u'/' + compressedName + QStringLiteral(".zip"))}};
    EXPECT_EQ(Snapshot(Target()), target);
    EXPECT_EQ(UnzipContent(Target() + u'/' + compressedName + QStringLiteral(".zip"), compressedName),
              sourceBefore.at(compressedName));
    EXPECT_EQ(CompressionNotices(), QStringList{FormatStr(404, {failed})});
    // The component's reason is shown as an error line by its progress callback.
    EXPECT_EQ(ErrorMessages(), QStringList{CUtil::GetErrorText(EIO)});
    EXPECT_TRUE(RecordLines(RetryPath()).isEmpty());
    EXPECT_EQ(FinalRecord().FilesDone, 2);
    EXPECT_EQ(FinalRecord().UncompressedFiles, 1);
    EXPECT_EQ(Snapshot(Source()), sourceBefore);
    EXPECT_TRUE(LeftoverTempFiles().isEmpty()) << LeftoverTempFiles().join(u' ').toStdString();
}

TEST_F(CompressionTest, CancelDuringCompressionLeavesNoArchive)
{
    const QByteArray content = NoiseBytes(2 * qsizetype(CCompressZip::ChunkSize) + 17, 7);
    Put(QStringLiteral("big.bin"), content);
    m_params->CompressFiles = true;
    AddJob(Source(), Target());
    Hooked().SetPaneHook([&](const CProgressData &record) {
        if (record.Mask == kCompressStart)
            ActiveRun()->RequestCancel();
    });

    RunZip();

    const auto chunks = PanesWithMask(kZipChunk);
    ASSERT_FALSE(chunks.empty());
    EXPECT_LT(chunks.back().record.FileBytesDone, content.size()) << "the compression stops early";
    EXPECT_TRUE(ZipNamesBelow(Target()).isEmpty()) << "no partial archive becomes the backup";
    EXPECT_TRUE(LeftoverTempFiles().isEmpty()) << LeftoverTempFiles().join(u' ').toStdString();
    EXPECT_EQ(ReadFile(Source() + QStringLiteral("/big.bin")), content);
    EXPECT_EQ(RecordLines(RetryPath()), QStringList{FormatStr(359, {Source() + QStringLiteral("/big.bin"),
                                                                     Target() + QStringLiteral("/big.bin")})});
    EXPECT_EQ(FinalRecord().FilesDone, 0);
}

TEST_F(CompressionTest, ProgressIsReportedOnACopyOfTheRecord)
{
    const QByteArray content = NoiseBytes(700000, 3);
    Put(QStringLiteral("big.bin"), content);
    m_params->CompressFiles = true;
    AddJob(Source(), Target());

    RunZip();

    const QString source = Source() + QStringLiteral("/big.bin");
    const auto start = PanesWithMask(kCompressStart);
    ASSERT_EQ(start.size(), 1u);
    EXPECT_EQ(start[0].record.SourcePath, source);
    EXPECT_TRUE(start[0].record.TargetPath.startsWith(ProgramTemp()));
    EXPECT_TRUE(start[0].record.TargetPath.endsWith(QStringLiteral(".tmp")));
    const auto chunks = PanesWithMask(kZipChunk);
    ASSERT_EQ(chunks.size(), 2u) << "one event per chunk of 640,000 bytes";
    EXPECT_EQ(chunks[0].record.FileBytesDone, qint64(CCompressZip::ChunkSize));
    EXPECT_EQ(chunks[1].record.FileBytesDone, 700000);
    EXPECT_EQ(chunks[1].record.FileSize, 700000);
    EXPECT_EQ(chunks[1].record.TargetPath, source);

    // The job's own record goes on with the archive as source and the ".zip" target.
    const auto copies = PanesWithMask(UPD_PCT2_FILE | UPD_BAR2_FILE | UPD_BAR2_RESET | UPD_COUNT_FILE_OF | UPD_TARGET
                                      | UPD_SOURCE | UPD_ACT_COPY);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].record.SourcePath, start[0].record.TargetPath);
    EXPECT_EQ(copies[0].record.TargetPath, Target() + QStringLiteral("/big.bin.zip"));
    EXPECT_EQ(copies[0].record.FileBytesDone, 0);
    EXPECT_EQ(copies[0].record.Compressed, 1);
    EXPECT_EQ(copies[0].record.CompressedSize, ReadFile(Target() + QStringLiteral("/big.bin.zip")).size());
    EXPECT_EQ(UnzipContent(Target() + QStringLiteral("/big.bin.zip"), QStringLiteral("big.bin")), content);
}

class ArchiveBitOfSource : public CompressionTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ArchiveBitOfSource, ResetArchiveBitClearsTheSourceNotTheTemporaryArchive)
{
    const bool reset = GetParam();
    Put(QStringLiteral("a.txt"), QByteArray(2000, 'a'));
    const QString source = Source() + QStringLiteral("/a.txt");
    ASSERT_TRUE(ArchiveBitSet(source));
    m_params->CompressFiles = true;
    m_params->ResetArchiveBit = reset;
    AddJob(Source(), Target());
    // The temporary archive is kept for inspection: its removal after the copy fails.
    Hooked().SetPaneHook([&](const CProgressData &record) {
        if (record.Mask == kCompressStart)
            platform::fault::Arm(platform::fault::Operation::RemoveFile, 1, EBUSY);
    });

    RunZip();

    EXPECT_EQ(ArchiveBitSet(source), !reset);
    const QStringList left = LeftoverTempFiles();
    ASSERT_EQ(left.size(), 1);
    const QString tempArchive = ProgramTemp() + u'/' + left[0];
    EXPECT_TRUE(ArchiveBitSet(tempArchive));
    EXPECT_EQ(ReadFile(tempArchive), ReadFile(Target() + QStringLiteral("/a.txt.zip")));
    EXPECT_TRUE(MessagesOfKind(MessageKind::Error).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Compression, ArchiveBitOfSource, ::testing::Values(true, false),
                         [](const auto &info) { return info.param ? "ResetOn" : "ResetOff"; });

TEST_F(CompressionTest, CheckKeysCarryTheZipNameAndSkipTheUnchangedFileNextTime)
{
    Put(QStringLiteral("a.txt"), QByteArray(300, 'a'));
    Put(QStringLiteral("tiny.txt"), "t");
    auto configure = [&] {
        m_params->CompressFiles = true;
        m_params->CompressMinSize = 10;
        m_params->CheckFile = CheckPath();
        m_params->CheckFileData.Load(CheckPath());
        AddJob(Source(), Target());
    };
    configure();

    RunZip();

    QStringList keys;
    for (const QString &line : RecordLines(CheckPath()))
        keys << line.section(u'|', 0, 0);
    EXPECT_EQ(Sorted(keys), Sorted({(Target() + QStringLiteral("/a.txt.zip")).toLower(),
                                    (Target() + QStringLiteral("/tiny.txt")).toLower()}));

    StartNewRun();
    configure();
    RunZip();

    EXPECT_EQ(Sorted(RecordLines(SkippedPath())),
              Sorted({FormatStr(362, {Source() + QStringLiteral("/a.txt")}),
                      FormatStr(362, {Source() + QStringLiteral("/tiny.txt")})}));
    EXPECT_EQ(FinalRecord().FilesDone, 0);
}

TEST_F(CompressionTest, DecompressFilesUnpacksOwnArchivesAndKeepsForeignOnes)
{
    MakeOwnArchive(Source() + QStringLiteral("/own.txt.zip"), QStringLiteral("sub/own.txt"), "own content", 1600000001);
    MakeOwnArchive(Source() + QStringLiteral("/UPPER.ZIP"), QStringLiteral("upper.txt"), "upper content", 1600000100);
    MakeForeignArchive(Source() + QStringLiteral("/foreign.zip"), QStringLiteral("f.txt"), "foreign content");
    Put(QStringLiteral("plain.txt"), "plain");
    SetMtime(Source() + QStringLiteral("/foreign.zip"), 1500000000, 123456789);
    ASSERT_TRUE(UnzipTestPasses(Source() + QStringLiteral("/foreign.zip")));
    m_params->DecompressFiles = true;
    m_params->CompareAfterCopy = true;
    AddJob(Source(), Target());
    const auto sourceBefore = Snapshot(Source());

    RunZip();

    const std::map<QString, QByteArray> target{{QStringLiteral("foreign.zip"), sourceBefore.at(QStringLiteral("foreign.zip"))},
                                               {QStringLiteral("own.txt"), "own content"},
                                               {QStringLiteral("plain.txt"), "plain"},
                                               {QStringLiteral("upper.txt"), "upper content"}};
    EXPECT_EQ(Snapshot(Target()), target) << "own archives are unpacked without their stored directory and deleted";
    EXPECT_EQ(MtimeNs(Target() + QStringLiteral("/foreign.zip")), 1500000000123456789LL)
        << "a foreign archive gets the source's times like any file";
    EXPECT_EQ(MtimeNs(Target() + QStringLiteral("/own.txt")), DosRoundedNs(1600000001000000000LL));
    EXPECT_EQ(MtimeNs(Target() + QStringLiteral("/upper.txt")), DosRoundedNs(1600000100000000000LL));
    EXPECT_EQ(Snapshot(Source()), sourceBefore);

    const auto unpacks = PanesWithMask(kUnpackStart);
    QStringList unpacked;
    for (const auto &pane : unpacks) {
        unpacked << pane.record.SourcePath;
        EXPECT_EQ(pane.record.TargetPath, Target() + u'/');
    }
    EXPECT_EQ(Sorted(unpacked), Sorted({Target() + QStringLiteral("/UPPER.ZIP"), Target() + QStringLiteral("/foreign.zip"),
                                        Target() + QStringLiteral("/own.txt.zip")}));
    const CProgressData record = FinalRecord();
    EXPECT_EQ(record.FilesDone, 4);
    EXPECT_EQ(record.ErrorCount, 0);
    EXPECT_EQ(m_runErrors, 0);
    EXPECT_EQ(RecordLines(CopiedPath()).size(), 4);
    EXPECT_TRUE(RecordLines(RetryPath()).isEmpty());
}

namespace {

// Turns the first byte of the archive's stored data, so that inflating or the CRC fails.
void DamageEntryData(const QString &archive)
{
    QByteArray bytes = ReadFile(archive);
    const int nameLength = quint8(bytes[26]) | (quint8(bytes[27]) << 8);
    const int extraLength = quint8(bytes[28]) | (quint8(bytes[29]) << 8);
    const qsizetype data = 30 + nameLength + extraLength;
    bytes[data + 1] = char(bytes[data + 1] ^ 0x5a);
    bytes[data + 2] = char(bytes[data + 2] ^ 0xa5);
    WriteFile(archive, bytes);
}

enum class Spoil { Nothing, DamageData, CancelWhileUnpacking };

struct UnpackFailureRow {
    const char *name;
    const char *entry;
    Spoil spoil;
    // The text of the failure, for the archive's target path.
    QString (*text)(const QString &archive);
};

void PrintTo(const UnpackFailureRow &row, std::ostream *os)
{
    *os << row.name;
}

class UnpackFailure : public CompressionTest, public ::testing::WithParamInterface<UnpackFailureRow> {};

QString DamagedText(const QString &archive)
{
    return FormatStr(5500, {archive});
}

QString CancelledText(const QString &archive)
{
    return FormatStr(5501, {archive});
}

QString UnusableNameText(const QString &archive)
{
    return FormatText(LoadStr(430), {QStringLiteral("sub/.."), archive});
}

} // namespace

TEST_P(UnpackFailure, KeepsTheArchiveAsAnOrdinaryFileAndCountsOneError)
{
    const UnpackFailureRow &row = GetParam();
    QByteArray content;
    for (int i = 0; i < 200; ++i)
        content += "some text that deflate shrinks ";
    if (row.spoil == Spoil::CancelWhileUnpacking)
        content = NoiseBytes(qsizetype(CCompressZip::ChunkSize) + 1000, 5);
    const QString archive = Source() + QStringLiteral("/bad.zip");
    MakeOwnArchive(archive, QString::fromUtf8(row.entry), content);
    if (row.spoil == Spoil::DamageData)
        DamageEntryData(archive);
    SetMtime(archive, 1500000000, 5);
    m_params->DecompressFiles = true;
    AddJob(Source(), Target());
    Hooked().SetPaneHook([&](const CProgressData &record) {
        if (record.Mask == kUnpackStart && row.spoil == Spoil::CancelWhileUnpacking)
            ActiveRun()->RequestCancel();
    });
    const QByteArray archiveBytes = ReadFile(archive);

    RunZip();

    const QString targetArchive = Target() + QStringLiteral("/bad.zip");
    const std::map<QString, QByteArray> target{{QStringLiteral("bad.zip"), archiveBytes}};
    EXPECT_EQ(Snapshot(Target()), target) << "no partial output is left beside the archive";
    EXPECT_EQ(MtimeNs(targetArchive), 1500000000000000005LL) << "the kept archive gets the source's times";
    const QString text = row.text(targetArchive);
    QStringList errors{text};
    if (row.spoil == Spoil::CancelWhileUnpacking)
        errors << LoadStr(364); // the job's own line for the cancelled run
    EXPECT_EQ(ErrorMessages(), errors);
    EXPECT_TRUE(LogBlock().contains(FormatStr(409, {text})));
    EXPECT_EQ(FinalRecord().ErrorCount, errors.size());
    EXPECT_EQ(m_runErrors, errors.size());
    EXPECT_EQ(FinalRecord().FilesDone, 1);
    EXPECT_EQ(RecordLines(CopiedPath()), QStringList{archive});
    EXPECT_TRUE(RecordLines(RetryPath()).isEmpty());
    if (text.isEmpty())
        GTEST_SKIP() << "the string table does not hold the text of this failure yet";
    EXPECT_TRUE(text.contains(targetArchive)) << "the failure names its archive";
}

INSTANTIATE_TEST_SUITE_P(Compression, UnpackFailure,
                         ::testing::Values(UnpackFailureRow{"DamagedData", "bad.txt", Spoil::DamageData, DamagedText},
                                           UnpackFailureRow{"CancelledWhileUnpacking", "big.bin",
                                                            Spoil::CancelWhileUnpacking, CancelledText},
                                           UnpackFailureRow{"UnusableEntryName", "sub/..", Spoil::Nothing,
                                                            UnusableNameText}),
                         [](const auto &info) { return info.param.name; });

TEST_F(CompressionTest, NameThatIsNotUtf8IsCopiedUncompressed)
{
    const QString name = platform::DecodeFileName("bad\xff name.txt");
    Put(name, QByteArray(400, 'q'));
    Put(QStringLiteral("good.txt"), QByteArray(400, 'g'));
    m_params->CompressFiles = true;
    AddJob(Source(), Target());

    RunZip();

    const auto target = Snapshot(Target());
    EXPECT_EQ(Keys(target), QStringList({name, QStringLiteral("good.txt.zip")}));
    EXPECT_EQ(target.at(name), QByteArray(400, 'q'));
    EXPECT_EQ(CompressionNotices(), QStringList{FormatStr(404, {RecordPathText(Source() + u'/' + name)})});
    EXPECT_TRUE(ErrorMessages().isEmpty());
    EXPECT_EQ(m_runErrors, 0);
}

TEST_F(CompressionTest, CompressingThenUnpackingReproducesTheTree)
{
    struct SourceFile {
        QString relative;
        QByteArray content;
        qint64 seconds;
        qint64 nanoseconds;
        bool compressed;
    };
    QByteArray text;
    for (int i = 0; i < 300; ++i)
        text += "Zeile " + QByteArray::number(i) + " einer Textdatei\r\n";
    const QString ownArchive = Source() + QStringLiteral("/own.zip");
    const std::vector<SourceFile> files = {
        {QStringLiteral("empty.txt"), QByteArray(), 1600000003, 0, true},
        {QStringLiteral("text/readme.txt"), text, 1600000000, 500000000, true},
        {QStringLiteral("bin/noise.bin"), NoiseBytes(5000, 11), 1600000011, 999999999, true},
        {QStringLiteral("bin/large.bin"), NoiseBytes(20001, 12), 1600000021, 250000000, false},
        {QStringLiteral("photo.jpg"), NoiseBytes(3000, 13), 1600000031, 1, false},
        {QStringLiteral("Umlaute äöü und Leerzeichen.txt"), "Grüße\n", 1650000000, 0, true},
        {QStringLiteral("nested/a/b/c.txt"), "deep", 1700000001, 0, true},
        {QStringLiteral("readonly.txt"), "read only", 1600000041, 0, true},
        {QStringLiteral("own.zip"), QByteArray(), 1600000051, 0, true},
    };
    for (const SourceFile &file : files) {
        if (file.relative == QStringLiteral("own.zip"))
            MakeOwnArchive(ownArchive, QStringLiteral("inner.txt"), text);
        else
            Put(file.relative, file.content);
        SetMtime(Source() + u'/' + file.relative, file.seconds, file.nanoseconds);
    }
    ASSERT_EQ(::chmod(Encoded(Source() + QStringLiteral("/readonly.txt")).constData(), 0444), 0);
    MakeDirectory(Source() + QStringLiteral("/empty dir"));
    const QString stored = Root() + QStringLiteral("/A");
    const QString restored = Root() + QStringLiteral("/B");

    m_params->CompressFiles = true;
    m_params->VerifyCompressed = true;
    m_params->CompareAfterCopy = true;
    m_params->CompressMaxSize = 20000;
    m_params->CompressExcludeList = {QStringLiteral("*.jpg")};
    AddJob(Source(), stored);
    RunZip();

    ASSERT_EQ(m_runErrors, 0) << MessagesOfKind(MessageKind::Error).join(u'\n').toStdString();
    for (const SourceFile &file : files) {
        SCOPED_TRACE(file.relative.toStdString());
        const QString archive = stored + u'/' + file.relative + QStringLiteral(".zip");
        EXPECT_EQ(Exists(archive), file.compressed);
        if (file.compressed) {
            EXPECT_TRUE(UnzipTestPasses(archive));
        }
    }

    StartNewRun();
    m_params->DecompressFiles = true;
    m_params->CompareAfterCopy = true;
    AddJob(stored, restored);
    RunZip();

    EXPECT_EQ(m_runErrors, 0) << MessagesOfKind(MessageKind::Error).join(u'\n').toStdString();
    EXPECT_EQ(Snapshot(restored), Snapshot(Source()));
    // Archives keep times in two-second steps; uncompressed files keep them to the nanosecond.
    for (const SourceFile &file : files) {
        SCOPED_TRACE(file.relative.toStdString());
        const qint64 original = file.seconds * 1000000000 + file.nanoseconds;
        EXPECT_EQ(MtimeNs(restored + u'/' + file.relative), file.compressed ? DosRoundedNs(original) : original);
    }
    EXPECT_EQ(AttributesOf(restored + QStringLiteral("/readonly.txt")) & platform::kAttributeReadOnly,
              platform::kAttributeReadOnly);
    EXPECT_TRUE(LeftoverTempFiles().isEmpty()) << LeftoverTempFiles().join(u' ').toStdString();
}
