#include "plot/frame.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace quorlin {
namespace {

using test::Line;
using test::RecordingSurface;
using test::Text;

const RegionalSettings kPoint;

PlotMapping area(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    PlotMapping m;
    m.PlotLeft = left;
    m.PlotTop = top;
    m.PlotRight = right;
    m.PlotBottom = bottom;
    return m;
}

// Vertical marks hanging `length` pixels below row `bottom`.
std::vector<std::int32_t> xMarks(const RecordingSurface& s, std::int32_t bottom, std::int32_t length)
{
    std::vector<std::int32_t> at;
    for (const Line& l : s.lines())
        if (l.x1 == l.x2 && l.y1 == bottom && l.y2 == bottom + length) at.push_back(l.x1);
    return at;
}

// Horizontal marks reaching `length` pixels left of column `edge`.
std::vector<std::int32_t> yMarks(const RecordingSurface& s, std::int32_t edge, std::int32_t length)
{
    std::vector<std::int32_t> at;
    for (const Line& l : s.lines())
        if (l.y1 == l.y2 && l.x1 == edge && l.x2 == edge - length) at.push_back(l.y1);
    return at;
}

std::vector<std::string> textsAtRow(const RecordingSurface& s, std::int32_t row)
{
    std::vector<std::string> found;
    for (const Text& t : s.texts())
        if (t.y == row) found.push_back(t.text);
    return found;
}

Text label(std::int32_t x, std::int32_t y, TextAlign align, std::string text, std::int32_t escapement = 0)
{
    return Text{x, y, align, "Arial", 12, escapement, std::move(text)};
}

struct WorkedExample : ::testing::Test {
    void SetUp() override
    {
        DrawFrame(surface, m, 1, 10, 1.62, 250, xMax, yMax, "pH", "emf /mV", "run 7", kPoint);
    }
    RecordingSurface surface;
    PlotMapping m = area(56, 24, 600, 307);
    double xMax = 2.95, yMax = 410;
};

TEST_F(WorkedExample, FrameRectangleIsFourPixelsWiderThanTheDataArea)
{
    const std::vector<Line> lines = surface.lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], (Line{52, 307, 604, 307}));
    EXPECT_EQ(lines[1], (Line{604, 307, 604, 24}));
    EXPECT_EQ(lines[2], (Line{604, 24, 52, 24}));
    EXPECT_EQ(lines[3], (Line{52, 24, 52, 307}));
    EXPECT_EQ(surface.ops.front(), test::Op(test::PenWidth{1}));
    EXPECT_EQ(surface.ops.back(), test::Op(test::PenWidth{1}));
}

TEST_F(WorkedExample, XTicksRunFrom1Point8To2Point8WithEverySecondLabelled)
{
    EXPECT_EQ(xMarks(surface, 307, 2), (std::vector<std::int32_t>{129, 211, 293, 375, 456, 538}));
    EXPECT_EQ(xMarks(surface, 307, 4), (std::vector<std::int32_t>{129, 293, 456}));
    const std::vector<Text> texts = surface.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), label(129, 313, TextAlign::Centre, "1.8")), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), label(293, 313, TextAlign::Centre, "2.2")), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), label(456, 313, TextAlign::Centre, "2.6")), texts.end());
    EXPECT_EQ(textsAtRow(surface, 313).size(), 3u);
}

TEST_F(WorkedExample, YTicksRunFrom260To400WithLabels260To380)
{
    // 400 lies on row 41.5 exactly and rounds to the even 42.
    EXPECT_EQ(yMarks(surface, 52, 2), (std::vector<std::int32_t>{289, 254, 218, 183, 148, 112, 77, 42}));
    EXPECT_EQ(yMarks(surface, 52, 4), (std::vector<std::int32_t>{289, 218, 148, 77}));
    std::vector<Text> yLabels;
    for (const Text& t : surface.texts())
        if (t.align == TextAlign::Right) yLabels.push_back(t);
    EXPECT_EQ(yLabels, (std::vector<Text>{label(46, 283, TextAlign::Right, "260"), label(46, 212, TextAlign::Right, "300"),
                                          label(46, 142, TextAlign::Right, "340"),
                                          label(46, 71, TextAlign::Right, "380")}));
}

TEST_F(WorkedExample, TitlesStandAboveBelowAndLeftOfTheDataArea)
{
    const std::vector<Text> texts = surface.texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), label(328, 8, TextAlign::Centre, "run 7"));
    EXPECT_NE(std::find(texts.begin(), texts.end(), label(328, 327, TextAlign::Centre, "pH")), texts.end());
    EXPECT_EQ(texts.back(), label(0, 166, TextAlign::Centre, "emf /mV", 90));
    EXPECT_EQ(xMax, 2.95);
    EXPECT_EQ(yMax, 410);
}

