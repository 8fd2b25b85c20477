#include "model/CPageZip.h"
#include "model/PatternList.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct PatternRow {
    const char16_t *text;
    QStringList expected;
};

class PatternListTest : public testing::TestWithParam<PatternRow> {};

TEST_P(PatternListTest, SplitsAtCommas)
{
    EXPECT_EQ(model::ParsePatternList(QString::fromUtf16(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PatternListTest,
    testing::Values(
        PatternRow{u"", {}},
        PatternRow{u"*.txt", {u"*.txt"_s}},
        PatternRow{u"*.txt, *.doc", {u"*.txt"_s, u"*.doc"_s}},
        PatternRow{u"*.txt,*.doc", {u"*.txt"_s, u"*.doc"_s}},
        // The empty field between two commas ends the list.
        PatternRow{u"*.txt,,*.doc", {u"*.txt"_s}},
        PatternRow{u",*.doc", {}},
        // A field of blanks alone is skipped and parsing goes on.
        PatternRow{u"*.txt,   ,*.doc", {u"*.txt"_s, u"*.doc"_s}},
        PatternRow{u"  a b  ,\t*.c\t", {u"a b"_s, u"*.c"_s}},
        PatternRow{u"*.txt,", {u"*.txt"_s}},
        PatternRow{u"   ", {}}));

TEST(PatternList, DefaultCompressExcludePatternsGiveFivePatterns)
{
    const QStringList expected{u"*.zip"_s, u"*.jpg"_s, u"*.pdf"_s, u"*.mpg"_s, u"*.mp3"_s};
    EXPECT_EQ(model::ParsePatternList(model::CPageZip().CompressExcludePatterns), expected);
}

} // namespace
