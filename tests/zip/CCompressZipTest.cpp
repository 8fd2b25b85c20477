#include "ZipTestSupport.h"

#include "zip/CCompressZip.h"
#include "zip/CZipArchive.h"
#include "zip/ZipStringId.h"
#include "zip/ZipSystemError.h"

#include "resources/Strings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace ZipTest;

namespace {

// Records what the progress callback saw; optionally asks to cancel after some calls.
struct Recorder {
    std::vector<int64_t> BytesDone;
    std::vector<QString> ErrorTexts;
    int CancelAfter = -1;

    CompressionProgressCallback Callback()
    {
        return [this](CompressionRequest &request) {
            BytesDone.push_back(request.BytesDone);
            ErrorTexts.push_back(request.ErrorText);
            if (CancelAfter >= 0 && int(BytesDone.size()) >= CancelAfter)
                request.Cancel = true;
        };
    }
};

mode_t modeOf(const QString &path)
{
    struct stat status {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &status), 0) << path.toStdString();
    return status.st_mode & 07777;
}

void setMode(const QString &path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

CompressionRequest compressRequest(const QString &source, const QString &entry, const QString &archive)
{
    CompressionRequest request;
    request.FilePath = source;
    request.EntryName = entry;
    request.ArchivePath = archive;
    return request;
}

CompressionRequest unpackRequest(const QString &archive, const QString &destination, const QString &file = QString())
{
    CompressionRequest request;
    request.ArchivePath = archive;
    request.DestinationDir = destination;
    request.FilePath = file;
    request.OwnArchivesOnly = true;
    return request;
}

QString entryNotOpenedText(const QString &entry, const QString &archive)
{
    QString text = LoadStr(ZipStringId::EntryNotOpened);
    text.replace(text.indexOf(QStringLiteral("%s")), 2, entry);
    text.replace(text.indexOf(QStringLiteral("%s")), 2, archive);
    return text;
}

// Makes an own archive holding `data` as "sub/name.txt".
QString makeOwnArchive(const QTemporaryDir &dir, const QByteArray &data)
{
    const QString source = dir.filePath(QStringLiteral("source.txt"));
    WriteAll(source, data);
    CompressionRequest request = compressRequest(source, QStringLiteral("sub/name.txt"), dir.filePath(QStringLiteral("own.zip")));
    CCompressZip zip;
    EXPECT_TRUE(zip.Compress(request));
    return request.ArchivePath;
}

} // namespace

TEST(CCompressZip, RoundTripKeepsContentTimeAndReadOnlyFlag)
{
    struct Row {
        qsizetype size;
        QDateTime modified;
        QDateTime expected;   // DOS times have a two-second resolution
        mode_t mode;
    };
    const Row rows[] = {
        {0, QDateTime(QDate(2021, 3, 4), QTime(5, 6, 8)), QDateTime(QDate(2021, 3, 4), QTime(5, 6, 8)), 0644},
        {1500000, QDateTime(QDate(2010, 1, 1), QTime(10, 0, 7)), QDateTime(QDate(2010, 1, 1), QTime(10, 0, 6)), 0444},
        {qsizetype(2 * CCompressZip::ChunkSize), QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58)),
         QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58)), 0600},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.size);
        QTemporaryDir dir;
        const QByteArray data = SampleData(row.size, 20);
        const QString source = dir.filePath(QStringLiteral("source.txt"));
        WriteAll(source, data);
        SetModificationTime(source, row.modified);
        setMode(source, row.mode);

        CompressionRequest pack = compressRequest(source, QStringLiteral("sub/name.txt"), dir.filePath(QStringLiteral("a.zip")));
        CCompressZip zip;
        const ZipResult packed = zip.Compress(pack);
        ASSERT_TRUE(packed) << packed.Text().toStdString();
        EXPECT_EQ(pack.Mode, CompressionMode::Compress);
        EXPECT_EQ(pack.BytesDone, row.size);
        EXPECT_TRUE(pack.ErrorText.isEmpty());
        const ReadBack back = ReadArchive(pack.ArchivePath);
        EXPECT_EQ(back.Comment, QStringLiteral("Compressed by Zelvaron"));
        ASSERT_EQ(back.Headers.size(), 1u);
        EXPECT_EQ(back.Headers[0].Name, QStringLiteral("sub/name.txt"));

        for (const bool intoDirectory : {true, false}) {
            const QString out = dir.filePath(intoDirectory ? QStringLiteral("dest") : QStringLiteral("file.out"));
            CompressionRequest unpack = intoDirectory ? unpackRequest(pack.ArchivePath, out)
                                                      : unpackRequest(pack.ArchivePath, QString(), out);
            const ZipResult unpacked = zip.Decompress(unpack);
            ASSERT_TRUE(unpacked) << unpacked.Text().toStdString();
            const QString output = intoDirectory ? out + QStringLiteral("/name.txt") : out;
            EXPECT_EQ(unpack.Mode, CompressionMode::Decompress);
            EXPECT_TRUE(unpack.OwnArchivesOnly);
            EXPECT_EQ(unpack.FilePath, output);
            EXPECT_EQ(unpack.Size, row.size);
            EXPECT_EQ(unpack.BytesDone, row.size);
            EXPECT_EQ(ReadAll(output), data);
            EXPECT_EQ(ModificationTime(output), row.expected);
            EXPECT_EQ((modeOf(output) & S_IWUSR) != 0, (row.mode & S_IWUSR) != 0);
        }
    }
}

