#include "plot/frame.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace quorlin {
namespace {

using test::Line;
using test::RecordingSurface;
using test::Text;
using Pixels = std::vector<std::int32_t>;
using Strings = std::vector<std::string>;

Text label(std::int32_t x, std::int32_t y, TextAlign align, std::string text, std::int32_t escapement = 0,
           std::int32_t pixelHeight = 12)
{
    return Text{x, y, align, "Arial", pixelHeight, escapement, std::move(text)};
}

// One drawFrame on a fresh surface around the data area `area` (left, top, right,
// bottom); xMax and yMax as drawFrame leaves them.
struct Frame {
    Frame(PlotMapping area, double xMin, double xMax, double yMin, double yMax, std::string_view xTitle = "x",
          std::string_view yTitle = "", std::string_view title = "", std::int32_t nY = 10, std::int32_t f = 1)
        : m(area), xMax(xMax), yMax(yMax)
    {
        drawFrame(s, m, f, nY, xMin, yMin, this->xMax, this->yMax, xTitle, yTitle, title, RegionalSettings{});
    }

    // Vertical marks hanging `length` pixels below row `bottom`.
    Pixels xMarks(std::int32_t bottom, std::int32_t length) const
    {
        Pixels at;
        for (const Line& l : s.lines())
            if (l.x1 == l.x2 && l.y1 == bottom && l.y2 == bottom + length) at.push_back(l.x1);
        return at;
    }
    // Horizontal marks reaching `length` pixels left of column `edge`.
    Pixels yMarks(std::int32_t edge, std::int32_t length) const
    {
        Pixels at;
        for (const Line& l : s.lines())
            if (l.y1 == l.y2 && l.x1 == edge && l.x2 == edge - length) at.push_back(l.y1);
        return at;
    }

