#include "ZipTestSupport.h"

#include "zip/CZipArchive.h"
#include "zip/CZipCodePage.h"
#include "zip/CZipMemoryTracker.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

using namespace ZipTest;

namespace {

// The fields of one entry as the raw bytes of an archive hold them, read without the
// module's own parsing code.
struct RawEntry {
    QByteArray Central;   // the 46 fixed bytes
    QByteArray Local;     // the 30 fixed bytes
    QByteArray CentralName;
    QByteArray LocalName;
    QByteArray CentralExtra;
    QByteArray LocalExtra;
    QByteArray Data;      // compressed data
};

struct RawArchive {
    QByteArray End;       // the 22 fixed bytes
    QByteArray Comment;
    std::vector<RawEntry> Entries;
};

RawArchive parseRaw(const QByteArray &bytes)
{
    RawArchive raw;
    const qsizetype end = EndRecordOffset(bytes);
    raw.End = bytes.mid(end, 22);
    raw.Comment = bytes.mid(end + 22, Get16(bytes, end + 20));
    qsizetype at = Get32(bytes, end + 16);
    for (int i = 0; i < Get16(bytes, end + 10); ++i) {
        RawEntry entry;
        entry.Central = bytes.mid(at, 46);
        const int nameLength = Get16(bytes, at + 28);
        const int extraLength = Get16(bytes, at + 30);
        entry.CentralName = bytes.mid(at + 46, nameLength);
        entry.CentralExtra = bytes.mid(at + 46 + nameLength, extraLength);
        const qsizetype local = Get32(bytes, at + 42);
        entry.Local = bytes.mid(local, 30);
        entry.LocalName = bytes.mid(local + 30, Get16(bytes, local + 26));
        entry.LocalExtra = bytes.mid(local + 30 + entry.LocalName.size(), Get16(bytes, local + 28));
        entry.Data = bytes.mid(local + 30 + entry.LocalName.size() + entry.LocalExtra.size(), Get32(bytes, at + 20));
        raw.Entries.push_back(entry);
        at += 46 + nameLength + extraLength + Get16(bytes, at + 32);
    }
    return raw;
}

QByteArray rawInflate(const QByteArray &compressed, qsizetype expectedSize)
{
    z_stream stream {};
    EXPECT_EQ(inflateInit2(&stream, -15), Z_OK);
    QByteArray out(expectedSize + 1, '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.constData()));
    stream.avail_in = static_cast<uInt>(compressed.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(inflate(&stream, Z_FINISH), Z_STREAM_END);
    out.truncate(static_cast<qsizetype>(stream.total_out));
    inflateEnd(&stream);
    return out;
}

CFileHeader named(const QString &name)
{
    CFileHeader header;
    header.Name = name;
    return header;
}

} // namespace

TEST(CZipArchiveWrite, HeadersDescribeTheDataExactly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.zip"));
    const std::vector<Entry> entries = {{QStringLiteral("sub/file.txt"), SampleData(100000, 1)},
                                        {QStringLiteral("b.bin"), SampleData(5000, 2)}};
    WriteArchive(path, entries, QStringLiteral("Kommentar"));
    const QByteArray bytes = ReadAll(path);
    const RawArchive raw = parseRaw(bytes);

    ASSERT_EQ(raw.Entries.size(), entries.size());
    EXPECT_EQ(raw.Comment, QByteArray("Kommentar"));
    EXPECT_EQ(Get16(raw.End, 8), 2);
    EXPECT_EQ(EndRecordOffset(bytes) + 22 + raw.Comment.size(), bytes.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const RawEntry &e = raw.Entries[i];
        SCOPED_TRACE(entries[i].Name.toStdString());
        EXPECT_EQ(Get32(e.Local, 0), 0x04034b50u);
        EXPECT_EQ(Get16(e.Local, 4), 20);                    // version needed
        EXPECT_EQ(Get16(e.Central, 4), 20);                  // version made by, MS-DOS
        EXPECT_EQ(Get16(e.Central, 6), 20);
        EXPECT_EQ(Get16(e.Local, 8), 8);                     // deflated
        EXPECT_EQ(e.Local.mid(6, 20), e.Central.mid(8, 20)); // flags, method, time, date, CRC, sizes
        EXPECT_EQ((Get16(e.Local, 6) & 0x08), 0);            // no data descriptor
        EXPECT_EQ(Get32(e.Central, 16), Crc32(entries[i].Data));
        EXPECT_EQ(Get32(e.Central, 24), static_cast<uint32_t>(entries[i].Data.size()));
        EXPECT_EQ(Get32(e.Central, 38), 0x20u);              // archive attribute
        EXPECT_EQ(e.LocalName, entries[i].Name.toLatin1());
        EXPECT_EQ(e.CentralName, e.LocalName);
        EXPECT_TRUE(e.LocalExtra.isEmpty());
        EXPECT_EQ(rawInflate(e.Data, entries[i].Data.size()), entries[i].Data);
    }
}

TEST(CZipArchiveWrite, FlagsFollowTheCompressionLevel)
{
    const std::pair<int, uint16_t> rows[] = {{-1, 0}, {0, 0}, {1, 6}, {2, 4}, {3, 0}, {6, 0}, {7, 0}, {8, 2}, {9, 2}};
    QTemporaryDir dir;
    for (const auto &[level, flags] : rows) {
        const QString path = dir.filePath(QStringLiteral("level%1.zip").arg(level));
        const QByteArray data = SampleData(20000, 3);
        WriteArchive(path, {{QStringLiteral("x"), data}}, QString(), level);
        const RawArchive raw = parseRaw(ReadAll(path));
        ASSERT_EQ(raw.Entries.size(), 1u);
        EXPECT_EQ(Get16(raw.Entries[0].Central, 8), flags) << "level " << level;
        EXPECT_EQ(Get16(raw.Entries[0].Local, 6), flags) << "level " << level;
        EXPECT_EQ(ReadArchive(path).Data.at(0), data) << "level " << level;
    }
}

TEST(CZipArchiveWrite, EmptyEntryStillHasADeflateStream)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("empty.zip"));
    WriteArchive(path, {{QStringLiteral("empty.txt"), QByteArray()}});
    const RawArchive raw = parseRaw(ReadAll(path));
    ASSERT_EQ(raw.Entries.size(), 1u);
    const RawEntry &e = raw.Entries[0];
    EXPECT_EQ(Get16(e.Central, 10), 8);
    EXPECT_EQ(Get32(e.Central, 16), 0u);
    EXPECT_EQ(Get32(e.Central, 24), 0u);
    EXPECT_GT(Get32(e.Central, 20), 0u);
    EXPECT_EQ(e.Local.mid(14, 12), e.Central.mid(16, 12));
    EXPECT_EQ(rawInflate(e.Data, 0), QByteArray());
}

