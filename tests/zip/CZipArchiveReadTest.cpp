#include "ZipTestSupport.h"

#include "zip/CZipArchive.h"
#include "zip/CZipFileException.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using namespace ZipTest;

namespace {

// A small archive with one deflated entry and the program's comment.
struct SmallArchive {
    QByteArray Bytes;
    QByteArray Data;
    qsizetype DataStart = 0;
    qsizetype DataEnd = 0;
    qsizetype DirectoryOffset = 0;
};

SmallArchive makeSmallArchive(const QTemporaryDir &dir, qsizetype dataSize = 2000)
{
    SmallArchive small;
    small.Data = SampleData(dataSize, 7);
    const QString path = dir.filePath(QStringLiteral("small.zip"));
    WriteArchive(path, {{QStringLiteral("sub/a.txt"), small.Data}}, QStringLiteral("Compressed by Zelvaron"));
    small.Bytes = ReadAll(path);
    small.DataStart = 30 + Get16(small.Bytes, 26) + Get16(small.Bytes, 28);
    small.DataEnd = small.DataStart + Get32(small.Bytes, 18);
    small.DirectoryOffset = Get32(small.Bytes, EndRecordOffset(small.Bytes) + 16);
    return small;
}

// Reads a variant of an archive; the data when it was read, or the cause it threw.
struct Outcome {
    std::optional<ZipCause> Cause;
    QByteArray Data;
};

Outcome readVariant(const QString &path, const QByteArray &bytes)
{
    WriteAll(path, bytes);
    Outcome outcome;
    outcome.Cause = CauseOf([&] {
        const ReadBack back = ReadArchive(path);
        for (const QByteArray &data : back.Data)
            outcome.Data += data;
    });
    return outcome;
}

// The archive with its entry moved behind a data descriptor.
QByteArray withDataDescriptor(const SmallArchive &small, bool signature, uint32_t crcDelta = 0)
{
    QByteArray bytes = small.Bytes;
    QByteArray descriptor;
    if (signature)
        descriptor.append("PK\x07\x08", 4);
    descriptor.append(bytes.mid(14, 12));
    Put32(descriptor, descriptor.size() - 12, Get32(bytes, 14) + crcDelta);
    bytes[6] = static_cast<char>(bytes[6] | 0x08);
    bytes[small.DirectoryOffset + 8] = static_cast<char>(bytes[small.DirectoryOffset + 8] | 0x08);
    for (int i = 14; i < 26; ++i)
        bytes[i] = 0;
    bytes.insert(small.DataEnd, descriptor);
    const qsizetype end = EndRecordOffset(bytes);
    Put32(bytes, end + 16, static_cast<uint32_t>(small.DirectoryOffset + descriptor.size()));
    return bytes;
}

const std::set<ZipCause> kDataCauses = {ZipCause::ZlibData, ZipCause::ZlibBuffer, ZipCause::BadArchive,
                                        ZipCause::BadCrc};

} // namespace

TEST(CZipArchiveRead, ReadsStoredDeflatedAndEmptyEntries)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.zip"));
    const QByteArray big = SampleData(300000, 8);
    {
        CZipArchive archive;
        archive.OpenArchive(path, ZipOpenMode::Create);
        CFileHeader stored;
        stored.Name = QStringLiteral("stored.bin");
        stored.Method = 0;
        archive.BeginEntry(stored);
        archive.WriteEntryData(big.constData(), static_cast<size_t>(big.size()));
        archive.EndEntry();
        CFileHeader empty;
        empty.Name = QStringLiteral("empty");
        archive.BeginEntry(empty);
        archive.EndEntry();
        CFileHeader deflated;
        deflated.Name = QStringLiteral("deflated.bin");
        archive.BeginEntry(deflated, 9);
        archive.WriteEntryData(big.constData(), static_cast<size_t>(big.size()));
        archive.CloseArchive();
    }
    const ReadBack back = ReadArchive(path);
    ASSERT_EQ(back.Data.size(), 3u);
    EXPECT_EQ(back.Headers[0].Method, 0);
    EXPECT_EQ(back.Data[0], big);
    EXPECT_EQ(back.Data[1], QByteArray());
    EXPECT_EQ(back.Headers[2].Method, 8);
    EXPECT_EQ(back.Data[2], big);
}

