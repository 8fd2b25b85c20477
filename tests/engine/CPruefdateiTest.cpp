#include "engine/CPruefdatei.h"

#include "engine/CheckFileFormat.h"
#include "platform/FaultInjection.h"
#include "platform/LastError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

// UTF-16LE bytes written independently of the code under test.
QByteArray utf16le(const QString &text)
{
    QByteArray bytes;
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xff));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

// The lines of a saved check file, sorted, because the file keeps no particular order.
QStringList savedLines(const QString &path)
{
    const QByteArray bytes = readBytes(path);
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        text.append(QChar(char16_t(uchar(bytes[i]) | (uchar(bytes[i + 1]) << 8))));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.last().isEmpty()) << "every line ends with CR LF";
    lines.removeLast();
    lines.sort();
    return lines;
}

struct FaultGuard {
    ~FaultGuard() { platform::fault::Disarm(); }
};

class CPruefdateiTest : public ::testing::Test {
protected:
    QString path(const QString &name) const { return dir.filePath(name); }
    QString checkPath() const { return path(QStringLiteral("pruef.txt")); }

    QTemporaryDir dir;
};

const QString kChecksum = QStringLiteral("0123456789abcdef0123456789abcdef");

} // namespace

TEST_F(CPruefdateiTest, LoadedLinesDecideWhetherAFileIsUnchanged)
{
    const QString specLine = QStringLiteral("c:\\t\\a.txt|1234|5|0123456789abcdef0123456789abcdef\r\n");
    const QString noChecksum = QStringLiteral("c:\\t\\a.txt|1234|5\r\n");
    const QString upperKey = QStringLiteral("C:\\T\\A.TXT");
    const QString upperSum = kChecksum.toUpper();
    const struct Row {
        const char *what;
        QString content;
        bool bom;
        QString key;
        qint64 time;
        qint64 size;
        QString checksum;
        bool unchanged;
        qsizetype entries;
    } rows[] = {
        {"same state, checksum in capitals", specLine, false, upperKey, 1234, 5, upperSum, true, 1},
        {"other size", specLine, false, upperKey, 1234, 6, upperSum, false, 1},
        {"other time", specLine, false, upperKey, 1235, 5, QString(), false, 1},
        {"other checksum", specLine, false, upperKey, 1234, 5, QString(32, u'f'), false, 1},
        {"no checksum asked", specLine, false, upperKey, 1234, 5, QString(), true, 1},
        {"stored without checksum, one asked", noChecksum, false, upperKey, 1234, 5, upperSum, false, 1},
        {"stored without checksum, none asked", noChecksum, false, upperKey, 1234, 5, QString(), true, 1},
        {"trailing bar, empty checksum", QStringLiteral("c:\\t\\a.txt|1234|5|\r\n"), false, upperKey, 1234, 5,
         QString(), true, 1},
        {"line with one bar is ignored", QStringLiteral("c:\\t\\a.txt|1234\r\n"), false, upperKey, 1234, 0,
         QString(), false, 0},
        {"key stored in capitals never matches", QStringLiteral("C:\\T\\A.TXT|1234|5|\r\n"), false, upperKey,
         1234, 5, QString(), false, 1},
        {"byte-order mark is skipped", specLine, true, upperKey, 1234, 5, kChecksum, true, 1},
        {"malformed lines around a good one",
         QStringLiteral("\r\nno bars\r\n|\r\n/a|1|2|\r\n\r\nonly|one\r\n"), false, QStringLiteral("/A"), 1, 2,
         QString(), true, 1},
        {"numbers: blanks, sign, trailing junk", QStringLiteral("/a|  12abc|-7|x\r\n"), false,
         QStringLiteral("/a"), 12, -7, QStringLiteral("X"), true, 1},
        {"a time that is no number becomes 0", QStringLiteral("/a|abc|5|\r\n"), false, QStringLiteral("/a"),
         0, 5, QString(), true, 1},
        {"a fifth field is ignored", QStringLiteral("/a|1|2|cs|more\r\n"), false, QStringLiteral("/a"), 1, 2,
         QStringLiteral("cs"), true, 1},
        {"a bare LF ends a line too", QStringLiteral("/a|1|2|cs\n/b|3|4|\n"), false, QStringLiteral("/b"), 3, 4,
         QString(), true, 2},
        {"a line is cut at its first CR", QStringLiteral("/a|1|2|cs\rjunk\r\n"), false, QStringLiteral("/a"), 1,
         2, QStringLiteral("cs"), true, 1},
        {"a later line replaces an earlier one", QStringLiteral("/a|1|2|\r\n/a|3|4|\r\n"), false,
         QStringLiteral("/a"), 3, 4, QString(), true, 1},
        {"the last line needs no line break", QStringLiteral("/a|1|2|cs"), false, QStringLiteral("/a"), 1, 2,
         QStringLiteral("cs"), true, 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        QByteArray bytes = row.bom ? QByteArray("\xff\xfe", 2) : QByteArray();
        writeBytes(checkPath(), bytes + utf16le(row.content));
        CPruefdatei check;
        ASSERT_TRUE(check.Load(checkPath()));
        EXPECT_EQ(check.EntryCount(), row.entries);
        EXPECT_EQ(check.IsUnchanged(row.key, row.time, row.size, row.checksum), row.unchanged);
    }
}

TEST_F(CPruefdateiTest, LoadedEntryHoldsTheFieldsOfItsLine)
{
    writeBytes(checkPath(), utf16le(QStringLiteral("c:\\t\\a.txt|1234|5|0123456789abcdef0123456789abcdef\r\n")));
    CPruefdatei check;
    ASSERT_TRUE(check.Load(checkPath()));
    const auto entry = check.FindEntry(QStringLiteral("c:\\t\\a.txt"));
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->Time, 1234);
    EXPECT_EQ(entry->Size, 5);
    EXPECT_TRUE(entry->Valid);
    EXPECT_EQ(entry->Checksum, kChecksum);
    EXPECT_EQ(check.GetPath(), checkPath());
}