TEST(CZipArchiveWrite, SourceGivesTimeAndAttributes)
{
    struct Row {
        QDateTime modified;
        mode_t mode;
        uint16_t date;
        uint32_t attributes;
    };
    const Row rows[] = {
        {QDateTime(QDate(2021, 3, 4), QTime(5, 6, 8)), 0644, (41 << 9) | (3 << 5) | 4, 0x20},
        {QDateTime(QDate(2021, 3, 4), QTime(5, 6, 8)), 0444, (41 << 9) | (3 << 5) | 4, 0x21},
        // A source from 1975 is stored as 1980 with its own month and day.
        {QDateTime(QDate(1975, 6, 15), QTime(12, 30, 0)), 0600, (0 << 9) | (6 << 5) | 15, 0x20},
    };
    QTemporaryDir dir;
    for (const Row &row : rows) {
        const QString source = dir.filePath(QStringLiteral("source"));
        QFile::remove(source);
        WriteAll(source, "data");
        SetModificationTime(source, row.modified);
        ASSERT_EQ(::chmod(QFile::encodeName(source).constData(), row.mode), 0);
        const QString path = dir.filePath(QStringLiteral("t.zip"));
        CZipArchive archive;
        archive.OpenArchive(path, ZipOpenMode::Create);
        const ZipBeginResult begun = archive.BeginEntry(named(QStringLiteral("s")), -1, source);
        EXPECT_TRUE(begun);
        archive.CloseArchive();
        const CFileHeader header = ReadArchive(path).Headers.at(0);
        EXPECT_EQ(header.DosDate, row.date) << row.modified.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(header.DosTime, (row.modified.time().hour() << 11) | (row.modified.time().minute() << 5)
                                      | (row.modified.time().second() / 2));
        EXPECT_EQ(header.ExternalAttributes, row.attributes) << std::oct << row.mode;
    }
}