TEST(CCompressZip, CallbackFollowsEveryChunk)
{
    QTemporaryDir dir;
    const QByteArray data = SampleData(1500000, 21);
    const QString source = dir.filePath(QStringLiteral("s"));
    WriteAll(source, data);
    Recorder packing;
    CompressionRequest pack = compressRequest(source, QStringLiteral("s"), dir.filePath(QStringLiteral("a.zip")));
    pack.ProgressCallback = packing.Callback();
    CCompressZip zip;
    ASSERT_TRUE(zip.Compress(pack));
    EXPECT_EQ(packing.BytesDone, (std::vector<int64_t>{640000, 1280000, 1500000}));

    Recorder unpacking;
    CompressionRequest unpack = unpackRequest(pack.ArchivePath, dir.filePath(QStringLiteral("d")));
    unpack.ProgressCallback = unpacking.Callback();
    ASSERT_TRUE(zip.Decompress(unpack));
    EXPECT_EQ(unpacking.BytesDone, (std::vector<int64_t>{640000, 1280000, 1500000}));
}

TEST(CCompressZip, OwnArchivesOnlyLeavesForeignArchivesAlone)
{
    struct Row {
        QString comment;
        bool own;
    };
    const Row rows[] = {
        {QStringLiteral("Compressed by Zelvaron"), true},
        {QStringLiteral("COMPRESSED BY zelvaron"), true},
        {QStringLiteral("Compressed by Zelvaron "), false},
        {QStringLiteral("Compressed by"), false},
        {QString(), false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.comment.toStdString());
        for (const bool ownOnly : {true, false}) {
            QTemporaryDir dir;
            const QString archive = dir.filePath(QStringLiteral("x.ZIP"));
            WriteArchive(archive, {{QStringLiteral("a.txt"), "inhalt"}}, row.comment);
            const QString dest = dir.filePath(QStringLiteral("dest"));
            CompressionRequest request = unpackRequest(archive, dest);
            request.OwnArchivesOnly = ownOnly;
            Recorder recorder;
            request.ProgressCallback = recorder.Callback();
            CCompressZip zip;
            EXPECT_TRUE(zip.Decompress(request));
            const bool unpacked = row.own || !ownOnly;
            EXPECT_EQ(QFile::exists(dest + QStringLiteral("/a.txt")), unpacked);
            EXPECT_EQ(request.OwnArchivesOnly, ownOnly && row.own);
            EXPECT_TRUE(request.ErrorText.isEmpty());
            EXPECT_TRUE(QFile::exists(archive));
            EXPECT_EQ(recorder.BytesDone.size(), unpacked ? 1u : 0u);
        }
    }
}