TEST_F(CPruefdateiTest, KeyStoredInCapitalsIsWrittenBackUnchanged)
{
    const QString line = QStringLiteral("C:\\T\\A.TXT|1234|5|ABC\r\n");
    writeBytes(checkPath(), utf16le(line));
    CPruefdatei check;
    ASSERT_TRUE(check.Load(checkPath()));
    EXPECT_FALSE(check.FindEntry(QStringLiteral("C:\\T\\A.TXT")).has_value());
    ASSERT_TRUE(check.Save());
    EXPECT_EQ(readBytes(checkPath()), utf16le(line));
}

TEST_F(CPruefdateiTest, NewEntriesAreSavedUnderLowerCaseKeys)
{
    CPruefdatei check;
    EXPECT_FALSE(check.Load(checkPath())) << "the file does not exist yet";
    ASSERT_TRUE(check.IsEnabled());
    check.SetEntry(QStringLiteral("/Ziel/Ä/Brief.TXT"), 133, 10, QStringLiteral("AbC"));
    check.SetEntry(QStringLiteral("/ziel/neg"), -5, -1, QString());
    check.SetEntry(QStringLiteral("/ziel/gone"), 1, 1, QString());
    check.SetEntry(QStringLiteral("/ziel/NEG"), -6, -2, QString());
    check.RemoveEntry(QStringLiteral("/ZIEL/GONE"));
    ASSERT_TRUE(check.Save());
    // Only ASCII letters are folded; the umlaut stays as it was.
    EXPECT_EQ(savedLines(checkPath()),
              QStringList({QStringLiteral("/ziel/neg|-6|-2|"), QStringLiteral("/ziel/Ä/brief.txt|133|10|AbC")}));

    CPruefdatei again;
    ASSERT_TRUE(again.Load(checkPath()));
    EXPECT_TRUE(again.IsUnchanged(QStringLiteral("/ZIEL/Ä/BRIEF.txt"), 133, 10, QStringLiteral("abc")));
    EXPECT_FALSE(again.IsUnchanged(QStringLiteral("/ziel/ä/brief.txt"), 133, 10, QString()));
    EXPECT_TRUE(again.IsUnchanged(QStringLiteral("/ziel/neg"), -6, -2, QString()));
}