TEST(CZipArchiveWrite, UnreadableSourceBeginsTheEntryButSaysSo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.zip"));
    CZipArchive archive;
    archive.OpenArchive(path, ZipOpenMode::Create);
    const ZipBeginResult begun = archive.BeginEntry(named(QStringLiteral("s")), -1, dir.filePath(QStringLiteral("missing")));
    EXPECT_FALSE(begun);
    EXPECT_EQ(begun.Outcome, ZipBeginResult::Status::SourceUnreadable);
    EXPECT_EQ(begun.ErrorCode, ENOENT);
    EXPECT_TRUE(archive.WriteEntryData("x", 1));
    archive.CloseArchive();
    const ReadBack back = ReadArchive(path);
    ASSERT_EQ(back.Headers.size(), 1u);
    EXPECT_EQ(back.Headers[0].ExternalAttributes, 0x20u);
    EXPECT_EQ(back.Data[0], QByteArray("x"));
}

TEST(CZipArchiveWrite, NamesAreStoredInCodePage850AndReadBackExactly)
{
    struct Row {
        const char16_t *name;
        bool carriesUtf8;   // only names that are not plain ASCII carry their UTF-8 form
    };
    const Row rows[] = {
        {u"Gr\u00F6\u00DFe/\u00C4rger \u00DF.txt", true},
        {u"Preis \u20AC.txt", true},
        {u"plain/ascii.txt", false},
    };
    QTemporaryDir dir;
    for (const Row &row : rows) {
        const QString name = QString::fromUtf16(row.name);
        const QString path = dir.filePath(QStringLiteral("n.zip"));
        WriteArchive(path, {{name, "x"}});
        const RawArchive raw = parseRaw(ReadAll(path));
        ASSERT_EQ(raw.Entries.size(), 1u);
        EXPECT_EQ(raw.Entries[0].CentralName, CZipCodePage::ToOem(name));
        EXPECT_EQ(raw.Entries[0].LocalName, CZipCodePage::ToOem(name));
        EXPECT_EQ(raw.Entries[0].CentralExtra.contains(name.toUtf8()), row.carriesUtf8);
        EXPECT_EQ(raw.Entries[0].LocalExtra, raw.Entries[0].CentralExtra);
        EXPECT_EQ(ReadArchive(path).Headers.at(0).Name, name);
    }
}

TEST(CZipArchiveWrite, EmptyNamesBecomeFileAndTheirNumber)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("e.zip"));
    WriteArchive(path, {{QString(), "a"}, {QStringLiteral("x"), "b"}, {QString(), "c"}});
    const ReadBack back = ReadArchive(path);
    ASSERT_EQ(back.Headers.size(), 3u);
    EXPECT_EQ(back.Headers[0].Name, QStringLiteral("file1"));
    EXPECT_EQ(back.Headers[1].Name, QStringLiteral("x"));
    EXPECT_EQ(back.Headers[2].Name, QStringLiteral("file3"));
}

TEST(CZipArchiveWrite, NameLengthLimitIs65535Bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.zip"));
    const QString longest(65535, QLatin1Char('n'));
    WriteArchive(path, {{longest, "x"}});
    EXPECT_EQ(ReadArchive(path).Headers.at(0).Name, longest);

    CZipArchive archive;
    archive.OpenArchive(path, ZipOpenMode::Create);
    EXPECT_EQ(CauseOf([&] { archive.BeginEntry(named(QString(65536, QLatin1Char('n')))); }), ZipCause::NameTooLong);
    archive.CloseArchive(ZipCloseMode::AfterError);
}

TEST(CZipArchiveWrite, DirectoryEntriesAreStored)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.zip"));
    CZipArchive archive;
    archive.OpenArchive(path, ZipOpenMode::Create);
    CFileHeader header = named(QStringLiteral("sub/"));
    header.ExternalAttributes = 0x10;
    EXPECT_TRUE(archive.BeginEntry(header));
    archive.EndEntry();
    EXPECT_TRUE(archive.IsEntryDirectory(0));
    archive.CloseArchive();
    const RawArchive raw = parseRaw(ReadAll(path));
    ASSERT_EQ(raw.Entries.size(), 1u);
    EXPECT_EQ(Get16(raw.Entries[0].Local, 8), 0);
    EXPECT_EQ(Get16(raw.Entries[0].Central, 10), 0);
    EXPECT_EQ(Get16(raw.Entries[0].Central, 8), 0);
}