TEST(DrawFrame, EqualEndsWidenTheRangeToOneUnitWithTicksAtBothEnds)
{
    RecordingSurface s;
    PlotMapping m = area(50, 20, 550, 220);
    double xMax = 5, yMax = 7;
    DrawFrame(s, m, 1, 10, 5, 7, xMax, yMax, "pH", "", "", kPoint);
    EXPECT_EQ(xMax, 6);
    EXPECT_EQ(yMax, 8);
    EXPECT_EQ(xMarks(s, 220, 2), (std::vector<std::int32_t>{50, 550}));
    EXPECT_EQ(textsAtRow(s, 226), (std::vector<std::string>{"5", "6"}));
    EXPECT_EQ(yMarks(s, 46, 4), (std::vector<std::int32_t>{220, 20}));
}

TEST(DrawFrame, EmptyXTitleLeavesTheBottomEdgeBare)
{
    RecordingSurface s;
    PlotMapping m = area(56, 24, 600, 307);
    double xMax = 2.95, yMax = 410;
    DrawFrame(s, m, 1, 10, 1.62, 250, xMax, yMax, "", "emf /mV", "title", kPoint);
    EXPECT_TRUE(xMarks(s, 307, 2).empty());
    EXPECT_TRUE(xMarks(s, 307, 4).empty());
    std::vector<std::string> texts;
    for (const Text& t : s.texts()) texts.push_back(t.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"title", "260", "300", "340", "380", "emf /mV"}));
    // The mapping is set all the same.
    EXPECT_EQ(XToPixel(m, 2.95), 600);
}

TEST(DrawFrame, SymmetricRangeOfSevenUnitsGetsUnitTicks)
{
    RecordingSurface s;
    PlotMapping m = area(56, 0, 584, 740);
    double xMax = 1, yMax = 3.7;
    DrawFrame(s, m, 1, 10, 0, -3.7, xMax, yMax, "", "", "", kPoint);
    // 100 pixels per unit, zero on row 370.
    EXPECT_EQ(yMarks(s, 52, 2), (std::vector<std::int32_t>{670, 570, 470, 370, 270, 170, 70}));
    std::vector<std::string> labels;
    for (const Text& t : s.texts()) labels.push_back(t.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"-3", "-1", "1", "3"}));
}

TEST(DrawFrame, FiveTicksAreAllLabelledAndSixEverySecond)
{
    RecordingSurface five;
    PlotMapping m = area(0, 0, 410, 100);
    double xMax = 20.5, yMax = 4;
    DrawFrame(five, m, 1, 5, 0, 0, xMax, yMax, "x", "", "", kPoint);
    EXPECT_EQ(xMarks(five, 100, 4), (std::vector<std::int32_t>{0, 100, 200, 300, 400}));
    EXPECT_EQ(yMarks(five, -4, 4), (std::vector<std::int32_t>{100, 75, 50, 25, 0}));

    RecordingSurface six;
    m = area(0, 0, 510, 100);
    xMax = 51;
    yMax = 5;
    DrawFrame(six, m, 1, 5, 0, 0, xMax, yMax, "x", "", "", kPoint);
    EXPECT_EQ(xMarks(six, 100, 2), (std::vector<std::int32_t>{0, 100, 200, 300, 400, 500}));
    EXPECT_EQ(xMarks(six, 100, 4), (std::vector<std::int32_t>{0, 200, 400}));
    EXPECT_EQ(yMarks(six, -4, 4), (std::vector<std::int32_t>{100, 60, 20}));
}

TEST(DrawFrame, LastXTickMayStandTwoPixelsRightOfTheAreaButNotThree)
{
    RecordingSurface within;
    PlotMapping m = area(0, 0, 100, 100);
    double xMax = 49, yMax = 1;
    DrawFrame(within, m, 1, 10, 0, 0, xMax, yMax, "x", "", "", kPoint);
    EXPECT_EQ(xMarks(within, 100, 2).back(), 102);

    RecordingSurface beyond;
    xMax = 48.5;
    DrawFrame(beyond, m, 1, 10, 0, 0, xMax, yMax, "x", "", "", kPoint);
    EXPECT_EQ(xMarks(beyond, 100, 2).back(), 93);
}

TEST(DrawFrame, ReversedXRangeStartsAtTheFirstMultipleInsideNextToXMin)
{
    RecordingSurface s;
    PlotMapping m = area(56, 24, 600, 307);
    double xMax = 1.62, yMax = 410;
    DrawFrame(s, m, 1, 10, 2.95, 250, xMax, yMax, "pH", "", "", kPoint);
    // Mirror of the worked example: 2.8 down to 1.8, read left to right.
    EXPECT_EQ(xMarks(s, 307, 2), (std::vector<std::int32_t>{118, 200, 281, 363, 445, 527}));
    EXPECT_EQ(textsAtRow(s, 313), (std::vector<std::string>{"2.8", "2.4", "2.0"}));
}