TEST_F(CPruefdateiTest, SavedLineHasTheExactBytesOfTheRecordFormat)
{
    CPruefdatei check;
    check.Load(checkPath());
    check.SetEntry(QStringLiteral("/z/a"), 132000000000000000, 4096, kChecksum);
    ASSERT_TRUE(check.Save());
    QByteArray expected;
    for (char c : QByteArray("/z/a|132000000000000000|4096|0123456789abcdef0123456789abcdef\r\n"))
        expected.append(c).append('\0');
    EXPECT_EQ(readBytes(checkPath()), expected);
}

TEST_F(CPruefdateiTest, OffCheckFileTakesNoEntriesAndSavesNothing)
{
    CPruefdatei check;
    EXPECT_FALSE(check.IsEnabled());
    EXPECT_FALSE(check.Load(QString()));
    EXPECT_FALSE(check.IsEnabled());
    check.SetEntry(QStringLiteral("/a"), 1, 2, QString());
    EXPECT_EQ(check.EntryCount(), 0);
    EXPECT_FALSE(check.IsUnchanged(QStringLiteral("/a"), 1, 2, QString()));
    EXPECT_FALSE(check.Save());
}

TEST_F(CPruefdateiTest, ClearForgetsEntriesAndPath)
{
    writeBytes(checkPath(), utf16le(QStringLiteral("/a|1|2|\r\n")));
    CPruefdatei check;
    ASSERT_TRUE(check.Load(checkPath()));
    check.Clear();
    EXPECT_FALSE(check.IsEnabled());
    EXPECT_EQ(check.EntryCount(), 0);
    EXPECT_FALSE(check.IsUnchanged(QStringLiteral("/a"), 1, 2, QString()));

    writeBytes(path(QStringLiteral("other.txt")), utf16le(QStringLiteral("/b|1|2|\r\n")));
    ASSERT_TRUE(check.Load(checkPath()));
    ASSERT_TRUE(check.Load(path(QStringLiteral("other.txt"))));
    EXPECT_FALSE(check.FindEntry(QStringLiteral("/a")).has_value()) << "a new load starts empty";
    EXPECT_TRUE(check.FindEntry(QStringLiteral("/b")).has_value());
}

TEST_F(CPruefdateiTest, EntriesThatCannotBeOneLineAreNotKept)
{
    const struct {
        const char *what;
        QString key;
        QString checksum;
    } rows[] = {
        {"bar in the name", QStringLiteral("/z/a|1|2|b"), QString()},
        {"CR in the name", QStringLiteral("/z/a\rb"), QString()},
        {"LF in the name", QStringLiteral("/z/a\n/z/b|1|2|"), QString()},
        {"bar in the checksum", QStringLiteral("/z/c"), QStringLiteral("ab|cd")},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        CPruefdatei check;
        check.Load(checkPath());
        check.SetEntry(row.key, 1, 2, QStringLiteral("x"));
        check.SetEntry(row.key, 1, 2, row.checksum);
        check.SetEntry(QStringLiteral("/z/plain"), 3, 4, QString());
        EXPECT_FALSE(check.FindEntry(row.key).has_value()) << "an earlier entry of the key is dropped too";
        EXPECT_FALSE(check.IsUnchanged(row.key, 1, 2, QString()));
        ASSERT_TRUE(check.Save());
        EXPECT_EQ(savedLines(checkPath()), QStringList({QStringLiteral("/z/plain|3|4|")}));
    }
}

TEST_F(CPruefdateiTest, NameThatIsNotUtf8SurvivesSaveAndLoad)
{
    // A listed name with the byte 0xFF carries the unpaired surrogate U+DCFF.
    const QString key = QStringLiteral("/z/a") + QChar(char16_t(0xDCFF)) + QStringLiteral(".txt");
    CPruefdatei check;
    check.Load(checkPath());
    check.SetEntry(key, 7, 8, QString());
    ASSERT_TRUE(check.Save());
    CPruefdatei again;
    ASSERT_TRUE(again.Load(checkPath()));
    EXPECT_TRUE(again.IsUnchanged(key, 7, 8, QString()));
}