TEST(CZipArchiveWrite, OperationsOutsideTheirStateAreRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.zip"));
    CZipArchive archive;
    CFileHeader header;
    char buffer[4];
    EXPECT_TRUE(archive.IsArchiveClosed());
    EXPECT_FALSE(archive.SetArchiveComment(QStringLiteral("c")));
    EXPECT_TRUE(archive.GetArchiveComment().isEmpty());
    EXPECT_EQ(archive.BeginEntry(named(QStringLiteral("a"))).Outcome, ZipBeginResult::Status::Refused);
    EXPECT_FALSE(archive.WriteEntryData("x", 1));
    EXPECT_FALSE(archive.EndEntry());
    EXPECT_FALSE(archive.OpenEntry(0));
    EXPECT_EQ(archive.ReadEntryData(buffer, sizeof buffer), 0u);
    EXPECT_FALSE(archive.CloseEntry());
    EXPECT_FALSE(archive.GetEntryInfo(0, header));

    archive.OpenArchive(path, ZipOpenMode::Create);
    EXPECT_TRUE(archive.SetArchiveComment(QStringLiteral("c")));
    EXPECT_TRUE(archive.BeginEntry(named(QStringLiteral("a"))));
    EXPECT_EQ(archive.BeginEntry(named(QStringLiteral("b"))).Outcome, ZipBeginResult::Status::Refused);
    EXPECT_FALSE(archive.OpenEntry(0));
    EXPECT_FALSE(archive.GetEntryInfo(1, header));
    EXPECT_FALSE(archive.GetEntryInfo(-1, header));
    // Closing finishes the entry that is still open.
    archive.CloseArchive();
    EXPECT_EQ(ReadArchive(path).Headers.size(), 1u);

    archive.OpenArchive(path, ZipOpenMode::OpenReadOnly);
    EXPECT_EQ(archive.BeginEntry(named(QStringLiteral("b"))).Outcome, ZipBeginResult::Status::Refused);
    EXPECT_TRUE(archive.OpenEntry(0));
    EXPECT_FALSE(archive.OpenEntry(0));
    archive.CloseArchive();
}

TEST(CZipArchiveWrite, AnArchiveHoldsAtMost65535Entries)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("many.zip"));
    CZipArchive archive;
    archive.OpenArchive(path, ZipOpenMode::Create);
    CFileHeader stored;
    stored.Method = 0;
    for (int i = 0; i < 65535; ++i) {
        ASSERT_TRUE(archive.BeginEntry(stored)) << i;
        archive.EndEntry();
    }
    EXPECT_EQ(archive.BeginEntry(stored).Outcome, ZipBeginResult::Status::Refused);
    archive.CloseArchive();

    archive.OpenArchive(path, ZipOpenMode::OpenReadOnly);
    EXPECT_EQ(archive.GetEntryCount(), 65535);
    CFileHeader last;
    ASSERT_TRUE(archive.GetEntryInfo(65534, last));
    EXPECT_EQ(last.Name, QStringLiteral("file65535"));
    archive.CloseArchive();
}

// The data is never touched: the count alone makes the entry too large.
TEST(CZipArchiveWrite, EntryReaching4GiBIsRefused)
{
    const size_t hugeSize = size_t(1) << 32;
    void *huge = ::mmap(nullptr, hugeSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (huge == MAP_FAILED)
        GTEST_SKIP() << "cannot reserve 4 GiB of address space";
    QTemporaryDir dir;
    CZipArchive archive;
    archive.OpenArchive(dir.filePath(QStringLiteral("big.zip")), ZipOpenMode::Create);
    ASSERT_TRUE(archive.BeginEntry(named(QStringLiteral("big"))));
    EXPECT_TRUE(archive.WriteEntryData("0123456789", 10));
    EXPECT_EQ(CauseOf([&] { archive.WriteEntryData(huge, hugeSize - 10); }), ZipCause::TooLarge);
    EXPECT_EQ(CauseOf([&] { archive.WriteEntryData(huge, hugeSize - 11); }), ZipCause::TooLarge);
    archive.CloseArchive(ZipCloseMode::AfterError);
    ::munmap(huge, hugeSize);
}

// An existing archive behind almost 4 GiB of other (sparse) data cannot take one more entry.
TEST(CZipArchiveWrite, ArchiveReaching4GiBIsRefused)
{
    QTemporaryDir dir;
    const QString small = dir.filePath(QStringLiteral("small.zip"));
    WriteArchive(small, {{QStringLiteral("a"), "a"}});
    const QByteArray archiveBytes = ReadAll(small);
    const QString path = dir.filePath(QStringLiteral("sparse.zip"));
    const int64_t before = (int64_t(1) << 32) - 2 * archiveBytes.size();
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        if (!file.resize(before))
            GTEST_SKIP() << "the file system cannot hold a sparse 4 GiB file";
        ASSERT_TRUE(file.seek(before));
        ASSERT_EQ(file.write(archiveBytes), archiveBytes.size());
    }
    CZipArchive archive;
    archive.OpenArchive(path, ZipOpenMode::Open);
    EXPECT_EQ(archive.BytesBeforeZip(), before);
    const QByteArray data = SampleData(4000, 9);
    EXPECT_EQ(CauseOf([&] {
                  archive.BeginEntry(named(QStringLiteral("b")), 0);
                  archive.WriteEntryData(data.constData(), static_cast<size_t>(data.size()));
                  archive.CloseArchive();
              }),
              ZipCause::TooLarge);
    archive.CloseArchive(ZipCloseMode::AfterError);
    QFile::remove(path);
}