TEST(CZipArchiveRead, ReadingDeliversFullBuffersUntilTheEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.zip"));
    const QByteArray data = SampleData(100000, 10);
    WriteArchive(path, {{QStringLiteral("a"), data}});
    CZipArchive archive;
    archive.OpenArchive(path, ZipOpenMode::OpenReadOnly);
    ASSERT_TRUE(archive.OpenEntry(0));
    QByteArray chunk(30000, '\0');
    EXPECT_EQ(archive.ReadEntryData(chunk.data(), 30000), 30000u);
    EXPECT_EQ(archive.ReadEntryData(chunk.data(), 30000), 30000u);
    EXPECT_EQ(archive.ReadEntryData(chunk.data(), 30000), 30000u);
    EXPECT_EQ(archive.ReadEntryData(chunk.data(), 30000), 10000u);
    EXPECT_EQ(chunk.left(10000), data.right(10000));
    EXPECT_EQ(archive.ReadEntryData(chunk.data(), 30000), 0u);
    EXPECT_TRUE(archive.CloseEntry());
    archive.CloseArchive();
}

TEST(CZipArchiveRead, BytesInFrontOfTheArchiveAreSkipped)
{
    QTemporaryDir dir;
    const SmallArchive small = makeSmallArchive(dir);
    const QString path = dir.filePath(QStringLiteral("front.zip"));
    WriteAll(path, QByteArray(100, 'x') + small.Bytes);
    const ReadBack back = ReadArchive(path);
    EXPECT_EQ(back.BytesBefore, 100);
    ASSERT_EQ(back.Data.size(), 1u);
    EXPECT_EQ(back.Data[0], small.Data);
    EXPECT_EQ(back.Headers[0].Name, QStringLiteral("sub/a.txt"));
}

// The search reads 32768-byte blocks from the end that overlap by three bytes; these comment
// lengths put the end record's signature on, across and next to the first block boundary.
TEST(CZipArchiveRead, EndRecordIsFoundWhereverTheCommentPutsIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.zip"));
    for (const int length : {0, 1, 32743, 32744, 32745, 32746, 32747, 32748, 32749, 65512, 65534, 65535}) {
        const QString comment(length, QLatin1Char('c'));
        WriteArchive(path, {{QStringLiteral("a"), "abc"}}, comment);
        const ReadBack back = ReadArchive(path);
        EXPECT_EQ(back.Comment, comment) << length;
        EXPECT_EQ(back.Data.at(0), QByteArray("abc")) << length;
    }
}

// The search covers exactly the last 65557 bytes: a maximal comment with one more byte
// behind it hides the end record.
TEST(CZipArchiveRead, EndRecordBeyondTheSearchRangeIsNotFound)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.zip"));
    WriteArchive(path, {{QStringLiteral("a"), "abc"}}, QString(65535, QLatin1Char('c')));
    WriteAll(path, ReadAll(path) + "!");
    EXPECT_EQ(CauseOf([&] { ReadArchive(path); }), ZipCause::BadArchive);
}

TEST(CZipArchiveRead, EveryTruncationFailsToOpen)
{
    QTemporaryDir dir;
    const SmallArchive small = makeSmallArchive(dir);
    const QString path = dir.filePath(QStringLiteral("cut.zip"));
    for (qsizetype length = 0; length < small.Bytes.size(); ++length) {
        const Outcome outcome = readVariant(path, small.Bytes.left(length));
        EXPECT_EQ(outcome.Cause, ZipCause::BadArchive) << "length " << length;
    }
}

