#include "model/RetryListReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray utf16le(const QString &text)
{
    QByteArray bytes;
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

} // namespace

TEST(RetryListReader, ParsesPairsAndSkipsWhatIsNoPair)
{
    struct Row {
        const char16_t *text;
        QStringList sources;
        QStringList targets;
    };
    const Row rows[] = {
        {u"a|b\r\n", {u"a"_s}, {u"b"_s}},
        {u"a|b|c\r\n", {u"a"_s}, {u"b"_s}},
        // An empty target still counts as present.
        {u"a|\r\n", {u"a"_s}, {u""_s}},
        {u"|b\r\n", {u""_s}, {u"b"_s}},
        {u"\r\n\r\nohne Strich\r\nx|y\r\n", {u"x"_s}, {u"y"_s}},
        // A line ends at LF and is cut at its first CR.
        {u"a|b\rrest|c\n", {u"a"_s}, {u"b"_s}},
        {u"a\r|b\n", {}, {}},
        {u"a|b", {u"a"_s}, {u"b"_s}},
        {u"a|b\nc|d\n", {u"a"_s, u"c"_s}, {u"b"_s, u"d"_s}},
        {u"", {}, {}},
        {u"/ü/ä ö|/ß/Ä\r\n", {u"/ü/ä ö"_s}, {u"/ß/Ä"_s}},
    };
    for (const Row &row : rows) {
        const model::RetryList list = model::ParseRetryList(QString::fromUtf16(row.text));
        EXPECT_EQ(list.Sources, row.sources) << QString::fromUtf16(row.text).toStdString();
        EXPECT_EQ(list.Targets, row.targets) << QString::fromUtf16(row.text).toStdString();
    }
}

TEST(RetryListReader, DecodesUtf16LeWithOrWithoutByteOrderMark)
{
    EXPECT_EQ(model::DecodeUtf16Le(utf16le(u"a|ü"_s)), u"a|ü"_s);
    EXPECT_EQ(model::DecodeUtf16Le(QByteArray("\xFF\xFE", 2) + utf16le(u"a|b"_s)), u"a|b"_s);
    // A mark counts only at the very start.
    EXPECT_EQ(model::DecodeUtf16Le(utf16le(u"a"_s) + QByteArray("\xFF\xFE", 2)), QString::fromUtf16(u"a\uFEFF"));
    EXPECT_EQ(model::DecodeUtf16Le(utf16le(u"ab"_s) + QByteArray("x", 1)), u"ab"_s);
    EXPECT_EQ(model::DecodeUtf16Le(QByteArray("\xFF\xFE", 2)), QString());
    // A lone surrogate is kept as it is stored.
    const QString decoded = model::DecodeUtf16Le(QByteArray("\x00\xD8", 2));
    ASSERT_EQ(decoded.size(), 1);
    EXPECT_EQ(decoded.at(0).unicode(), 0xD800);
}

TEST(RetryListReader, ReadsTheFileWithMarkEmptyLinesAndLinesWithoutBar)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = writeFile(dir, u"kopierdatei.txt"_s,
                                   QByteArray("\xFF\xFE", 2)
                                       + utf16le(u"\r\n/q/a.txt|/z/a.txt\r\nkein Paar\r\n/q/b|\r\na|b|c\r\n"_s));
    model::RetryList list;
    list.Sources = {u"alt"_s};
    EXPECT_FALSE(model::ReadRetryList(path, list).has_value());
    EXPECT_EQ(list.Sources, (QStringList{u"/q/a.txt"_s, u"/q/b"_s, u"a"_s}));
    EXPECT_EQ(list.Targets, (QStringList{u"/z/a.txt"_s, u""_s, u"b"_s}));
}

TEST(RetryListReader, UnreadableFilesAreErrorsAndLeaveTheListAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Row {
        QString path;
        int error;
    };
    const Row rows[] = {
        {dir.filePath(u"fehlt.txt"_s), ENOENT},
        {QString(), ENOENT},
        {dir.path(), EISDIR},
    };
    for (const Row &row : rows) {
        model::RetryList list;
        list.Sources = {u"alt"_s};
        const auto error = model::ReadRetryList(row.path, list);
        ASSERT_TRUE(error.has_value()) << row.path.toStdString();
        EXPECT_EQ(error->Path, row.path);
        EXPECT_EQ(error->ErrorCode, row.error) << row.path.toStdString();
        EXPECT_EQ(list.Sources, QStringList{u"alt"_s});
    }
}

TEST(RetryListReader, APipeIsRefusedInsteadOfWaitedOn)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"fifo"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    model::RetryList list;
    const auto error = model::ReadRetryList(path, list);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->ErrorCode, EINVAL);
}