TEST(DrawFrame, ReversedYRangeKeepsEveryTickInsideTheFrame)
{
    RecordingSurface s;
    PlotMapping m = area(56, 24, 600, 314);
    double xMax = 1, yMax = 250;
    DrawFrame(s, m, 1, 10, 0, 395, xMax, yMax, "", "", "", kPoint);
    // 2 pixels per mV, 395 on the bottom row and 250 on the top: ticks 380 up to 260,
    // none at 400 below the frame.
    EXPECT_EQ(yMarks(s, 52, 2), (std::vector<std::int32_t>{284, 244, 204, 164, 124, 84, 44}));
}

TEST(DrawFrame, SizeFactorScalesTicksOffsetsAndFontsButNotTheMargin)
{
    RecordingSurface s;
    PlotMapping m = area(100, 100, 510, 300);
    double xMax = 20.5, yMax = 4;
    DrawFrame(s, m, 2, 5, 0, 0, xMax, yMax, "x", "y", "t", kPoint);
    EXPECT_EQ(s.ops.front(), test::Op(test::PenWidth{2}));
    EXPECT_EQ(s.lines().front(), (Line{96, 300, 514, 300}));
    EXPECT_EQ(xMarks(s, 300, 4), (std::vector<std::int32_t>{100, 200, 300, 400, 500}));
    EXPECT_EQ(xMarks(s, 300, 8), (std::vector<std::int32_t>{100, 200, 300, 400, 500}));
    EXPECT_EQ(yMarks(s, 96, 8), (std::vector<std::int32_t>{300, 250, 200, 150, 100}));
    const std::vector<Text> texts = s.texts();
    ASSERT_EQ(texts.size(), 13u);
    EXPECT_EQ(texts.front(), (Text{305, 68, TextAlign::Centre, "Arial", 24, 0, "t"}));
    EXPECT_EQ(textsAtRow(s, 312), (std::vector<std::string>{"0", "5", "10", "15", "20"}));
    EXPECT_EQ(texts[6], (Text{305, 340, TextAlign::Centre, "Arial", 24, 0, "x"}));
    EXPECT_EQ(texts[7], (Text{84, 288, TextAlign::Right, "Arial", 24, 0, "0"}));
    EXPECT_EQ(texts.back(), (Text{0, 200, TextAlign::Centre, "Arial", 24, 90, "y"}));
}

TEST(DrawFrame, RangesTheStepsOrPixelsCannotCoverGetNoTicks)
{
    for (const double end : {1E23, 1E300, std::numeric_limits<double>::infinity(), std::nan("")}) {
        RecordingSurface s;
        PlotMapping m = area(56, 24, 600, 307);
        double xMax = end, yMax = end;
        DrawFrame(s, m, 1, 10, 0, 0, xMax, yMax, "pH", "emf", "t", kPoint);
        EXPECT_EQ(s.lines().size(), 4u) << end;
        std::vector<std::string> texts;
        for (const Text& t : s.texts()) texts.push_back(t.text);
        EXPECT_EQ(texts, (std::vector<std::string>{"t", "pH", "emf"})) << end;
    }
}

TEST(DrawLabel, NinePointsAreTwelvePixelsAt96DotsPerInch)
{
    RecordingSurface at96(600, 450, 96), at120(600, 450, 120), at72(600, 450, 72);
    DrawLabel(at96, 10, 20, 9, LabelMode::Centred, "a");
    DrawLabel(at120, 10, 20, 9, LabelMode::Upward, "b");
    DrawLabel(at72, 10, 20, 9, LabelMode::RightEnd, "c");
    EXPECT_EQ(at96.texts(), (std::vector<Text>{{10, 20, TextAlign::Centre, "Arial", 12, 0, "a"}}));
    EXPECT_EQ(at120.texts(), (std::vector<Text>{{10, 20, TextAlign::Centre, "Arial", 15, 90, "b"}}));
    EXPECT_EQ(at72.texts(), (std::vector<Text>{{10, 20, TextAlign::Right, "Arial", 9, 0, "c"}}));

    RecordingSurface empty;
    DrawLabel(empty, 10, 20, 9, LabelMode::Centred, "");
    EXPECT_TRUE(empty.ops.empty());
}

TEST(DrawCross, ArmsOfFourPixelsTimesTheSizeFactor)
{
    RecordingSurface s;
    DrawCross(s, 1, 100, 50);
    DrawCross(s, 2, 10, 10);
    EXPECT_EQ(s.lines(), (std::vector<Line>{{96, 50, 104, 50}, {100, 46, 100, 54}, {2, 10, 18, 10}, {10, 2, 10, 18}}));

    RecordingSurface edge;
    DrawCross(edge, 1, 2147483645, 0);
    EXPECT_TRUE(edge.ops.empty());
}

}  // namespace
}  // namespace quorlin
