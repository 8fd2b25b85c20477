#include "progress/CFortschrittCtrl.h"

#include "GuiTestApp.h"
#include "PaintCounter.h"
#include "progress/CStaticFortschrittControls.h"
#include "progress/ProgressTexts.h"
#include "resources/Strings.h"

#include <QApplication>
#include <QFontMetrics>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pane.resize(690, 130);
        pane.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
        QApplication::processEvents();
    }

    // Paint events of `cell` caused by `change`.
    int paintsOf(CStaticFortschrittControls &cell, const std::function<void()> &change)
    {
        PaintCounter counter;
        cell.installEventFilter(&counter);
        change();
        QApplication::processEvents();
        cell.removeEventFilter(&counter);
        return counter.Count();
    }

    QApplication &app = GuiTestApp();
    CFortschrittCtrl pane;
};

} // namespace

TEST_F(PaneTest, SettersRepaintOnlyWhenTheTextChanges)
{
    CStaticFortschrittControls &source = pane.Cell(PaneChild::SourceLine);
    const QString path = QStringLiteral("/quelle/datei.txt");
    EXPECT_EQ(paintsOf(source, [&] { pane.SetSource(path); }), 1);
    EXPECT_EQ(paintsOf(source, [&] { pane.SetSource(path); }), 0) << "same text, no repaint";
    EXPECT_EQ(paintsOf(source, [&] { pane.SetSource(QStringLiteral("/quelle/andere.txt")); }), 1);

    CStaticFortschrittControls &error = pane.Cell(PaneChild::ErrorLine);
    EXPECT_EQ(paintsOf(error, [&] { pane.SetErrorColour(QColor(200, 0, 0)); }), 1);
    EXPECT_EQ(paintsOf(error, [&] { pane.SetErrorColour(QColor(200, 0, 0)); }), 0) << "same colour";
    EXPECT_EQ(paintsOf(error, [&] { pane.SetErrorCount(3); }), 1);
    EXPECT_EQ(paintsOf(error, [&] { pane.SetErrorCount(3); }), 0);
    EXPECT_EQ(error.Text(), QStringLiteral("3 Fehler"));
}

TEST_F(PaneTest, PercentTexts)
{
    pane.SetPercent1(5, 0);
    EXPECT_EQ(pane.Cell(PaneChild::Percent1).Text(), QString());
    pane.SetPercent1(7, 7);
    EXPECT_EQ(pane.Cell(PaneChild::Percent1).Text(), QStringLiteral("100 %"));
    pane.SetPercent2(1, 3);
    EXPECT_EQ(pane.Cell(PaneChild::Percent2).Text(), QStringLiteral("33 %"));
}

TEST_F(PaneTest, ActionLineFromTheStringTable)
{
    pane.SetAction(203);
    EXPECT_EQ(pane.Cell(PaneChild::ActionLine).Text(), LoadStr(203));
    pane.SetAction(0);
    EXPECT_EQ(pane.Cell(PaneChild::ActionLine).Text(), QString());
}

TEST_F(PaneTest, StepBar1MovesByTenAndStartsAgainPastTheEnd)
{
    pane.SetBar1Range(0, 100);
    pane.SetBar1Pos(85);
    pane.StepBar1();
    EXPECT_EQ(pane.Bar1().value(), 95);
    pane.StepBar1();
    EXPECT_EQ(pane.Bar1().value(), 5);
    pane.StepBar1();
    EXPECT_EQ(pane.Bar1().value(), 15);
}

TEST_F(PaneTest, BarPositions)
{
    pane.SetBar2Range(0, 100);
    pane.SetBar2Pos(42);
    EXPECT_EQ(pane.Bar2().value(), 42);
    pane.SetBar1Pos(100);
    EXPECT_EQ(pane.Bar1().value(), 100);
}

TEST_F(PaneTest, ColoursAndFontsOfTheCells)
{
    const struct {
        PaneChild child;
        QColor colour;
    } rows[] = {
        {PaneChild::ActionLine, QColor(0, 0, 200)}, {PaneChild::CountLine, QColor(0, 0, 200)},
        {PaneChild::SizeLine, QColor(0, 0, 200)},   {PaneChild::Percent1, QColor(0, 0, 180)},
        {PaneChild::Percent2, QColor(0, 150, 0)},   {PaneChild::SourceLine, QColor(0, 0, 0)},
        {PaneChild::SpeedLine, QColor(0, 0, 0)},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(int(row.child));
        EXPECT_EQ(pane.Cell(row.child).TextColour(), row.colour);
        EXPECT_EQ(pane.Cell(row.child).BackgroundColour(), QColor(236, 233, 216));
        EXPECT_EQ(pane.Cell(row.child).font().pixelSize(), 11);
    }
    EXPECT_TRUE(pane.Cell(PaneChild::SourceLabel).font().bold());
    EXPECT_TRUE(pane.Cell(PaneChild::TargetLabel).font().bold());
    EXPECT_FALSE(pane.Cell(PaneChild::SourceLine).font().bold());
    EXPECT_EQ(pane.Bar1().palette().color(QPalette::Highlight), QColor(0, 0, 250));
    EXPECT_EQ(pane.Bar2().palette().color(QPalette::Highlight), QColor(0, 250, 0));
    EXPECT_EQ(pane.Cell(PaneChild::SourceLabel).Text(), LoadStr(kTextSourceLabel));
    EXPECT_EQ(pane.Cell(PaneChild::RemainingLabel).Text(), LoadStr(kTextRemainingLabel));
}

TEST_F(PaneTest, LongSourcePathKeepsItsFileNameVisible)
{
    QString path = QStringLiteral("/daten");
    for (int i = 0; i < 30; ++i)
        path += QStringLiteral("/verzeichnis-%1").arg(i);
    path += QStringLiteral("/bericht-2024.odt");
    pane.SetSource(path);
    const QString shown = pane.Cell(PaneChild::SourceLine).DisplayedText();
    EXPECT_NE(shown, path);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("/daten/")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral(".../bericht-2024.odt"))) << shown.toStdString();
}

TEST_F(PaneTest, ALabelTooWideForItsCellIsDrawnSmallerNotCut)
{
    CStaticFortschrittControls &label = pane.Cell(PaneChild::RemainingLabel);
    const QString text = QStringLiteral("Geschätzte Restzeit (Std:Min:Sek):");
    label.SetText(text);
    const QFont shown = label.DisplayedFont();
    EXPECT_EQ(label.DisplayedText(), text);
    EXPECT_LE(QFontMetrics(shown).horizontalAdvance(text), label.width());
    EXPECT_LE(shown.pixelSize(), 11);

    CStaticFortschrittControls &line = pane.Cell(PaneChild::RemainingLine);
    line.SetText(text);
    EXPECT_EQ(line.DisplayedFont().pixelSize(), 11) << "a value keeps its font and loses its middle";
    EXPECT_NE(line.DisplayedText(), text);
}

TEST_F(PaneTest, ResizingMovesTheRightHandCells)
{
    pane.resize(900, 130);
    QApplication::processEvents();
    EXPECT_EQ(pane.Cell(PaneChild::ErrorLine).geometry(), QRect(900 - 5 - 90, 5, 90, 16));
    EXPECT_EQ(pane.Cell(PaneChild::ActionLine).width(), 900 - 10 - 325);
    EXPECT_EQ(pane.Bar1().geometry(), QRect(5, 65, 900 - 10 - 45, 16));
}
