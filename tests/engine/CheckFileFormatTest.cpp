#include "engine/CheckFileFormat.h"

#include <QList>

#include <gtest/gtest.h>

#include <limits>

TEST(CheckFileFormat, NumbersReadLikeSignedDecimals)
{
    const struct {
        QString text;
        qint64 value;
    } rows[] = {
        {QStringLiteral("1234"), 1234},
        {QStringLiteral("   42"), 42},
        {QStringLiteral("\t-7x"), -7},
        {QStringLiteral("+3"), 3},
        {QStringLiteral("1 2"), 1},
        {QStringLiteral("abc"), 0},
        {QStringLiteral(""), 0},
        {QStringLiteral("-"), 0},
        {QStringLiteral("9223372036854775807"), std::numeric_limits<qint64>::max()},
        {QStringLiteral("-9223372036854775808"), std::numeric_limits<qint64>::min()},
        {QStringLiteral("99999999999999999999"), std::numeric_limits<qint64>::max()},
        {QStringLiteral("-99999999999999999999"), std::numeric_limits<qint64>::min()},
    };
    for (const auto &row : rows)
        EXPECT_EQ(ParseCheckNumber(row.text), row.value) << row.text.toStdString();
}

TEST(CheckFileFormat, LineFormatReadsBackAsTheSameEntry)
{
    const CheckLine lines[] = {
        {QStringLiteral("/z/a b.txt"), 132000000000000000, 4096, QStringLiteral("0123456789abcdef0123456789abcdef")},
        {QStringLiteral("/z/leer"), -1, 0, QString()},
        {QString(), 0, 0, QString()},
    };
    for (const CheckLine &line : lines) {
        const QString text = FormatCheckLine(line);
        ASSERT_TRUE(text.endsWith(QStringLiteral("\r\n")));
        const auto parsed = ParseCheckLine(QStringView(text).chopped(2));
        ASSERT_TRUE(parsed.has_value()) << text.toStdString();
        EXPECT_EQ(parsed->Key, line.Key);
        EXPECT_EQ(parsed->Time, line.Time);
        EXPECT_EQ(parsed->Size, line.Size);
        EXPECT_EQ(parsed->Checksum, line.Checksum);
    }
    EXPECT_EQ(FormatCheckLine({QStringLiteral("/z/x"), -5, 7, QStringLiteral("ab")}), QStringLiteral("/z/x|-5|7|ab\r\n"));
}

TEST(CheckFileFormat, AppendedLineIsTheFormattedLine)
{
    const CheckLine lines[] = {
        {QStringLiteral("/z/Größe 1.txt"), 133000000000000000, 4096, QStringLiteral("0123456789abcdef0123456789abcdef")},
        {QStringLiteral("/z/leer"), 0, 0, QString()},
        {QStringLiteral("/z/x"), -9223372036854775807 - 1, 9223372036854775807, QStringLiteral("ab")},
        {QStringLiteral("/z/y"), -10, 9, QString()},
        {QString(), 1, -1, QString()},
    };
    QString all = QStringLiteral("vorher\r\n");
    QString expected = all;
    for (const CheckLine &line : lines) {
        QString one;
        AppendCheckLine(one, line.Key, line.Time, line.Size, line.Checksum);
        EXPECT_EQ(one, FormatCheckLine(line));
        AppendCheckLine(all, line.Key, line.Time, line.Size, line.Checksum);
        expected += FormatCheckLine(line);
    }
    EXPECT_EQ(all, expected);
}

TEST(CheckFileFormat, OnlyTextsWithoutBarsAndLineBreaksFitInALine)
{
    const struct {
        QString text;
        bool fits;
    } rows[] = {
        {QStringLiteral("/z/ä ö.txt"), true},
        {QString(), true},
        {QStringLiteral("/z/a|b"), false},
        {QStringLiteral("/z/a\rb"), false},
        {QStringLiteral("/z/a\nb"), false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(FitsInCheckLine(row.text), row.fits) << row.text.toStdString();
}

TEST(CheckFileFormat, Utf16KeepsUnpairedSurrogates)
{
    const QString text = QStringLiteral("a") + QChar(char16_t(0xDC80)) + QStringLiteral("ß\r\n");
    const QByteArray bytes = EncodeUtf16Le(text);
    EXPECT_EQ(bytes, QByteArray("a\0\x80\xdc\xdf\0\r\0\n\0", 10));
    EXPECT_EQ(DecodeUtf16Le(bytes), text);
    EXPECT_EQ(DecodeUtf16Le(bytes + QByteArray("x")), text) << "an odd last byte is ignored";
}

// Bytes that do not start on an even address are decoded instead of being read in place; both
// ways must give the same lines.
TEST(CheckFileFormat, WholeFileGivesTheSameLinesWhereverItsBytesLie)
{
    const QString text = QStringLiteral("\uFEFF/a|1|2|cs\r\n/b\u00DF") + QChar(char16_t(0xDCFF))
        + QStringLiteral("|-3|4|\r\nno bars\r\n/c|5|6");
    const QByteArray bytes = EncodeUtf16Le(text) + QByteArray("x");
    QByteArray storage(bytes.size() + 1, '\0');
    for (qsizetype offset : {0, 1}) {
        SCOPED_TRACE(offset);
        std::copy(bytes.begin(), bytes.end(), storage.begin() + offset);
        const QByteArray placed = QByteArray::fromRawData(storage.constData() + offset, bytes.size());
        QList<CheckLine> lines;
        EXPECT_EQ(ForEachCheckLine(placed, [&lines](CheckLine &&line) { lines.append(std::move(line)); }), 3);
        ASSERT_EQ(lines.size(), 3);
        EXPECT_EQ(lines[0].Key, QStringLiteral("/a"));
        EXPECT_EQ(lines[0].Checksum, QStringLiteral("cs"));
        EXPECT_EQ(lines[1].Key, QStringLiteral("/b\u00DF") + QChar(char16_t(0xDCFF)));
        EXPECT_EQ(lines[1].Time, -3);
        EXPECT_EQ(lines[2].Key, QStringLiteral("/c"));
        EXPECT_EQ(lines[2].Size, 6);
        EXPECT_GE(CountCheckFileLines(placed), lines.size());
    }
}