    RecordingSurface s;
    PlotMapping m;
    double xMax, yMax;
};

TEST(drawFrame, WorkedExample)
{
    // x 1.62 to 2.95 on columns 56..600, y 250 to 410 on rows 307..24.
    const Frame f({56, 24, 600, 307}, 1.62, 2.95, 250, 410, "pH", "emf /mV", "run 7");
    // The rectangle stands four pixels outside the data area.
    const std::vector<Line> lines = f.s.lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(std::vector<Line>(lines.begin(), lines.begin() + 4),
              (std::vector<Line>{{52, 307, 604, 307}, {604, 307, 604, 24}, {604, 24, 52, 24}, {52, 24, 52, 307}}));
    EXPECT_EQ(f.s.ops.front(), test::Op(test::PenWidth{1}));
    EXPECT_EQ(f.s.ops.back(), test::Op(test::PenWidth{1}));

    // x ticks 1.8 to 2.8, every second labelled; y ticks 260 to 400, labels 260 to 380.
    // 400 lies on row 41.5 exactly and rounds to the even 42.
    EXPECT_EQ(f.xMarks(307, 2), (Pixels{129, 211, 293, 375, 456, 538}));
    EXPECT_EQ(f.xMarks(307, 4), (Pixels{129, 293, 456}));
    EXPECT_EQ(f.yMarks(52, 2), (Pixels{289, 254, 218, 183, 148, 112, 77, 42}));
    EXPECT_EQ(f.yMarks(52, 4), (Pixels{289, 218, 148, 77}));
    EXPECT_EQ(f.s.texts(), (std::vector<Text>{
        label(328, 8, TextAlign::Centre, "run 7"), label(129, 313, TextAlign::Centre, "1.8"),
        label(293, 313, TextAlign::Centre, "2.2"), label(456, 313, TextAlign::Centre, "2.6"),
        label(328, 327, TextAlign::Centre, "pH"), label(46, 283, TextAlign::Right, "260"),
        label(46, 212, TextAlign::Right, "300"), label(46, 142, TextAlign::Right, "340"),
        label(46, 71, TextAlign::Right, "380"), label(0, 166, TextAlign::Centre, "emf /mV", 90)}));
    EXPECT_EQ(f.xMax, 2.95);
    EXPECT_EQ(f.yMax, 410);
}

TEST(drawFrame, EqualEndsWidenTheRangeToOneUnitWithTicksAtBothEnds)
{
    const Frame f({50, 20, 550, 220}, 5, 5, 7, 7, "pH");
    EXPECT_EQ(f.xMax, 6);
    EXPECT_EQ(f.yMax, 8);
    EXPECT_EQ(f.xMarks(220, 2), (Pixels{50, 550}));
    EXPECT_EQ(f.s.strings(226), (Strings{"5", "6"}));
    EXPECT_EQ(f.yMarks(46, 4), (Pixels{220, 20}));
}

TEST(drawFrame, EmptyXTitleLeavesTheBottomEdgeBare)
{
    const Frame f({56, 24, 600, 307}, 1.62, 2.95, 250, 410, "", "emf /mV", "title");
    EXPECT_TRUE(f.xMarks(307, 2).empty());
    EXPECT_TRUE(f.xMarks(307, 4).empty());
    EXPECT_EQ(f.s.strings(), (Strings{"title", "260", "300", "340", "380", "emf /mV"}));
    // The mapping is set all the same.
    EXPECT_EQ(xToPixel(f.m, 2.95), 600);
}

TEST(drawFrame, TicksAndLabelsForOtherRanges)
{
    // A symmetric range of seven units: 100 pixels per unit, zero on row 370.
    const Frame symmetric({56, 0, 584, 740}, 0, 1, -3.7, 3.7, "");
    EXPECT_EQ(symmetric.yMarks(52, 2), (Pixels{670, 570, 470, 370, 270, 170, 70}));
    EXPECT_EQ(symmetric.s.strings(), (Strings{"-3", "-1", "1", "3"}));

    // Five ticks are all labelled, six every second.
    const Frame five({0, 0, 410, 100}, 0, 20.5, 0, 4, "x", "", "", 5);
    EXPECT_EQ(five.xMarks(100, 4), (Pixels{0, 100, 200, 300, 400}));
    EXPECT_EQ(five.yMarks(-4, 4), (Pixels{100, 75, 50, 25, 0}));
    const Frame six({0, 0, 510, 100}, 0, 51, 0, 5, "x", "", "", 5);
    EXPECT_EQ(six.xMarks(100, 2), (Pixels{0, 100, 200, 300, 400, 500}));
    EXPECT_EQ(six.xMarks(100, 4), (Pixels{0, 200, 400}));
    EXPECT_EQ(six.yMarks(-4, 4), (Pixels{100, 60, 20}));

    // The last x tick may stand two pixels right of the area, but not three.
    EXPECT_EQ(Frame({0, 0, 100, 100}, 0, 49, 0, 1).xMarks(100, 2).back(), 102);
    EXPECT_EQ(Frame({0, 0, 100, 100}, 0, 48.5, 0, 1).xMarks(100, 2).back(), 93);
}

TEST(drawFrame, ReversedRangesStartAtTheFirstMultipleInsideNextToTheMinimum)
{
    // Mirror of the worked example: 2.8 down to 1.8, read left to right.
    const Frame x({56, 24, 600, 307}, 2.95, 1.62, 250, 410, "pH");
    EXPECT_EQ(x.xMarks(307, 2), (Pixels{118, 200, 281, 363, 445, 527}));
    EXPECT_EQ(x.s.strings(313), (Strings{"2.8", "2.4", "2.0"}));

    // 2 pixels per mV, 395 on the bottom row and 250 on the top: ticks 380 up to 260,
    // none at 400 below the frame.
    const Frame y({56, 24, 600, 314}, 0, 1, 395, 250, "");
    EXPECT_EQ(y.yMarks(52, 2), (Pixels{284, 244, 204, 164, 124, 84, 44}));
}

TEST(drawFrame, SizeFactorScalesTicksOffsetsAndFontsButNotTheMargin)
{
    const Frame f({100, 100, 510, 300}, 0, 20.5, 0, 4, "x", "y", "t", 5, 2);
    EXPECT_EQ(f.s.ops.front(), test::Op(test::PenWidth{2}));
    EXPECT_EQ(f.s.lines().front(), (Line{96, 300, 514, 300}));
    EXPECT_EQ(f.xMarks(300, 4), (Pixels{100, 200, 300, 400, 500}));
    EXPECT_EQ(f.xMarks(300, 8), (Pixels{100, 200, 300, 400, 500}));
    EXPECT_EQ(f.yMarks(96, 8), (Pixels{300, 250, 200, 150, 100}));
    const std::vector<Text> texts = f.s.texts();
    ASSERT_EQ(texts.size(), 13u);
    EXPECT_EQ(texts.front(), label(305, 68, TextAlign::Centre, "t", 0, 24));
    EXPECT_EQ(f.s.strings(312), (Strings{"0", "5", "10", "15", "20"}));
    EXPECT_EQ(texts[6], label(305, 340, TextAlign::Centre, "x", 0, 24));
    EXPECT_EQ(texts[7], label(84, 288, TextAlign::Right, "0", 0, 24));
    EXPECT_EQ(texts.back(), label(0, 200, TextAlign::Centre, "y", 90, 24));
}

TEST(drawFrame, RangesTheStepsOrPixelsCannotCoverGetNoTicks)
{
    for (const double end : {1E23, 1E300, std::numeric_limits<double>::infinity(), std::nan("")}) {
        const Frame f({56, 24, 600, 307}, 0, end, 0, end, "pH", "emf", "t");
        EXPECT_EQ(f.s.lines().size(), 4u) << end;
        EXPECT_EQ(f.s.strings(), (Strings{"t", "pH", "emf"})) << end;
    }
}

TEST(drawLabel, NinePointsAreTwelvePixelsAt96DotsPerInch)
{
    RecordingSurface at96(600, 450, 96), at120(600, 450, 120), at72(600, 450, 72), empty;
    drawLabel(at96, 10, 20, 9, LabelMode::Centred, "a");
    drawLabel(at120, 10, 20, 9, LabelMode::Upward, "b");
    drawLabel(at72, 10, 20, 9, LabelMode::RightEnd, "c");
    drawLabel(empty, 10, 20, 9, LabelMode::Centred, "");
    EXPECT_EQ(at96.texts(), (std::vector<Text>{label(10, 20, TextAlign::Centre, "a")}));
    EXPECT_EQ(at120.texts(), (std::vector<Text>{label(10, 20, TextAlign::Centre, "b", 90, 15)}));
    EXPECT_EQ(at72.texts(), (std::vector<Text>{label(10, 20, TextAlign::Right, "c", 0, 9)}));
    EXPECT_TRUE(empty.ops.empty());
}

TEST(drawCross, ArmsOfFourPixelsTimesTheSizeFactor)
{
    RecordingSurface s, edge;
    drawCross(s, 1, 100, 50);
    drawCross(s, 2, 10, 10);
    drawCross(edge, 1, 2147483645, 0);
    EXPECT_EQ(s.lines(), (std::vector<Line>{{96, 50, 104, 50}, {100, 46, 100, 54}, {2, 10, 18, 10}, {10, 2, 10, 18}}));
    EXPECT_TRUE(edge.ops.empty());
}

}  // namespace
}  // namespace quorlin
