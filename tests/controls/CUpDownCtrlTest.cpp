#include "controls/CUpDownCtrl.h"
#include "support/gui/GuiTestApp.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class CUpDownCtrlTest : public ::testing::Test {
protected:
    CUpDownCtrlTest() { upDown.SetRange(1, 3); }

    QApplication &app = GuiTestApp();
    QWidget parent;
    QLineEdit *edit = new QLineEdit(&parent);
    CUpDownCtrl upDown{*edit, &parent};
};

TEST_F(CUpDownCtrlTest, ArrowsStepTheNumberWithinTheRange)
{
    const struct {
        const char16_t *typed;
        int position;
        int steps;
        const char16_t *result;
    } rows[] = {
        {u"1", 1, 1, u"2"},  {u"3", 3, 1, u"3"},  {u"1", 1, -1, u"1"}, {u"7", 1, -1, u"2"},
        {u"abc", 2, 1, u"3"}, {u"", 2, -1, u"1"}, {u" 2 ", 1, 1, u"3"},
    };
    for (const auto &row : rows) {
        edit->setText(QString::fromUtf16(row.typed));
        upDown.SetPos(row.position);
        upDown.StepBy(row.steps);
        EXPECT_EQ(edit->text(), QString::fromUtf16(row.result)) << QString::fromUtf16(row.typed).toStdString();
    }
}

TEST_F(CUpDownCtrlTest, TheButtonsAndTheArrowKeysOfTheEditStep)
{
    edit->setText(QStringLiteral("1"));
    upDown.UpButton().click();
    EXPECT_EQ(edit->text(), QStringLiteral("2"));
    upDown.DownButton().click();
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("2"));
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
}

TEST_F(CUpDownCtrlTest, ThePositionStaysWithinTheRange)
{
    upDown.SetPos(9);
    EXPECT_EQ(upDown.Pos(), 3);
    upDown.SetPos(-4);
    EXPECT_EQ(upDown.Pos(), 1);
    upDown.SetRange(5, 2);
    EXPECT_EQ(upDown.Lower(), 2);
    EXPECT_EQ(upDown.Upper(), 5);
    EXPECT_EQ(upDown.Pos(), 2);
}

} // namespace
