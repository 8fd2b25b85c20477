#include "model/CListData.h"

#include <gtest/gtest.h>

TEST(CListData, NewJobIsActiveWithSubdirectoriesAndEmptyPaths)
{
    const CListData job;
    EXPECT_EQ(job.Active, 1);
    EXPECT_EQ(job.WithSubdirs, 1);
    EXPECT_TRUE(job.SourceDir.isEmpty());
    EXPECT_TRUE(job.TargetDir.isEmpty());
}

TEST(CListData, ColumnTextJaInAnyCaseIsSetEverythingElseIsNot)
{
    struct Row {
        const char16_t *text;
        qint32 expected;
    };
    const Row rows[] = {
        {u"Ja", 1}, {u"ja", 1}, {u"JA", 1}, {u"jA", 1},
        {u"Nein", 0}, {u"", 0}, {u" Ja", 0}, {u"Ja ", 0}, {u"Jaa", 0}, {u"1", 0}, {u"yes", 0},
    };
    for (const Row &row : rows)
        EXPECT_EQ(model::ParseYesNo(QString::fromUtf16(row.text)), row.expected) << QString::fromUtf16(row.text).toStdString();
}

TEST(CListData, ColumnTextOfAValueReadsBackAsThatValue)
{
    EXPECT_EQ(model::YesNoText(1), QStringLiteral("Ja"));
    EXPECT_EQ(model::YesNoText(0), QStringLiteral("Nein"));
    // Any non-zero value stored in a project counts as set.
    EXPECT_EQ(model::YesNoText(7), QStringLiteral("Ja"));
    EXPECT_EQ(model::YesNoText(-1), QStringLiteral("Ja"));
    EXPECT_EQ(model::ParseYesNo(model::YesNoText(1)), 1);
    EXPECT_EQ(model::ParseYesNo(model::YesNoText(0)), 0);
}