TEST_F(CPruefdateiTest, ConcurrentChangesFromThreeWorkersKeepTheMapConsistent)
{
    constexpr int kPerWorker = 20000;
    CPruefdatei check;
    check.Load(checkPath());
    auto key = [](int worker, int i) { return QStringLiteral("/Z/W%1/F%2").arg(worker).arg(i); };
    std::vector<std::thread> workers;
    for (int w = 0; w < 3; ++w) {
        workers.emplace_back([&, w] {
            for (int i = 0; i < kPerWorker; ++i) {
                check.SetEntry(key(w, i), i, w, QString());
                check.IsUnchanged(key((w + 1) % 3, i), i, (w + 1) % 3, QString());
                check.SetEntry(QStringLiteral("/z/shared"), w, i, QString());
                if (i % 2 == 1)
                    check.RemoveEntry(key(w, i));
                check.RemoveEntry(QStringLiteral("/z/shared"));
            }
        });
    }
    for (auto &t : workers)
        t.join();
    EXPECT_EQ(check.EntryCount(), 3 * kPerWorker / 2);
    for (int w = 0; w < 3; ++w) {
        for (int i = 0; i < kPerWorker; ++i) {
            const bool kept = i % 2 == 0;
            ASSERT_EQ(check.IsUnchanged(key(w, i), i, w, QString()), kept) << w << " " << i;
        }
    }
    EXPECT_FALSE(check.FindEntry(QStringLiteral("/z/shared")).has_value());
}

TEST_F(CPruefdateiTest, FailedSaveKeepsThePreviousFile)
{
    const QByteArray previous = utf16le(QStringLiteral("/alt|1|2|\r\n"));
    const struct {
        const char *what;
        platform::fault::Operation operation;
        int nthCall;
    } rows[] = {
        {"temporary name", platform::fault::Operation::Open, 1},
        {"opening the new file", platform::fault::Operation::Open, 2},
        {"writing", platform::fault::Operation::Write, 1},
        {"closing", platform::fault::Operation::Close, 1},
        {"renaming over the old file", platform::fault::Operation::Rename, 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        writeBytes(checkPath(), previous);
        CPruefdatei check;
        ASSERT_TRUE(check.Load(checkPath()));
        check.SetEntry(QStringLiteral("/neu"), 3, 4, QString());
        {
            FaultGuard guard;
            platform::fault::Arm(row.operation, row.nthCall, ENOSPC);
            EXPECT_FALSE(check.Save());
            EXPECT_EQ(platform::LastError(), ENOSPC);
        }
        EXPECT_EQ(readBytes(checkPath()), previous);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({QStringLiteral("pruef.txt")}))
            << "no temporary file is left behind";
        ASSERT_TRUE(check.Save()) << "the entries are still there for another try";
        EXPECT_EQ(savedLines(checkPath()), QStringList({QStringLiteral("/alt|1|2|"), QStringLiteral("/neu|3|4|")}));
    }
}

TEST_F(CPruefdateiTest, ReadOnlyCheckFileIsNotReplaced)
{
    const QByteArray previous = utf16le(QStringLiteral("/alt|1|2|\r\n"));
    writeBytes(checkPath(), previous);
    ASSERT_TRUE(QFile::setPermissions(checkPath(), QFile::ReadOwner | QFile::ReadGroup));
    CPruefdatei check;
    ASSERT_TRUE(check.Load(checkPath()));
    check.SetEntry(QStringLiteral("/neu"), 3, 4, QString());
    EXPECT_FALSE(check.Save());
    EXPECT_EQ(platform::LastError(), EACCES);
    EXPECT_EQ(readBytes(checkPath()), previous);
}

