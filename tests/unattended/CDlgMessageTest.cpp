#include "resources/Strings.h"
#include "support/gui/GuiTestApp.h"
#include "unattended/CDlgMessage.h"

#include <QImage>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct ModeRow {
    CDlgMessage::Mode mode;
    QColor fill;
};

class StatusWindow : public ::testing::TestWithParam<ModeRow> {
protected:
    void SetUp() override { GuiTestApp(); }
};

TEST_P(StatusWindow, FillsItsWholeAreaInTheModesColourAndKeepsItsSize)
{
    CDlgMessage dialog(GetParam().mode, QStringLiteral("Sicherung vom 01.02.2026 03:04:05\r\n\r\nKeine Fehler."));
    dialog.show();
    EXPECT_EQ(dialog.size(), QSize(700, 500));
    EXPECT_EQ(dialog.FillColour(), GetParam().fill);
    const QImage image = dialog.grab().toImage();
    for (const QPoint &corner : {QPoint(2, 2), QPoint(697, 2), QPoint(2, 497), QPoint(697, 497)})
        EXPECT_EQ(image.pixelColor(corner), GetParam().fill) << corner.x() << "," << corner.y();
}

INSTANTIATE_TEST_SUITE_P(Modes, StatusWindow,
                         ::testing::Values(ModeRow{CDlgMessage::Mode::Ok, QColor(80, 250, 80)},
                                           ModeRow{CDlgMessage::Mode::Error, QColor(250, 80, 80)}));

TEST(CDlgMessage, TextIsDrawnInsideItsRectangleAndALongTextKeepsTheWindowSize)
{
    GuiTestApp();
    const QString longText = QStringLiteral("Sicherung vom 01.02.2026 03:04:05 mit einem sehr langen Zusatz, "
                                            "der nicht in eine Zeile passt und umbrochen werden muss.\r\n\r\n7 Fehler.");
    CDlgMessage dialog(CDlgMessage::Mode::Error, longText);
    dialog.show();
    EXPECT_EQ(dialog.Text(), longText);
    EXPECT_EQ(dialog.TextRect(), QRect(20, 160, 660, 180));
    const QImage image = dialog.grab().toImage();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).lightness() < 60) {
                ++dark;
                const bool inText = dialog.TextRect().contains(x, y);
                const bool onButton = dialog.findChild<QPushButton *>()->geometry().contains(x, y);
                ASSERT_TRUE(inText || onButton) << x << "," << y;
            }
        }
    }
    EXPECT_GT(dark, 0) << "the text was drawn";
    EXPECT_EQ(dialog.size(), QSize(700, 500));
}

TEST(CDlgMessage, CloseButtonSitsCentredAboveTheBottomAndEndsTheWindow)
{
    GuiTestApp();
    CDlgMessage dialog(CDlgMessage::Mode::Ok, QStringLiteral("x"));
    dialog.show();
    const auto *button = dialog.findChild<QPushButton *>(QStringLiteral("CloseButton"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), LoadStr(5846));
    EXPECT_EQ(dialog.windowTitle(), LoadStr(5845));
    EXPECT_EQ(button->x(), (700 - button->width()) / 2);
    EXPECT_EQ(button->y(), 488 - 2 * button->height());
    EXPECT_TRUE(button->isDefault());
    QTest::mouseClick(const_cast<QPushButton *>(button), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
