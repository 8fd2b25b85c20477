// Archives written here must open in other ZIP tools, and archives of Info-ZIP's zip must be
// read here. The tools are installed by scripts/setup.sh; a missing tool skips its test.
#include "ZipTestSupport.h"

#include "zip/CCompressZip.h"
#include "zip/CZipArchive.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ZipTest;

namespace {

struct ArchiveRow {
    const char *what;
    std::vector<Entry> entries;
    QString comment;
    int level;
};

std::vector<ArchiveRow> ownArchiveRows()
{
    return {
        {"two entries", {{QStringLiteral("sub/file.txt"), SampleData(100000, 11)}, {QStringLiteral("b.bin"), SampleData(10, 12)}},
         QStringLiteral("Compressed by Zelvaron"), -1},
        {"empty entry", {{QStringLiteral("empty.txt"), QByteArray()}}, QString(), 9},
        {"several chunks", {{QStringLiteral("x"), SampleData(700000, 13)}}, QStringLiteral("c"), 1},
        // Large entries are deflated in blocks on several threads.
        {"several deflate blocks", {{QStringLiteral("gross.txt"), SampleData(3 * 262144 + 12345, 14)},
                                    {QStringLiteral("genau.bin"), SampleData(262144, 15)}},
         QStringLiteral("Compressed by Zelvaron"), -1},
    };
}

QString crcText(const QByteArray &data)
{
    return QStringLiteral("%1").arg(Crc32(data), 8, 16, QLatin1Char('0')).toUpper();
}

// Values of "Key = value" lines of `7z l -slt`, in order.
QStringList sevenZipValues(const QByteArray &listing, const QString &key)
{
    QStringList values;
    const QString prefix = key + QStringLiteral(" = ");
    for (const QString &line : QString::fromUtf8(listing).split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix))
            values << line.mid(prefix.size()).trimmed();
    }
    return values;
}

QString writeSource(const QTemporaryDir &dir, const QString &name, const QByteArray &data, const QDateTime &modified)
{
    const QString path = dir.filePath(name);
    WriteAll(path, data);
    SetModificationTime(path, modified);
    return path;
}

QString compressOne(const QTemporaryDir &dir, const QString &source, const QString &entryName)
{
    CompressionRequest request;
    request.FilePath = source;
    request.EntryName = entryName;
    request.ArchivePath = dir.filePath(QStringLiteral("out.zip"));
    CCompressZip zip;
    EXPECT_TRUE(zip.Compress(request)) << zip.ErrorText().toStdString();
    return request.ArchivePath;
}

} // namespace

TEST(ZipInterop, InfoZipTestsOwnArchives)
{
    ZIP_REQUIRE_TOOL("unzip");
    for (const ArchiveRow &row : ownArchiveRows()) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("own.zip"));
        WriteArchive(path, row.entries, row.comment, row.level);
        const ToolResult test = RunTool(QStringLiteral("unzip"), {QStringLiteral("-t"), path});
        EXPECT_EQ(test.ExitCode, 0) << row.what << "\n" << test.Out.toStdString() << test.Err.toStdString();
        const ToolResult names = RunTool(QStringLiteral("unzip"), {QStringLiteral("-Z1"), path});
        QStringList expected;
        for (const Entry &entry : row.entries)
            expected << entry.Name;
        EXPECT_EQ(QString::fromUtf8(names.Out).split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected) << row.what;
        for (const Entry &entry : row.entries) {
            const ToolResult content = RunTool(QStringLiteral("unzip"), {QStringLiteral("-p"), path, entry.Name});
            EXPECT_EQ(content.Out, entry.Data) << row.what;
        }
        const ToolResult comment = RunTool(QStringLiteral("unzip"), {QStringLiteral("-z"), path});
        EXPECT_TRUE(QString::fromUtf8(comment.Out).contains(row.comment)) << row.what;
    }
}