TEST(CCompressZip, DestinationDirectoryDropsTheStoredDirectory)
{
    for (const QString &suffix : {QString(), QStringLiteral("/"), QStringLiteral("///")}) {
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("d.zip"));
        WriteArchive(archive, {{QStringLiteral("sub/deeper/a.txt"), "A"}, {QStringLiteral("b.txt"), "B"}},
                     CCompressZip::OwnArchiveComment());
        const QString dest = dir.filePath(QStringLiteral("new/dest"));
        CompressionRequest request = unpackRequest(archive, dest + suffix);
        CCompressZip zip;
        ASSERT_TRUE(zip.Decompress(request)) << zip.ErrorText().toStdString();
        EXPECT_EQ(ReadAll(dest + QStringLiteral("/a.txt")), QByteArray("A"));
        EXPECT_EQ(ReadAll(dest + QStringLiteral("/b.txt")), QByteArray("B"));
        EXPECT_FALSE(QFileInfo::exists(dest + QStringLiteral("/sub")));
        EXPECT_EQ(request.FilePath, dest + QStringLiteral("/b.txt"));
    }
}

TEST(CCompressZip, EntryNamesThatLeaveTheDestinationAreRefused)
{
    for (const QString &name : {QStringLiteral(".."), QStringLiteral("x/.."), QStringLiteral("."), QStringLiteral("x/")}) {
        SCOPED_TRACE(name.toStdString());
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("evil.zip"));
        WriteArchive(archive, {{name, "boese"}}, CCompressZip::OwnArchiveComment());
        const QString dest = dir.filePath(QStringLiteral("a/b"));
        CompressionRequest request = unpackRequest(archive, dest);
        Recorder recorder;
        request.ProgressCallback = recorder.Callback();
        CCompressZip zip;
        const ZipResult result = zip.Decompress(request);
        EXPECT_EQ(result.Failure(), ZipFailure::EntryNotOpened);
        EXPECT_EQ(result.Text(), entryNotOpenedText(name, archive));
        EXPECT_EQ(request.ErrorText, result.Text());
        EXPECT_EQ(recorder.ErrorTexts, std::vector<QString>{result.Text()});
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("evil.zip")});
    }
}

TEST(CCompressZip, TheEntryNotOpenedTextIsInTheStringTable)
{
    if (LoadStr(ZipStringId::EntryNotOpened).isEmpty())
        GTEST_SKIP() << "string " << ZipStringId::EntryNotOpened << " is not in the string table yet";
    EXPECT_EQ(entryNotOpenedText(QStringLiteral("a/b"), QStringLiteral("/x.zip")),
              QString::fromUtf16(u"Fehler beim Dekomprimieren der Datei: 'a/b' aus dem ZIP-Archiv: '/x.zip'"));
}

TEST(CCompressZip, ExistingReadOnlyOutputIsOverwritten)
{
    QTemporaryDir dir;
    const QString archive = makeOwnArchive(dir, "neu");
    const QString dest = dir.filePath(QStringLiteral("dest"));
    ASSERT_TRUE(QDir().mkpath(dest));
    const QString output = dest + QStringLiteral("/name.txt");
    WriteAll(output, "alter Inhalt, der laenger ist");
    setMode(output, 0444);
    CompressionRequest request = unpackRequest(archive, dest);
    CCompressZip zip;
    ASSERT_TRUE(zip.Decompress(request)) << zip.ErrorText().toStdString();
    EXPECT_EQ(ReadAll(output), QByteArray("neu"));
    EXPECT_NE(modeOf(output) & S_IWUSR, 0u);
}

TEST(CCompressZip, SymbolicLinkInPlaceOfTheOutputIsNotFollowed)
{
    QTemporaryDir dir;
    const QString archive = makeOwnArchive(dir, "neu");
    const QString outside = dir.filePath(QStringLiteral("outside.txt"));
    WriteAll(outside, "bleibt");
    const QString dest = dir.filePath(QStringLiteral("dest"));
    ASSERT_TRUE(QDir().mkpath(dest));
    ASSERT_TRUE(QFile::link(outside, dest + QStringLiteral("/name.txt")));
    CompressionRequest request = unpackRequest(archive, dest);
    CCompressZip zip;
    const ZipResult result = zip.Decompress(request);
    EXPECT_EQ(result.Failure(), ZipFailure::FileError);
    EXPECT_EQ(result.Code(), ELOOP);
    EXPECT_EQ(ReadAll(outside), QByteArray("bleibt"));
    EXPECT_TRUE(QFileInfo(dest + QStringLiteral("/name.txt")).isSymLink());
}