TEST_F(CPruefdateiTest, SavedFileKeepsThePermissionsOfTheOldOne)
{
    writeBytes(checkPath(), utf16le(QStringLiteral("/alt|1|2|\r\n")));
    const QByteArray name = QFile::encodeName(checkPath());
    ASSERT_EQ(::chmod(name.constData(), 0644), 0);
    CPruefdatei check;
    ASSERT_TRUE(check.Load(checkPath()));
    ASSERT_TRUE(check.Save());
    struct stat st{};
    ASSERT_EQ(::stat(name.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(CPruefdateiTest, ReadErrorKeepsOnlyCompleteLines)
{
    // Load reads 64 KiB at a time. The first line is long enough that the first read ends
    // inside the size field of the second line; the second read fails.
    const QString second = QStringLiteral("/z/b|100|123456|\r\n");
    const qsizetype firstReadChars = 65536 / 2;
    const qsizetype cutInSecond = second.indexOf(QStringLiteral("456"));
    const QString firstLineFrame = QStringLiteral("/|1|1|\r\n");
    QString content = QStringLiteral("/") + QString(firstReadChars - cutInSecond - firstLineFrame.size(), u'p')
        + QStringLiteral("|1|1|\r\n");
    ASSERT_EQ(content.size() + cutInSecond, firstReadChars);
    content += second + QStringLiteral("/z/c|1|2|\r\n").repeated(100);
    writeBytes(checkPath(), utf16le(content));
    CPruefdatei check;
    {
        FaultGuard guard;
        platform::fault::Arm(platform::fault::Operation::Read, 2, EIO);
        EXPECT_FALSE(check.Load(checkPath()));
    }
    EXPECT_TRUE(check.IsEnabled());
    EXPECT_EQ(check.EntryCount(), 1);
    EXPECT_FALSE(check.FindEntry(QStringLiteral("/z/b")).has_value()) << "a line cut short is not taken";
}

// A save that would only write back what the file says leaves the file alone, so a run that
// copied nothing does not rewrite a check file of many megabytes.
TEST_F(CPruefdateiTest, SaveRewritesTheFileOnlyWhenItWouldSayAnythingNew)
{
    const QByteArray previous = utf16le(QStringLiteral("/a|1|2|x\r\n/b|3|4|\r\n"));
    const struct {
        const char *what;
        std::function<void(CPruefdatei &, const QString &)> change;
        bool rewritten;
    } rows[] = {
        {"nothing", [](CPruefdatei &, const QString &) {}, false},
        {"an entry set to what it was", [](CPruefdatei &c, const QString &) {
             c.SetEntry(QStringLiteral("/A"), 1, 2, QStringLiteral("x"));
         }, false},
        {"removing a key that is not there", [](CPruefdatei &c, const QString &) {
             c.RemoveEntry(QStringLiteral("/c"));
         }, false},
        {"a new entry", [](CPruefdatei &c, const QString &) { c.SetEntry(QStringLiteral("/c"), 5, 6, QString()); }, true},
        {"another time", [](CPruefdatei &c, const QString &) { c.SetEntry(QStringLiteral("/a"), 9, 2, QStringLiteral("x")); }, true},
        {"another checksum", [](CPruefdatei &c, const QString &) { c.SetEntry(QStringLiteral("/b"), 3, 4, QStringLiteral("y")); }, true},
        {"a removed entry", [](CPruefdatei &c, const QString &) { c.RemoveEntry(QStringLiteral("/B")); }, true},
        {"an entry that cannot be written", [](CPruefdatei &c, const QString &) {
             c.SetEntry(QStringLiteral("/a"), 1, 2, QStringLiteral("x|y"));
         }, true},
        {"the file replaced by another program", [](CPruefdatei &, const QString &file) {
             writeBytes(file + QStringLiteral(".neu"), utf16le(QStringLiteral("/fremd|7|7|\r\n")));
             ASSERT_EQ(::rename(QFile::encodeName(file + QStringLiteral(".neu")).constData(),
                                QFile::encodeName(file).constData()), 0);
         }, true},
        {"the file deleted", [](CPruefdatei &, const QString &file) { ASSERT_TRUE(QFile::remove(file)); }, true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        writeBytes(checkPath(), previous);
        CPruefdatei check;
        ASSERT_TRUE(check.Load(checkPath()));
        struct stat before{};
        ASSERT_EQ(::stat(QFile::encodeName(checkPath()).constData(), &before), 0);
        row.change(check, checkPath());
        ASSERT_TRUE(check.Save());
        struct stat after{};
        ASSERT_EQ(::stat(QFile::encodeName(checkPath()).constData(), &after), 0);
        // Inode numbers are reused, so only an untouched file can be told by its inode.
        if (!row.rewritten) {
            EXPECT_EQ(after.st_ino, before.st_ino);
            EXPECT_EQ(readBytes(checkPath()), previous);
        }
        CPruefdatei reloaded;
        ASSERT_TRUE(reloaded.Load(checkPath()));
        EXPECT_EQ(reloaded.EntryCount(), check.EntryCount()) << "the file holds what memory holds";
        for (const char *key : {"/a", "/b", "/c", "/fremd"}) {
            const auto saved = reloaded.FindEntry(QString::fromLatin1(key));
            const auto held = check.FindEntry(QString::fromLatin1(key));
            ASSERT_EQ(saved.has_value(), held.has_value()) << key;
            if (held) {
                EXPECT_EQ(saved->Time, held->Time) << key;
                EXPECT_EQ(saved->Size, held->Size) << key;
                EXPECT_EQ(saved->Checksum, held->Checksum) << key;
            }
        }
    }
}

TEST_F(CPruefdateiTest, CheckFileThatDidNotExistIsCreatedEvenWithoutEntries)
{
    CPruefdatei check;
    EXPECT_FALSE(check.Load(checkPath()));
    ASSERT_TRUE(check.Save());
    EXPECT_EQ(readBytes(checkPath()), QByteArray());
    ASSERT_TRUE(check.Save()) << "a second save of the same entries";
    EXPECT_EQ(readBytes(checkPath()), QByteArray());
}

TEST_F(CPruefdateiTest, ChecksumOfKnownContents)
{
    const struct {
        const char *what;
        QByteArray content;
        QString md5;
    } rows[] = {
        {"empty file", QByteArray(), QStringLiteral("d41d8cd98f00b204e9800998ecf8427e")},
        {"abc", QByteArray("abc"), QStringLiteral("900150983cd24fb0d6963f7d28e17f72")},
        {"sentence", QByteArray("The quick brown fox jumps over the lazy dog"),
         QStringLiteral("9e107d9d372bb6826bd81d3542a419d6")},
        {"a million a, many chunks", QByteArray(1000000, 'a'), QStringLiteral("7707d6ae4e027c70eea2a935c2296f21")},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        writeBytes(path(QStringLiteral("f")), row.content);
        EXPECT_EQ(CPruefdatei::ComputeFileChecksum(path(QStringLiteral("f"))), row.md5);
    }
}

TEST_F(CPruefdateiTest, ChecksumAroundTheChunkSize)
{
    for (qsizetype size : {qsizetype(63999), qsizetype(64000), qsizetype(64001), qsizetype(128000), qsizetype(200003),
                           qsizetype(16 * 64000), qsizetype(16 * 64000 + 1), qsizetype(21 * 64000 + 5)}) {
        QByteArray content(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            content[i] = char((i * 7 + i / 251) & 0xff);
        writeBytes(path(QStringLiteral("f")), content);
        const QString whole = QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Md5).toHex());
        EXPECT_EQ(CPruefdatei::ComputeFileChecksum(path(QStringLiteral("f"))), whole) << size;
    }
}

TEST_F(CPruefdateiTest, ChecksumIsEmptyWhenTheFileCannotBeRead)
{
    writeBytes(path(QStringLiteral("f")), QByteArray(150000, 'x'));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("fifo"))).constData(), 0600), 0);
    EXPECT_TRUE(CPruefdatei::ComputeFileChecksum(path(QStringLiteral("missing"))).isEmpty());
    EXPECT_TRUE(CPruefdatei::ComputeFileChecksum(dir.path()).isEmpty());
    EXPECT_TRUE(CPruefdatei::ComputeFileChecksum(path(QStringLiteral("fifo"))).isEmpty()) << "and no hang";
    writeBytes(path(QStringLiteral("large")), QByteArray(30 * 64000, 'y'));
    for (int nthRead : {2, 17, 25}) {
        SCOPED_TRACE(nthRead);
        FaultGuard guard;
        platform::fault::Arm(platform::fault::Operation::Read, nthRead, EIO);
        const QString file = nthRead == 2 ? QStringLiteral("f") : QStringLiteral("large");
        EXPECT_TRUE(CPruefdatei::ComputeFileChecksum(path(file)).isEmpty());
    }
}

TEST_F(CPruefdateiTest, ChecksumGivesUpOnceStopped)
{
    writeBytes(path(QStringLiteral("f")), QByteArray(300000, 'z'));
    const std::atomic<bool> stopped = true;
    EXPECT_TRUE(CPruefdatei::ComputeFileChecksum(path(QStringLiteral("f")), &stopped).isEmpty());
    const std::atomic<bool> running = false;
    EXPECT_EQ(CPruefdatei::ComputeFileChecksum(path(QStringLiteral("f")), &running).size(), 32);
}
