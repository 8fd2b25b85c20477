#include "controls/CPinsel.h"
#include "support/gui/GuiTestApp.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

CPinsel::BRUSHDATEN brush(qint32 kind)
{
    CPinsel::BRUSHDATEN data;
    data.Colour1 = qint32(0xFFFF0000u);
    data.Colour2 = qint32(0xFF0000FFu);
    data.Kind = kind;
    return data;
}

QImage filled(const CPinsel::BRUSHDATEN &data, const QSize &size = QSize(100, 50))
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(QColor(0, 255, 0));
    QPainter painter(&image);
    CPinsel::Fill(painter, QRect(QPoint(0, 0), size), data);
    return image;
}

bool near(const QColor &a, const QColor &b, int tolerance = 8)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

TEST(CPinsel, TheBrushEntryIsReadInItsOrder)
{
    const struct {
        const char16_t *text;
        CPinsel::BRUSHDATEN expected;
    } rows[] = {
        {u"-2960641,0,6,0", {-2960641, 0, 0, 6}},
        {u"1,2,3,4", {1, 2, 4, 3}},
        {u"1,2", {1, 2, 0, 0}},
        {u" 7 ,x,5", {7, 0, 0, 5}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(CPinsel::Parse(QString::fromUtf16(row.text)), row.expected)
            << QString::fromUtf16(row.text).toStdString();
}

TEST(CPinsel, TheDefaultIsOpaqueLightViolet)
{
    EXPECT_EQ(CPinsel::FromArgb(CPinsel::BRUSHDATEN{}.Colour1), QColor(210, 210, 255, 255));
}

TEST(CPinsel, TheAverageTruncatesEachChannel)
{
    EXPECT_EQ(CPinsel::Average(QColor(255, 0, 1, 255), QColor(0, 255, 2, 0)), QColor(127, 127, 1, 127));
}

TEST(CPinsel, SolidAndLinearKindsFillAsNamed)
{
    GuiTestApp();
    const struct {
        qint32 kind;
        QPoint a;
        QColor colourA;
        QPoint b;
        QColor colourB;
    } rows[] = {
        {CPinsel::Horizontal, {0, 25}, kRed, {99, 25}, kBlue},
        {CPinsel::Vertical, {50, 0}, kRed, {50, 49}, kBlue},
        {CPinsel::ForwardDiagonal, {0, 0}, kRed, {99, 49}, kBlue},
        {CPinsel::BackwardDiagonal, {99, 0}, kRed, {0, 49}, kBlue},
        {CPinsel::SolidColour1, {0, 0}, kRed, {99, 49}, kRed},
        {CPinsel::SolidColour2, {0, 0}, kBlue, {99, 49}, kBlue},
        {8, {0, 0}, kRed, {99, 49}, kRed},
        {42, {0, 0}, kRed, {99, 49}, kRed},
        {CPinsel::NoFill, {0, 0}, QColor(0, 255, 0), {99, 49}, QColor(0, 255, 0)},
    };
    for (const auto &row : rows) {
        const QImage image = filled(brush(row.kind));
        EXPECT_TRUE(near(image.pixelColor(row.a), row.colourA)) << row.kind;
        EXPECT_TRUE(near(image.pixelColor(row.b), row.colourB)) << row.kind;
    }
}

TEST(CPinsel, TheCentreGradientRunsFromTheCentreToTheOutline)
{
    const QRect rect(0, 0, 100, 50);
    const CPinsel::BRUSHDATEN data = brush(CPinsel::CentreToOutline);
    EXPECT_EQ(CPinsel::PathGradientColour(data, rect, 50, 25), kRed);
    EXPECT_EQ(CPinsel::PathGradientColour(data, rect, 0, 25), kBlue);
    EXPECT_EQ(CPinsel::PathGradientColour(data, rect, 50, 0), kBlue);
    EXPECT_EQ(CPinsel::PathGradientColour(data, rect, 100, 50), kBlue);
    EXPECT_EQ(CPinsel::PathGradientColour(data, rect, 75, 25), QColor(128, 0, 128));
    EXPECT_TRUE(near(filled(data).pixelColor(50, 25), kRed));
}

TEST(CPinsel, TheCornerGradientAlternatesTheColoursAroundTheirAverage)
{
    const QRect rect(0, 0, 100, 50);
    const CPinsel::BRUSHDATEN data = brush(CPinsel::Corners);
    const QColor average(127, 0, 127);
    EXPECT_EQ(CPinsel::PathGradientColour(data, rect, 50, 25), average);
    EXPECT_EQ(CPinsel::PathGradientColour(data, rect, 0, 0), kRed);
    EXPECT_EQ(CPinsel::PathGradientColour(data, rect, 100, 0), kBlue);
    EXPECT_EQ(CPinsel::PathGradientColour(data, rect, 100, 50), kRed);
    EXPECT_EQ(CPinsel::PathGradientColour(data, rect, 0, 50), kBlue);
    EXPECT_TRUE(near(CPinsel::PathGradientColour(data, rect, 50, 0), average, 1));
    EXPECT_TRUE(near(CPinsel::PathGradientColour(data, rect, 100, 25), average, 1));
}

} // namespace