// With bytes missing from the entry data the archive still opens; reading the entry then fails,
// unless only the end-of-stream bits behind the last byte of output were lost (the data is
// then complete and its CRC agrees).
TEST(CZipArchiveRead, EntryDataCutShortFailsWhileReading)
{
    QTemporaryDir dir;
    const SmallArchive small = makeSmallArchive(dir);
    const QString path = dir.filePath(QStringLiteral("short.zip"));
    const qsizetype dataLength = small.DataEnd - small.DataStart;
    for (const qsizetype cut : {qsizetype(1), qsizetype(10), dataLength / 2, dataLength - 1}) {
        for (const qsizetype at : {small.DataStart, small.DataStart + dataLength / 3, small.DataEnd - cut}) {
            QByteArray bytes = small.Bytes;
            bytes.remove(at, cut);
            Put32(bytes, EndRecordOffset(bytes) + 16, static_cast<uint32_t>(small.DirectoryOffset - cut));
            const Outcome outcome = readVariant(path, bytes);
            if (!outcome.Cause) {
                EXPECT_EQ(outcome.Data, small.Data) << "cut " << cut << " at " << at;
                EXPECT_EQ(at + cut, small.DataEnd) << "cut " << cut << " at " << at;
                continue;
            }
            EXPECT_TRUE(kDataCauses.count(*outcome.Cause)) << "cut " << cut << " at " << at << ": "
                                                          << static_cast<int>(*outcome.Cause);
        }
    }
}

// Whatever single bit flips, reading either fails with a cause or delivers the original data.
TEST(CZipArchiveRead, NoFlippedBitGoesUnnoticed)
{
    QTemporaryDir dir;
    const SmallArchive small = makeSmallArchive(dir, 600);
    const QString path = dir.filePath(QStringLiteral("flip.zip"));
    const std::set<ZipCause> allowed = {ZipCause::ZlibErrno, ZipCause::ZlibStream, ZipCause::ZlibData,
                                        ZipCause::ZlibMemory, ZipCause::ZlibBuffer, ZipCause::BadArchive,
                                        ZipCause::BadCrc};
    for (qsizetype byte = 0; byte < small.Bytes.size(); ++byte) {
        for (int bit = 0; bit < 8; ++bit) {
            QByteArray bytes = small.Bytes;
            bytes[byte] = static_cast<char>(bytes[byte] ^ (1 << bit));
            const Outcome outcome = readVariant(path, bytes);
            if (!outcome.Cause) {
                EXPECT_EQ(outcome.Data, small.Data) << "byte " << byte << " bit " << bit;
                continue;
            }
            const bool inData = byte >= small.DataStart && byte < small.DataEnd;
            EXPECT_TRUE((inData ? kDataCauses : allowed).count(*outcome.Cause))
                << "byte " << byte << " bit " << bit << ": " << static_cast<int>(*outcome.Cause);
        }
    }
}

TEST(CZipArchiveRead, CrcIsCheckedOnlyAfterACompleteRead)
{
    QTemporaryDir dir;
    const SmallArchive small = makeSmallArchive(dir);
    QByteArray bytes = small.Bytes;
    Put32(bytes, 14, Get32(bytes, 14) ^ 1);
    Put32(bytes, small.DirectoryOffset + 16, Get32(bytes, 14));
    const QString path = dir.filePath(QStringLiteral("crc.zip"));
    EXPECT_EQ(readVariant(path, bytes).Cause, ZipCause::BadCrc);

    CZipArchive archive;
    archive.OpenArchive(path, ZipOpenMode::OpenReadOnly);
    ASSERT_TRUE(archive.OpenEntry(0));
    char part[100];
    EXPECT_EQ(archive.ReadEntryData(part, sizeof part), sizeof part);
    EXPECT_TRUE(archive.CloseEntry());
    archive.CloseArchive();
}

