#include "zip/CZipCodePage.h"

#include <gtest/gtest.h>

namespace {

struct CodePageRow {
    const char16_t *text;
    QByteArray oem;
};

} // namespace

TEST(CZipCodePage, GermanLettersHaveTheirCodePage850Bytes)
{
    const CodePageRow rows[] = {
        {u"a", QByteArray("a")},
        {u"\u00E4\u00F6\u00FC", QByteArray("\x84\x94\x81")},
        {u"\u00C4\u00D6\u00DC", QByteArray("\x8E\x99\x9A")},
        {u"\u00DF", QByteArray("\xE1")},
        {u"sub/\u00C4rger.txt", QByteArray("sub/\x8Erger.txt")},
        // Characters the code page lacks become one '?' each, also outside the BMP.
        {u"\u20AC\u4E2D\U0001F600x", QByteArray("???x")},
        {u"", QByteArray()},
    };
    for (const CodePageRow &row : rows) {
        const QString text = QString::fromUtf16(row.text);
        EXPECT_EQ(CZipCodePage::ToOem(text), row.oem) << text.toStdString();
    }
}

TEST(CZipCodePage, EveryCodePage850ByteSurvivesTheRoundTrip)
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(static_cast<char>(byte));
    const QString decoded = CZipCodePage::FromOem(all);
    EXPECT_EQ(decoded.size(), 256);
    EXPECT_EQ(decoded.at(0x8E), QChar(0x00C4));
    EXPECT_EQ(CZipCodePage::ToOem(decoded), all);
}

TEST(CZipCodePage, AnsiCommentsUseCodePage1252)
{
    EXPECT_EQ(CZipCodePage::ToAnsi(QString::fromUtf16(u"Gr\u00FC\u00DFe \u20AC")), QByteArray("Gr\xFC\xDF" "e \x80"));
    EXPECT_EQ(CZipCodePage::FromAnsi(QByteArray("Gr\xFC\xDF" "e \x80")), QString::fromUtf16(u"Gr\u00FC\u00DFe \u20AC"));
    // 0x81 is undefined in code page 1252; it keeps its number instead of being lost.
    EXPECT_EQ(CZipCodePage::FromAnsi(QByteArray("a\x81" "b")), QString::fromUtf16(u"a\u0081b"));
}
