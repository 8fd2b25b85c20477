#include "platform/FileName.h"

#include "platform/CopyFile.h"
#include "platform/DirectoryListing.h"
#include "platform/FileInfo.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>

namespace {

QString Units(std::initializer_list<char16_t> units)
{
    return QString::fromUtf16(units.begin(), qsizetype(units.size()));
}

struct NameRow {
    QByteArray bytes;
    QString decoded;
};

void PrintTo(const NameRow &row, std::ostream *os)
{
    *os << "bytes " << row.bytes.toHex().constData();
}

class FileNameRoundTrip : public ::testing::TestWithParam<NameRow> {};

TEST_P(FileNameRoundTrip, DecodesAsExpectedAndEncodesBack)
{
    const NameRow &row = GetParam();
    const QString decoded = platform::DecodeFileName(row.bytes);
    EXPECT_EQ(decoded, row.decoded);
    EXPECT_EQ(platform::EncodeFileName(decoded), row.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileNameRoundTrip,
    ::testing::Values(NameRow{"plain.txt", QStringLiteral("plain.txt")},
                      NameRow{"", QString()},
                      NameRow{"\xC3\xA4rger", QString::fromUtf8("\xC3\xA4rger")},
                      NameRow{"\xF0\x9F\x98\x80", QString::fromUtf8("\xF0\x9F\x98\x80")},
                      NameRow{"a\xFF" "b", QStringLiteral("a") + QChar(char16_t(0xDCFF)) + QStringLiteral("b")},
                      // Latin-1 umlaut: not valid UTF-8 on its own.
                      NameRow{"\xE4rger", QChar(char16_t(0xDCE4)) + QStringLiteral("rger")},
                      // A truncated sequence at the end.
                      NameRow{"x\xC3", QStringLiteral("x") + QChar(char16_t(0xDCC3))},
                      // An encoded surrogate is not valid UTF-8 and is kept byte by byte.
                      NameRow{"\xED\xB2\x80", Units({0xDCED, 0xDCB2, 0xDC80})},
                      // Overlong form of '/'.
                      NameRow{"\xC0\xAF", Units({0xDCC0, 0xDCAF})},
                      NameRow{"\xEF\xBF\xBD", QString(QChar(char16_t(0xFFFD)))}));

// Names no listing produces: lone surrogates outside the escape range become U+FFFD, and
// names made only of the longest encodings fill the whole room the conversion reserves.
TEST(FileName, EncodesLoneSurrogatesAndLongSequences)
{
    const struct {
        QString name;
        QByteArray bytes;
    } rows[] = {
        {Units({u'a', 0xD800}), "a\xEF\xBF\xBD"},
        {Units({0xDC00, u'b'}), "\xEF\xBF\xBD" "b"},
        {Units({0xDBFF, 0xDBFF, 0xDFFF}), "\xEF\xBF\xBD\xF4\x8F\xBF\xBF"},
        {Units({0x20AC, 0x20AC, 0x20AC}), "\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC"},
        {Units({0xFFFF}), "\xEF\xBF\xBF"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(platform::EncodeFileName(row.name), row.bytes) << row.bytes.toHex().constData();
}

TEST(FileName, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int byte = 1; byte < 256; ++byte)
        all.append(char(byte));
    EXPECT_EQ(platform::EncodeFileName(platform::DecodeFileName(all)), all);
}

TEST(FileName, NonUtf8NameCanBeListedExaminedAndCopied)
{
    QTemporaryDir dir;
    const QByteArray rawName("caf\xE9-\xFF.txt");
    const QByteArray rawPath = testfiles::Bytes(dir.path()) + '/' + rawName;
    ASSERT_TRUE(testfiles::WriteFile(rawPath, "content"));

    QList<platform::DirectoryEntry> entries;
    ASSERT_TRUE(platform::ListDirectory(dir.path(), &entries));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(platform::EncodeFileName(entries[0].name), rawName);

    const QString path = dir.path() + u'/' + entries[0].name;
    platform::FileInfo info;
    ASSERT_TRUE(platform::GetFileInfo(path, platform::LinkMode::DoNotFollow, &info));
    EXPECT_EQ(info.size, 7);

    const QString copy = path + QStringLiteral(".copy");
    ASSERT_TRUE(platform::CopyFileWithProgress(path, copy, {}, nullptr));
    struct stat st{};
    ASSERT_EQ(::stat((rawPath + ".copy").constData(), &st), 0);
    EXPECT_EQ(testfiles::ReadFile(copy), QByteArray("content"));
}

} // namespace