TEST(ZipInterop, PythonZipfileReadsOwnArchives)
{
    ZIP_REQUIRE_TOOL("python3");
    for (const ArchiveRow &row : ownArchiveRows()) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("own.zip"));
        WriteArchive(path, row.entries, row.comment, row.level);
        const ReadBack own = ReadArchive(path);
        const QJsonObject view = PythonView(path);
        EXPECT_EQ(view.value(QStringLiteral("comment")).toString(), QString::fromLatin1(row.comment.toLatin1().toHex()))
            << row.what;
        EXPECT_TRUE(view.value(QStringLiteral("bad")).isNull()) << row.what;
        const QJsonArray entries = view.value(QStringLiteral("entries")).toArray();
        ASSERT_EQ(entries.size(), qsizetype(row.entries.size())) << row.what;
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const QJsonObject e = entries.at(i).toObject();
            const Entry &expected = row.entries[size_t(i)];
            EXPECT_EQ(e.value(QStringLiteral("name")).toString(), expected.Name) << row.what;
            EXPECT_EQ(e.value(QStringLiteral("size")).toInteger(), expected.Data.size()) << row.what;
            EXPECT_EQ(e.value(QStringLiteral("csize")).toInteger(), own.Headers[size_t(i)].CompressedSize) << row.what;
            EXPECT_EQ(e.value(QStringLiteral("crc")).toInteger(), Crc32(expected.Data)) << row.what;
            EXPECT_EQ(e.value(QStringLiteral("method")).toInt(), 8) << row.what;
            EXPECT_EQ(e.value(QStringLiteral("data")).toString(), QString::fromLatin1(expected.Data.toHex())) << row.what;
            EXPECT_TRUE(e.value(QStringLiteral("local_agrees")).toBool()) << row.what;
        }
    }
}

TEST(ZipInterop, SevenZipTestsOwnArchives)
{
    ZIP_REQUIRE_TOOL("7z");
    for (const ArchiveRow &row : ownArchiveRows()) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("own.zip"));
        WriteArchive(path, row.entries, row.comment, row.level);
        const ToolResult test = RunTool(QStringLiteral("7z"), {QStringLiteral("t"), path});
        EXPECT_EQ(test.ExitCode, 0) << row.what << "\n" << test.Out.toStdString();
        EXPECT_TRUE(test.Out.contains("Everything is Ok")) << row.what;
        const ToolResult list = RunTool(QStringLiteral("7z"), {QStringLiteral("l"), QStringLiteral("-slt"), path});
        QStringList paths;
        QStringList sizes;
        QStringList crcs;
        for (const Entry &entry : row.entries) {
            paths << entry.Name;
            sizes << QString::number(entry.Data.size());
            crcs << crcText(entry.Data);
        }
        // The first "Path" line names the archive itself.
        EXPECT_EQ(sevenZipValues(list.Out, QStringLiteral("Path")).mid(1), paths) << row.what;
        EXPECT_EQ(sevenZipValues(list.Out, QStringLiteral("Size")), sizes) << row.what;
        EXPECT_EQ(sevenZipValues(list.Out, QStringLiteral("CRC")), crcs) << row.what;
        if (!row.comment.isEmpty()) {
            EXPECT_EQ(sevenZipValues(list.Out, QStringLiteral("Comment")).value(0), row.comment) << row.what;
        }
    }
}

TEST(ZipInterop, EmptyFileGivesOneEntryOfSizeZeroWithCrcZero)
{
    ZIP_REQUIRE_TOOL("python3");
    ZIP_REQUIRE_TOOL("unzip");
    QTemporaryDir dir;
    const QString source = writeSource(dir, QStringLiteral("empty.txt"), QByteArray(), QDateTime::currentDateTime());
    const QString archive = compressOne(dir, source, QStringLiteral("empty.txt"));
    EXPECT_EQ(RunTool(QStringLiteral("unzip"), {QStringLiteral("-t"), archive}).ExitCode, 0);
    const QJsonArray entries = PythonView(archive).value(QStringLiteral("entries")).toArray();
    ASSERT_EQ(entries.size(), 1);
    const QJsonObject entry = entries.at(0).toObject();
    EXPECT_EQ(entry.value(QStringLiteral("name")).toString(), QStringLiteral("empty.txt"));
    EXPECT_EQ(entry.value(QStringLiteral("size")).toInt(), 0);
    EXPECT_EQ(entry.value(QStringLiteral("crc")).toInt(), 0);
    EXPECT_TRUE(entry.value(QStringLiteral("local_agrees")).toBool());
}

