#include "progress/PaneDisplay.h"

#include "GuiTestApp.h"
#include "engine/CProgressData.h"
#include "engine/PaneRules.h"
#include "progress/CFortschrittCtrl.h"
#include "progress/CStaticFortschrittControls.h"

#include <QApplication>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace {

class PaneDisplayTest : public ::testing::Test {
protected:
    // Handles one pane event the way the run window does.
    void show(quint64 mask, CProgressData record = CProgressData())
    {
        record.Pane = 0;
        record.Mask = mask;
        const int before = view.Bar1Steps;
        ApplyPaneEvent(view, record, PaneEventContext{CurrentTick(), 1, QDateTime::currentDateTime()});
        ShowPaneView(pane, view, mask, view.Bar1Steps - before);
    }

    QApplication &app = GuiTestApp();
    CFortschrittCtrl pane;
    PaneView view;
};

} // namespace

TEST_F(PaneDisplayTest, ListingStepsBarOneAndLaterEventsDoNotUndoTheSteps)
{
    show(UPD_ACT_SCAN | UPD_BAR1_RESET);
    EXPECT_EQ(pane.Bar1().value(), 0);
    EXPECT_EQ(pane.Cell(PaneChild::Percent1).Text(), QStringLiteral("0 %"));
    show(UPD_BAR1_STEP);
    show(UPD_BAR1_STEP);
    EXPECT_EQ(pane.Bar1().value(), 20);
    show(UPD_COUNT_FILES | UPD_SIZE);
    EXPECT_EQ(pane.Bar1().value(), 20) << "an event that does not move bar 1 leaves it";
    show(UPD_BAR1_RESET | UPD_BAR1_STEP);
    EXPECT_EQ(pane.Bar1().value(), 10) << "reset first, then the step";
}

TEST_F(PaneDisplayTest, BytesAndFileBarsFollowTheRecord)
{
    CProgressData record;
    record.TotalBytes = 1000;
    record.BytesDone = 400;
    record.FileSize = 200;
    record.FileBytesDone = 150;
    show(UPD_BAR1_BYTES | UPD_PCT1_BYTES | UPD_BAR2_FILE | UPD_PCT2_FILE, record);
    EXPECT_EQ(pane.Bar1().value(), 40);
    EXPECT_EQ(pane.Bar2().value(), 75);
    EXPECT_EQ(pane.Cell(PaneChild::Percent1).Text(), QStringLiteral("40 %"));
    EXPECT_EQ(pane.Cell(PaneChild::Percent2).Text(), QStringLiteral("75 %"));
    show(UPD_BAR2_RESET);
    EXPECT_EQ(pane.Bar2().value(), 0);
    EXPECT_EQ(pane.Bar1().value(), 40);
}

TEST_F(PaneDisplayTest, ErrorLineIsGreenUntilTheFirstErrorThenRed)
{
    CProgressData record;
    show(UPD_ACT_WORKING, record);
    EXPECT_EQ(pane.Cell(PaneChild::ErrorLine).Text(), QStringLiteral("0 Fehler"));
    EXPECT_EQ(pane.Cell(PaneChild::ErrorLine).TextColour(), QColor(0, 140, 0));
    record.ErrorCount = 1;
    show(UPD_ACT_WORKING, record);
    EXPECT_EQ(pane.Cell(PaneChild::ErrorLine).Text(), QStringLiteral("1 Fehler"));
    EXPECT_EQ(pane.Cell(PaneChild::ErrorLine).TextColour(), QColor(200, 0, 0));
}