TEST(CCompressZip, CancelLeavesNoPartialOutput)
{
    QTemporaryDir dir;
    const QByteArray data = SampleData(2000000, 22);
    const QString source = dir.filePath(QStringLiteral("source.txt"));
    WriteAll(source, data);

    Recorder packing;
    packing.CancelAfter = 1;
    CompressionRequest pack = compressRequest(source, QStringLiteral("s.txt"), dir.filePath(QStringLiteral("c.zip")));
    pack.ProgressCallback = packing.Callback();
    CCompressZip zip;
    const ZipResult packed = zip.Compress(pack);
    EXPECT_EQ(packed.Failure(), ZipFailure::Cancelled);
    EXPECT_TRUE(packed.Text().isEmpty());
    // The archive's name belongs to the caller: the file stays, but holds nothing.
    EXPECT_EQ(QFileInfo(pack.ArchivePath).size(), 0);
    EXPECT_EQ(packing.BytesDone, (std::vector<int64_t>{640000, 640000}));

    const QString archive = makeOwnArchive(dir, data);
    for (const bool intoDirectory : {true, false}) {
        SCOPED_TRACE(intoDirectory);
        const QString out = dir.filePath(intoDirectory ? QStringLiteral("dest") : QStringLiteral("file.out"));
        Recorder unpacking;
        unpacking.CancelAfter = 1;
        CompressionRequest unpack = intoDirectory ? unpackRequest(archive, out) : unpackRequest(archive, QString(), out);
        unpack.ProgressCallback = unpacking.Callback();
        const ZipResult unpacked = zip.Decompress(unpack);
        EXPECT_EQ(unpacked.Failure(), ZipFailure::Cancelled);
        if (intoDirectory) {
            EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/name.txt")));
        } else {
            EXPECT_EQ(QFileInfo(out).size(), 0);
        }
    }
}

// A cancel that arrives with the last chunk stops nothing: the work is already complete.
TEST(CCompressZip, CancelAfterTheLastChunkKeepsTheCompleteResult)
{
    QTemporaryDir dir;
    const QByteArray data = SampleData(1000, 23);
    const QString source = dir.filePath(QStringLiteral("source.txt"));
    WriteAll(source, data);
    Recorder packing;
    packing.CancelAfter = 1;
    CompressionRequest pack = compressRequest(source, QStringLiteral("s.txt"), dir.filePath(QStringLiteral("c.zip")));
    pack.ProgressCallback = packing.Callback();
    CCompressZip zip;
    EXPECT_TRUE(zip.Compress(pack));
    EXPECT_EQ(ReadArchive(pack.ArchivePath).Data.at(0), data);

    Recorder unpacking;
    unpacking.CancelAfter = 1;
    CompressionRequest unpack = unpackRequest(pack.ArchivePath, dir.filePath(QStringLiteral("d")));
    unpack.ProgressCallback = unpacking.Callback();
    EXPECT_TRUE(zip.Decompress(unpack));
    EXPECT_EQ(ReadAll(dir.filePath(QStringLiteral("d/s.txt"))), data);
}

TEST(CCompressZip, CompressFailuresCarryTheirReason)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("existing.txt"));
    WriteAll(existing, "x");
    struct Row {
        const char *what;
        QString source;
        QString entry;
        QString archive;
        ZipFailure failure;
        int code;
    };
    const Row rows[] = {
        {"missing source", dir.filePath(QStringLiteral("missing")), QStringLiteral("m"), dir.filePath(QStringLiteral("a.zip")),
         ZipFailure::SourceUnreadable, ENOENT},
        {"directory as source", dir.path(), QStringLiteral("d"), dir.filePath(QStringLiteral("a.zip")), ZipFailure::FileError,
         EISDIR},
        {"archive in a missing directory", existing, QStringLiteral("e"), dir.filePath(QStringLiteral("no/a.zip")),
         ZipFailure::FileError, ENOENT},
        {"no entry name", existing, QString(), dir.filePath(QStringLiteral("a.zip")), ZipFailure::NoEntryName, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        CompressionRequest request = compressRequest(row.source, row.entry, row.archive);
        Recorder recorder;
        request.ProgressCallback = recorder.Callback();
        CCompressZip zip;
        const ZipResult result = zip.Compress(request);
        EXPECT_EQ(result.Failure(), row.failure);
        EXPECT_EQ(result.Code(), row.code);
        const QString expectedText = row.code != 0 ? ZipSystemErrorText(row.code) : QString();
        EXPECT_EQ(result.Text(), expectedText);
        EXPECT_EQ(zip.ErrorText(), expectedText);
        EXPECT_EQ(request.ErrorText, expectedText);
        EXPECT_EQ(recorder.ErrorTexts, std::vector<QString>{expectedText});
        if (QFileInfo::exists(row.archive)) {
            EXPECT_EQ(QFileInfo(row.archive).size(), 0);
        }
    }
}