TEST(ZipInterop, FileFrom1975IsStoredAs1980)
{
    ZIP_REQUIRE_TOOL("python3");
    QTemporaryDir dir;
    const QString source = writeSource(dir, QStringLiteral("old.txt"), "alt",
                                       QDateTime(QDate(1975, 6, 15), QTime(12, 30, 10)));
    const QString archive = compressOne(dir, source, QStringLiteral("old.txt"));
    const QJsonObject entry = PythonView(archive).value(QStringLiteral("entries")).toArray().at(0).toObject();
    EXPECT_EQ(entry.value(QStringLiteral("date_time")).toArray(), QJsonArray({1980, 6, 15, 12, 30, 10}));
}

TEST(ZipInterop, UmlautNamesSurviveInfoZip)
{
    ZIP_REQUIRE_TOOL("unzip");
    QTemporaryDir dir;
    const QString name = QString::fromUtf16(u"Gr\u00F6\u00DFe/\u00C4rger \u00FCber \u00DF.txt");
    const QString source = writeSource(dir, QStringLiteral("s.txt"), "Inhalt", QDateTime::currentDateTime());
    const QString archive = compressOne(dir, source, name);
    const ToolResult names = RunTool(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive});
    EXPECT_EQ(QString::fromUtf8(names.Out).trimmed(), name);
    const QString out = dir.filePath(QStringLiteral("out"));
    const ToolResult extract = RunTool(QStringLiteral("unzip"), {QStringLiteral("-q"), archive, QStringLiteral("-d"), out});
    EXPECT_EQ(extract.ExitCode, 0) << extract.Err.toStdString();
    EXPECT_EQ(ReadAll(out + QLatin1Char('/') + name), QByteArray("Inhalt"));
}

TEST(ZipInterop, UmlautNamesSurvivePythonAndSevenZip)
{
    ZIP_REQUIRE_TOOL("python3");
    ZIP_REQUIRE_TOOL("7z");
    QTemporaryDir dir;
    const QString name = QString::fromUtf16(u"\u00C4\u00D6\u00DC \u00E4\u00F6\u00FC \u00DF.txt");
    const QString source = writeSource(dir, QStringLiteral("s.txt"), "Inhalt", QDateTime::currentDateTime());
    const QString archive = compressOne(dir, source, name);
    const QJsonObject entry = PythonView(archive).value(QStringLiteral("entries")).toArray().at(0).toObject();
    EXPECT_EQ(entry.value(QStringLiteral("name")).toString(), name);
    const ToolResult list = RunTool(QStringLiteral("7z"), {QStringLiteral("l"), QStringLiteral("-slt"), archive});
    EXPECT_EQ(sevenZipValues(list.Out, QStringLiteral("Path")).value(1), name);
}

namespace {

struct InfoZipRow {
    const char *what;
    const char *command;              // run in a directory holding f.txt and g.txt; makes a.zip
    QStringList names;
    int64_t bytesBefore;
    enum class Patch { None, DropDescriptorSignature, LongComment } patch;
};

// Removes the signature of the data descriptor behind the only entry.
QByteArray dropDescriptorSignature(QByteArray bytes)
{
    const qsizetype signature = bytes.indexOf(QByteArray("PK\x07\x08", 4));
    EXPECT_GT(signature, 0);
    bytes.remove(signature, 4);
    const qsizetype end = EndRecordOffset(bytes);
    Put32(bytes, end + 16, Get32(bytes, end + 16) - 4);
    return bytes;
}

QByteArray withLongComment(QByteArray bytes, const QByteArray &comment)
{
    const qsizetype end = EndRecordOffset(bytes);
    bytes.truncate(end + 20);
    bytes.append(static_cast<char>(comment.size() & 0xFF));
    bytes.append(static_cast<char>(comment.size() >> 8));
    return bytes + comment;
}

} // namespace

