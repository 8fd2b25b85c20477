#include "progress/CMessageEdit.h"

#include "GuiTestApp.h"

#include <gtest/gtest.h>

TEST(CMessageEdit, AppendsLinesInOrder)
{
    GuiTestApp();
    CMessageEdit box;
    box.SetLimit(1000);
    box.AppendLine(QStringLiteral("eins\r\n"));
    box.AppendLine(QStringLiteral("zwei\r\ndrei\r\n"));
    EXPECT_EQ(box.toPlainText(), QStringLiteral("eins\nzwei\ndrei\n"));
    EXPECT_EQ(box.CharacterCount(), 6 + 12);
}

TEST(CMessageEdit, AFullBoxDropsFurtherLines)
{
    GuiTestApp();
    CMessageEdit box;
    box.SetLimit(12);
    EXPECT_TRUE(box.AppendLine(QStringLiteral("12345\r\n")));
    EXPECT_TRUE(box.AppendLine(QStringLiteral("678\r\n"))) << "exactly 12 characters fit";
    EXPECT_FALSE(box.AppendLine(QStringLiteral("x\r\n")));
    EXPECT_EQ(box.toPlainText(), QStringLiteral("12345\n678\n"));

    box.Clear();
    box.SetLimit(11);
    EXPECT_TRUE(box.AppendLine(QStringLiteral("12345\r\n")));
    EXPECT_FALSE(box.AppendLine(QStringLiteral("6789\r\n")));
    EXPECT_FALSE(box.AppendLine(QStringLiteral("a\r\n"))) << "a full box takes no further line, short or not";
    EXPECT_EQ(box.toPlainText(), QStringLiteral("12345\n"));
    box.Clear();
    EXPECT_EQ(box.CharacterCount(), 0);
    EXPECT_TRUE(box.AppendLine(QStringLiteral("neu\r\n")));
}
