#include "support/gui/GuiTestApp.h"
#include "resources/Strings.h"
#include "unattended/CDlgBatchFenster.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString countdownText(const CDlgBatchFenster &dialog)
{
    return dialog.findChild<QLabel *>(QStringLiteral("Countdown"))->text();
}

QString expected(int seconds)
{
    return QStringLiteral("Der Batchmodus oder Option Autostart\nwird in %1 Sekunden gestartet.").arg(seconds);
}

class Countdown : public ::testing::Test {
protected:
    Countdown()
        : app((GuiTestApp(), 0))
    {
    }

    int app;
    CDlgBatchFenster dialog;
    QSignalSpy finished{&dialog, &QDialog::finished};
};

TEST_F(Countdown, ShowsTenAtOnceThenOneLessEachTickAndAcceptsOnTheTenthTick)
{
    EXPECT_EQ(dialog.windowTitle(), LoadStr(5840));
    EXPECT_EQ(countdownText(dialog), expected(10));
    for (int tick = 1; tick <= 9; ++tick) {
        dialog.OnTimer();
        EXPECT_EQ(countdownText(dialog), expected(10 - tick)) << tick;
        EXPECT_EQ(finished.count(), 0) << tick;
    }
    dialog.OnTimer();
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.first().at(0).toInt(), int(QDialog::Accepted));
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
}

TEST_F(Countdown, CancelInTheLastSecondStartsNothing)
{
    dialog.show();
    for (int tick = 1; tick <= 9; ++tick)
        dialog.OnTimer();
    ASSERT_EQ(countdownText(dialog), expected(1));
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Cancel")), Qt::LeftButton);
    dialog.OnTimer();
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.first().at(0).toInt(), int(QDialog::Rejected));
    EXPECT_EQ(dialog.result(), int(QDialog::Rejected));
}

TEST_F(Countdown, EscapeAndTheCloseBoxCancel)
{
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), int(QDialog::Rejected));

    CDlgBatchFenster second;
    second.show();
    second.close();
    EXPECT_EQ(second.result(), int(QDialog::Rejected));
}

TEST_F(Countdown, HeadingIsBlueAndTheCountdownRed)
{
    const auto *heading = dialog.findChild<QLabel *>(QStringLiteral("Heading"));
    const auto *countdown = dialog.findChild<QLabel *>(QStringLiteral("Countdown"));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(), QStringLiteral("Achtung"));
    EXPECT_EQ(heading->palette().color(QPalette::WindowText), QColor(0, 0, 200));
    EXPECT_EQ(countdown->palette().color(QPalette::WindowText), QColor(200, 0, 0));
    EXPECT_TRUE(heading->font().bold());
    EXPECT_EQ(heading->font().pixelSize(), 16);
}

} // namespace