TEST(CCompressZip, DecompressFailuresCarryTheirReason)
{
    QTemporaryDir dir;
    const QByteArray data = SampleData(5000, 24);
    const QString own = makeOwnArchive(dir, data);
    QByteArray crcBroken = ReadAll(own);
    const qsizetype central = Get32(crcBroken, EndRecordOffset(crcBroken) + 16);
    Put32(crcBroken, 14, Get32(crcBroken, 14) ^ 0x100);
    Put32(crcBroken, central + 16, Get32(crcBroken, 14));
    const QString crcArchive = dir.filePath(QStringLiteral("crc.zip"));
    WriteAll(crcArchive, crcBroken);
    const QString textFile = dir.filePath(QStringLiteral("text.zip"));
    WriteAll(textFile, "kein ZIP-Archiv");
    struct Row {
        const char *what;
        QString archive;
        ZipFailure failure;
        int code;
    };
    const Row rows[] = {
        {"missing archive", dir.filePath(QStringLiteral("missing.zip")), ZipFailure::FileError, ENOENT},
        {"not an archive", textFile, ZipFailure::ArchiveError, int(ZipCause::BadArchive)},
        {"CRC mismatch", crcArchive, ZipFailure::ArchiveError, int(ZipCause::BadCrc)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const QString dest = dir.filePath(QStringLiteral("dest"));
        CompressionRequest request = unpackRequest(row.archive, dest);
        Recorder recorder;
        request.ProgressCallback = recorder.Callback();
        CCompressZip zip;
        const ZipResult result = zip.Decompress(request);
        EXPECT_EQ(result.Failure(), row.failure);
        EXPECT_EQ(result.Code(), row.code);
        const QString expectedText = row.failure == ZipFailure::FileError ? ZipSystemErrorText(row.code) : QString();
        EXPECT_EQ(result.Text(), expectedText);
        EXPECT_EQ(request.ErrorText, expectedText);
        ASSERT_FALSE(recorder.ErrorTexts.empty());
        EXPECT_EQ(recorder.ErrorTexts.back(), expectedText);
        // Data that failed its check does not stay behind as if it were the file.
        EXPECT_FALSE(QFileInfo::exists(dest + QStringLiteral("/name.txt")));
    }
}

TEST(CCompressZip, ReadOnlyArchiveIsUnpackedAndLeftUntouched)
{
    QTemporaryDir dir;
    const QString archive = makeOwnArchive(dir, "inhalt");
    const QByteArray before = ReadAll(archive);
    setMode(archive, 0444);
    CompressionRequest request = unpackRequest(archive, dir.filePath(QStringLiteral("d")));
    CCompressZip zip;
    ASSERT_TRUE(zip.Decompress(request)) << zip.ErrorText().toStdString();
    EXPECT_EQ(ReadAll(dir.filePath(QStringLiteral("d/name.txt"))), QByteArray("inhalt"));
    EXPECT_EQ(ReadAll(archive), before);
}

TEST(CCompressZip, OneObjectServesSeveralOperations)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("s.txt"));
    WriteAll(source, "eins");
    CCompressZip zip;
    CompressionRequest broken = compressRequest(dir.filePath(QStringLiteral("missing")), QStringLiteral("m"),
                                                dir.filePath(QStringLiteral("m.zip")));
    EXPECT_FALSE(zip.Compress(broken));
    EXPECT_FALSE(zip.ErrorText().isEmpty());
    CompressionRequest good = compressRequest(source, QStringLiteral("s.txt"), dir.filePath(QStringLiteral("g.zip")));
    EXPECT_TRUE(zip.Compress(good));
    EXPECT_TRUE(zip.ErrorText().isEmpty());
    CompressionRequest unpack = unpackRequest(good.ArchivePath, dir.filePath(QStringLiteral("d")));
    EXPECT_TRUE(zip.Decompress(unpack));
    EXPECT_EQ(ReadAll(dir.filePath(QStringLiteral("d/s.txt"))), QByteArray("eins"));
}