TEST(CZipArchiveRead, HeadersThatDisagreeOrAreUnsupportedAreRefused)
{
    QTemporaryDir dir;
    const SmallArchive small = makeSmallArchive(dir);
    const qsizetype central = small.DirectoryOffset;
    const qsizetype end = EndRecordOffset(small.Bytes);
    struct Row {
        const char *what;
        std::function<void(QByteArray &)> change;
    };
    const auto set16 = [](QByteArray &b, qsizetype at, uint16_t v) {
        b[at] = static_cast<char>(v & 0xFF);
        b[at + 1] = static_cast<char>(v >> 8);
    };
    const Row rows[] = {
        {"local signature", [](QByteArray &b) { b[3] = 5; }},
        {"local method", [&](QByteArray &b) { set16(b, 8, 0); }},
        {"local CRC", [](QByteArray &b) { Put32(b, 14, Get32(b, 14) + 1); }},
        {"local compressed size", [](QByteArray &b) { Put32(b, 18, Get32(b, 18) + 1); }},
        {"local size", [](QByteArray &b) { Put32(b, 22, Get32(b, 22) - 1); }},
        {"local name length", [&](QByteArray &b) { set16(b, 26, Get16(b, 26) - 1); }},
        {"central signature", [&](QByteArray &b) { b[central + 2] = 9; }},
        {"encrypted", [&](QByteArray &b) { b[6] = 1; b[central + 8] = 1; }},
        {"method 12", [&](QByteArray &b) { set16(b, 8, 12); set16(b, central + 10, 12); }},
        {"stored with two sizes", [&](QByteArray &b) { set16(b, 8, 0); set16(b, central + 10, 0); }},
        {"second disk", [&](QByteArray &b) { set16(b, end + 4, 1); }},
        {"directory on another disk", [&](QByteArray &b) { set16(b, end + 6, 1); }},
        {"entries on disk differ", [&](QByteArray &b) { set16(b, end + 8, 2); }},
        {"more entries than directory", [&](QByteArray &b) { set16(b, end + 8, 2); set16(b, end + 10, 2); }},
        {"entries without directory", [&](QByteArray &b) { Put32(b, end + 12, 0); }},
        {"directory beyond end record", [&](QByteArray &b) { Put32(b, end + 16, Get32(b, end + 16) + 1); }},
        {"directory size too large", [&](QByteArray &b) { Put32(b, end + 12, 0x7FFFFFFF); }},
        {"local header offset wrong", [&](QByteArray &b) { Put32(b, central + 42, 7); }},
        {"comment longer than file", [&](QByteArray &b) { set16(b, end + 20, 200); }},
    };
    const QString path = dir.filePath(QStringLiteral("bad.zip"));
    for (const Row &row : rows) {
        QByteArray bytes = small.Bytes;
        row.change(bytes);
        EXPECT_EQ(readVariant(path, bytes).Cause, ZipCause::BadArchive) << row.what;
    }
}

TEST(CZipArchiveRead, DataDescriptorsWithAndWithoutSignature)
{
    QTemporaryDir dir;
    const SmallArchive small = makeSmallArchive(dir);
    const QString path = dir.filePath(QStringLiteral("dd.zip"));
    for (const bool signature : {true, false}) {
        const Outcome good = readVariant(path, withDataDescriptor(small, signature));
        EXPECT_FALSE(good.Cause.has_value()) << "signature " << signature;
        EXPECT_EQ(good.Data, small.Data) << "signature " << signature;
        const Outcome wrong = readVariant(path, withDataDescriptor(small, signature, 1));
        EXPECT_EQ(wrong.Cause, ZipCause::BadArchive) << "signature " << signature;
    }
}

TEST(CZipArchiveRead, MissingArchiveIsAFileError)
{
    QTemporaryDir dir;
    CZipArchive archive;
    try {
        archive.OpenArchive(dir.filePath(QStringLiteral("missing.zip")), ZipOpenMode::OpenReadOnly);
        ADD_FAILURE() << "no exception";
    } catch (const CZipFileException &error) {
        EXPECT_EQ(error.ErrorCode(), ENOENT);
        EXPECT_TRUE(error.Description().endsWith(QStringLiteral("  (Fehlercode=2)\r\n")));
    }
    EXPECT_TRUE(archive.IsArchiveClosed());
}