TEST(ZipInterop, InfoZipArchivesAreRead)
{
    ZIP_REQUIRE_TOOL("zip");
    const QStringList f = {QStringLiteral("f.txt")};
    const InfoZipRow rows[] = {
        {"stored", "zip -q -0 a.zip f.txt g.txt", {QStringLiteral("f.txt"), QStringLiteral("g.txt")}, 0, InfoZipRow::Patch::None},
        {"deflated", "zip -q a.zip f.txt g.txt", {QStringLiteral("f.txt"), QStringLiteral("g.txt")}, 0, InfoZipRow::Patch::None},
        {"maximum", "zip -q -9 a.zip f.txt", f, 0, InfoZipRow::Patch::None},
        {"data descriptor", "zip -q -fd a.zip f.txt", f, 0, InfoZipRow::Patch::None},
        {"descriptor without signature", "zip -q -fd a.zip f.txt", f, 0, InfoZipRow::Patch::DropDescriptorSignature},
        {"streamed", "cat f.txt | zip -q -fz- - - | cat > a.zip", {QStringLiteral("-")}, 0, InfoZipRow::Patch::None},
        {"100 bytes in front", "zip -q z.zip f.txt && { head -c 100 /dev/zero; cat z.zip; } > a.zip", f, 100,
         InfoZipRow::Patch::None},
        {"65535-byte comment", "zip -q a.zip f.txt", f, 0, InfoZipRow::Patch::LongComment},
    };
    const QByteArray longComment(65535, 'k');
    for (const InfoZipRow &row : rows) {
        QTemporaryDir dir;
        const QByteArray fData = SampleData(50000, 14);
        const QByteArray gData = SampleData(777, 15);
        WriteAll(dir.filePath(QStringLiteral("f.txt")), fData);
        WriteAll(dir.filePath(QStringLiteral("g.txt")), gData);
        const ToolResult made = RunShell(QString::fromLatin1(row.command), dir.path());
        ASSERT_EQ(made.ExitCode, 0) << row.what << ": " << made.Err.toStdString();
        const QString path = dir.filePath(QStringLiteral("a.zip"));
        if (row.patch == InfoZipRow::Patch::DropDescriptorSignature)
            WriteAll(path, dropDescriptorSignature(ReadAll(path)));
        if (row.patch == InfoZipRow::Patch::LongComment)
            WriteAll(path, withLongComment(ReadAll(path), longComment));

        ReadBack back;
        const std::optional<ZipCause> cause = CauseOf([&] { back = ReadArchive(path); });
        ASSERT_FALSE(cause.has_value()) << row.what << ": cause " << static_cast<int>(*cause);
        ASSERT_EQ(back.Headers.size(), size_t(row.names.size())) << row.what;
        EXPECT_EQ(back.BytesBefore, row.bytesBefore) << row.what;
        EXPECT_EQ(back.Comment.toLatin1(), row.patch == InfoZipRow::Patch::LongComment ? longComment : QByteArray())
            << row.what;
        for (size_t i = 0; i < back.Headers.size(); ++i) {
            EXPECT_EQ(back.Headers[i].Name, row.names.at(qsizetype(i))) << row.what;
            EXPECT_EQ(back.Data[i], row.names.at(qsizetype(i)) == QStringLiteral("g.txt") ? gData : fData) << row.what;
        }
    }
}

// Streaming into a file makes Info-ZIP write ZIP64 headers, which this container does not read.
TEST(ZipInterop, Zip64ArchivesAreRefusedCleanly)
{
    ZIP_REQUIRE_TOOL("zip");
    for (const char *command : {"cat f.txt | zip -q - - > a.zip", "cat f.txt | zip -q - - | cat > a.zip"}) {
        QTemporaryDir dir;
        WriteAll(dir.filePath(QStringLiteral("f.txt")), SampleData(3000, 16));
        ASSERT_EQ(RunShell(QString::fromLatin1(command), dir.path()).ExitCode, 0) << command;
        EXPECT_EQ(CauseOf([&] { ReadArchive(dir.filePath(QStringLiteral("a.zip"))); }), ZipCause::BadArchive)
            << command;
    }
}