TEST(CZipArchiveWrite, EntriesCanBeAddedToAnExistingArchive)
{
    for (const int before : {0, 100}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("add.zip"));
        WriteArchive(path, {{QStringLiteral("first"), SampleData(3000, 4)}}, QStringLiteral("eins"));
        WriteAll(path, QByteArray(before, 'J') + ReadAll(path));
        CZipArchive archive;
        archive.OpenArchive(path, ZipOpenMode::Open);
        EXPECT_EQ(archive.GetArchiveComment(), QStringLiteral("eins"));
        archive.SetArchiveComment(QStringLiteral("zwei"));
        ASSERT_TRUE(archive.BeginEntry(named(QStringLiteral("second"))));
        const QByteArray data = SampleData(5000, 5);
        archive.WriteEntryData(data.constData(), static_cast<size_t>(data.size()));
        archive.CloseArchive();

        const ReadBack back = ReadArchive(path);
        EXPECT_EQ(back.BytesBefore, before);
        EXPECT_EQ(back.Comment, QStringLiteral("zwei"));
        ASSERT_EQ(back.Data.size(), 2u);
        EXPECT_EQ(back.Data[0], SampleData(3000, 4));
        EXPECT_EQ(back.Data[1], data);
    }
}

TEST(CZipArchiveWrite, AfterErrorCloseLeavesTheArchiveIncomplete)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.zip"));
    CZipArchive archive;
    archive.OpenArchive(path, ZipOpenMode::Create);
    ASSERT_TRUE(archive.BeginEntry(named(QStringLiteral("a"))));
    const QByteArray data = SampleData(200000, 6);
    archive.WriteEntryData(data.constData(), static_cast<size_t>(data.size()));
    archive.CloseArchive(ZipCloseMode::AfterError);
    EXPECT_TRUE(archive.IsArchiveClosed());
    EXPECT_EQ(EndRecordOffset(ReadAll(path)), -1);
    EXPECT_EQ(CauseOf([&] { ReadArchive(path); }), ZipCause::BadArchive);
}

TEST(CZipArchiveWrite, CommentIsCutTo65535Bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.zip"));
    WriteArchive(path, {{QStringLiteral("a"), "a"}}, QString(70000, QLatin1Char('k')));
    const QByteArray bytes = ReadAll(path);
    EXPECT_EQ(Get16(bytes, EndRecordOffset(bytes) + 20), 65535);
    EXPECT_EQ(ReadArchive(path).Comment, QString(65535, QLatin1Char('k')));
}

TEST(CZipMemoryTracker, FreesWhatAnAbandonedStreamHolds)
{
    CZipMemoryTracker tracker;
    z_stream stream {};
    stream.zalloc = &CZipMemoryTracker::Allocate;
    stream.zfree = &CZipMemoryTracker::Free;
    stream.opaque = &tracker;
    ASSERT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY), Z_OK);
    EXPECT_GT(tracker.BlockCount(), 0u);
    ASSERT_EQ(deflateEnd(&stream), Z_OK);
    EXPECT_EQ(tracker.BlockCount(), 0u);

    ASSERT_EQ(inflateInit2(&stream, -15), Z_OK);
    EXPECT_GT(tracker.BlockCount(), 0u);
    // The stream is dropped without inflateEnd, as after an error.
    tracker.ReleaseAll();
    EXPECT_EQ(tracker.BlockCount(), 0u);
}
