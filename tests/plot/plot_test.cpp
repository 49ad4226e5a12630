#include "plot/calibration_plot.h"
#include "plot/frame.h"
#include "plot/svg_surface.h"
#include "plot/ticks.h"
#include "support/recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>
#include <tuple>
#include <vector>

namespace quorlin {
namespace {

using testing::Line;
using testing::Px;
using testing::Recorder;

TEST(PlotMapping, LowEdgesOnFirstPixelsHalvesToEvenAndNoPixelBeyondRange)
{
    PlotMapping m{0, 0, 100, 50};  // left, top, right, bottom
    double xMax = 100, yMax = 50;
    setScales(m, xMax, 0, yMax, 0);
    const std::tuple<bool, double, std::optional<Px>> cases[] = {
        {true, 0, 0},     {true, 100, 100},     {true, 2.5, 2},         {true, 3.5, 4},   {true, -2.5, -2},
        {true, NAN, {}},  {true, INFINITY, {}}, {true, 3E9, {}},        {false, 0, 50},   {false, 50, 0},
        {false, 0.5, 50}, {false, 1.5, 48},     {false, -INFINITY, {}}, {false, -3E9, {}}};
    for (const auto& [x, value, pixel] : cases) EXPECT_EQ(x ? xToPixel(m, value) : yToPixel(m, value), pixel) << value;
    // Equal ends widen the caller's maximum by one.
    xMax = 5;
    setScales(m, xMax, 5, yMax, 0);
    EXPECT_EQ(xMax, 6);
    EXPECT_EQ(xToPixel(m, 6), 100);
}

TEST(Ticks, OneTwoOrFiveTimesAPowerOfTenAndLabelsToTheStep)
{
    const std::tuple<double, double, Px, double> steps[] = {
        {0, 7.3, 10, 1},         {1.62, 2.95, 10, 0.2}, {250, 410, 10, 20}, {-1.3, 1.3, 10, 0.5},
        {0, 0.0042, 10, 0.0005}, {5, 5, 10, 1},         {3, 1, 10, -0.2},   {0, 73, 5, 20}};
    for (const auto& [a, b, n, step] : steps) EXPECT_DOUBLE_EQ(tickStep(a, b, n), step) << a << ".." << b;
    const std::tuple<double, double, const char*> labels[] = {{2.2, 0.2, "2.2"},           {300, 20, "300"},
                                                              {0.015, 0.005, "0.015"},     {0.25, 0.05, "0.25"},
                                                              {0.0015, 0.0005, "1.50E-3"}, {60000, 20000, "6.0E4"}};
    for (const auto& [value, step, text] : labels) EXPECT_EQ(tickLabelText(value, step, {'.', ','}), text);
    EXPECT_EQ(tickLabelText(2.2, 0.2, {',', '.'}), "2,2");
}

TEST(drawFrame, FrameAroundTheMappedEdgesWithLabelsAndTitles)
{
    Recorder s;
    PlotMapping m{56, 24, 600, 307};
    double xMax = 2.95, yMax = 410;
    drawFrame(s, m, 1, 10, 1.62, 250, xMax, yMax, "pH", "emf /mV", "run 7", RegionalSettings{});
    ASSERT_GE(s.lines.size(), 4u);
    // Four pixels outside the data area.
    EXPECT_EQ(std::vector<Line>(s.lines.begin(), s.lines.begin() + 4),
              (std::vector<Line>{{52, 307, 604, 307}, {604, 307, 604, 24}, {604, 24, 52, 24}, {52, 24, 52, 307}}));
    // Ticks 1.8 to 2.8 and 260 to 400, every second labelled.
    EXPECT_EQ(s.texts,
              (std::vector<std::string>{"run 7", "1.8", "2.2", "2.6", "pH", "260", "300", "340", "380", "emf /mV"}));
}

TEST(drawFrame, ReversedRangesKeepTheirTicksInsideTheFrame)
{
    Recorder s;
    PlotMapping m{56, 24, 600, 314};
    double xMax = 1.62, yMax = 250;
    drawFrame(s, m, 1, 10, 2.95, 395, xMax, yMax, "pH", "", "", RegionalSettings{});
    std::vector<Px> rows;
    for (const Line& l : s.lines)
        if (l.y1 == l.y2 && l.x1 == 52 && l.x2 == 50) rows.push_back(l.y1);
    // Two rows per mV: 380 up to 260, none at 400 below the frame; pH from 2.8, not 3.0, down to 1.8.
    EXPECT_EQ(rows, (std::vector<Px>{284, 244, 204, 164, 124, 84, 44}));
    EXPECT_EQ(s.texts, (std::vector<std::string>{"2.8", "2.4", "2.0", "pH", "380", "340", "300", "260"}));
}

// pH falling by quarters from 3 to 2 and emf rising: the first and last points fall on
// the data area's corners, columns 56..584 and rows 24..307 above; the residuals' range
// is -2..2 on rows 410..323 below, zero on row 366.
CalibrationData fivePoints()
{
    const auto points = [](std::vector<double> values) {
        PointArray a(1);
        for (const double v : values) a.push_back(Number::fromDouble(v));
        return a;
    };
    CalibrationData data;
    data.count = 5;
    data.pH = points({3.0, 2.75, 2.5, 2.25, 2.0});
    data.emf = points({200, 216, 230.5, 246, 260});
    data.residual = points({0.5, -1, 2, -0.5, 0.25});
    return data;
}

TEST(drawCalibrationPlots, CrossesForMeasuredEmfLineForCalculatedAndResidualsBelow)
{
    Recorder s;
    PlotMapping m;
    PlotExtents e;
    drawCalibrationPlots(s, m, e, fivePoints(), fivePoints().residual, "cal.txt", true, RegionalSettings{});
    EXPECT_EQ(s.clears, 1);
    for (const Line& arm : {Line{580, 307, 588, 307}, {584, 303, 584, 311}, {52, 24, 60, 24}, {56, 20, 56, 28}})
        EXPECT_NE(std::ranges::find(s.lines, arm), s.lines.end()) << arm.x1 << "," << arm.y1;
    std::vector<Line> slanted, sticks;
    for (const Line& l : s.lines) {
        if (l.x1 != l.x2 && l.y1 != l.y2) slanted.push_back(l);
        if (l.x1 == l.x2 && l.y1 == 366 && l.x1 >= 56) sticks.push_back(l);
    }
    // The calculated emf, observed minus residual, from point to point: 132 columns per quarter pH.
    ASSERT_EQ(slanted.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(slanted[i].x2, 452 - 132 * static_cast<Px>(i));
    // 21.75 rows per mV: 2 lies on row 322.5, which rounds to the even 322.
    EXPECT_EQ(sticks, (std::vector<Line>{{584, 366, 584, 355},
                                         {452, 366, 452, 388},
                                         {320, 366, 320, 322},
                                         {188, 366, 188, 377},
                                         {56, 366, 56, 361}}));
    for (const char* title : {"cal.txt", "emf /mV", "obs-calc", "pH"})
        EXPECT_NE(std::ranges::find(s.texts, title), s.texts.end()) << title;
}

TEST(drawCalibrationPlots, AnExcludedPointIsAHollowGreyCrossAboveAndNoStickBelow)
{
    Recorder all, some;
    PlotMapping m;
    PlotExtents e;
    drawCalibrationPlots(all, m, e, fivePoints(), fivePoints().residual, "cal.txt", true, RegionalSettings{});
    PointExclusions third;
    third.toggle(3);
    drawCalibrationPlots(some, m, e, fivePoints(), fivePoints().residual, "cal.txt", true, RegionalSettings{}, third);
    EXPECT_TRUE(all.greyLines.empty());
    // Twelve grey edges round (320, 163), the measured 230.5 mV, and no black arm there.
    ASSERT_EQ(some.greyLines.size(), 12u);
    for (const Line& edge : some.greyLines) {
        EXPECT_LE(std::abs(edge.x2 - 320) + std::abs(edge.y2 - 163), 5);
        EXPECT_EQ(std::ranges::count(some.lines, edge), 1);
    }
    EXPECT_EQ(std::ranges::count(some.lines, Line{316, 163, 324, 163}), 0);
    EXPECT_EQ(std::ranges::count(all.lines, Line{316, 163, 324, 163}), 1);
    // Without the 2 mV residual, the largest left is 1 mV: the stick of point 2 reaches the frame.
    EXPECT_EQ(std::ranges::count(some.lines, Line{320, 366, 320, 322}), 0);
    EXPECT_EQ(std::ranges::count_if(some.lines, [](const Line& l) { return l.x1 == 452 && l.y2 == 410; }), 1);
}

TEST(drawCalibrationPlots, EachPlotStaysInItsPanelAndMarksWhatLiesBeyondOnTheEdge)
{
    // Point 2 far above and left out, point 3 far below, point 4 and its stick right of the picture.
    CalibrationData data = fivePoints();
    data.emf[2] = Number::fromDouble(1000);
    data.emf[3] = Number::fromDouble(-100);
    data.pH[4] = Number::fromDouble(3.5);
    PointExclusions second;
    second.toggle(2);
    Recorder s;
    PlotMapping m;
    PlotExtents e;
    drawCalibrationPlots(s, m, e, data, data.residual, "cal.txt", true, RegionalSettings{}, second);
    // The upper panel ends 4 rows below its frame, with the crosses on its edge; the residual
    // plot's lines start beneath, its title at the upper frame's bottom row.
    const auto inside = [](const Line& l, Px top, Px bottom) {
        return std::min(l.x1, l.x2) >= 0 && std::max(l.x1, l.x2) < 600 && std::min(l.y1, l.y2) >= top
               && std::max(l.y1, l.y2) <= bottom;
    };
    const auto lower = static_cast<std::size_t>(std::ranges::find(s.lines, Line{52, 410, 588, 410}) - s.lines.begin());
    const auto title = static_cast<std::size_t>(std::ranges::find(s.texts, "obs-calc") - s.texts.begin());
    for (std::size_t i = 0; i < s.lines.size(); ++i)
        EXPECT_TRUE(i < lower ? inside(s.lines[i], 0, 311) : inside(s.lines[i], 312, 449)) << i;
    for (std::size_t i = 0; i < s.texts.size(); ++i)
        EXPECT_TRUE(i < title ? inside(s.anchors[i], 0, 311) : inside(s.anchors[i], 307, 449)) << s.texts[i];
    // The calculated line towards point 2 is cut at the top, not dropped.
    EXPECT_EQ(std::ranges::count_if(s.lines, [](const Line& l) { return l.x1 == 584 && l.y1 == 309 && l.y2 == 0; }), 1);
    // Tip and outward direction of each triangle: grey point 2, point 3, point 4 and its stick.
    const std::tuple<Px, Px, Px, Px, bool> marks[] = {
        {452, 0, 0, -1, true}, {320, 311, 0, 1, false}, {599, 90, 1, 0, false}, {599, 377, 1, 0, false}};
    for (const auto& [x, y, outX, outY, grey] : marks) {
        const Px bx = x - 4 * outX + 4 * outY, by = y - 4 * outY - 4 * outX, cx = bx - 8 * outY, cy = by + 8 * outX;
        for (const Line& side : {Line{bx, by, x, y}, {x, y, cx, cy}, {cx, cy, bx, by}})
            EXPECT_EQ(std::ranges::count(grey ? s.greyLines : s.lines, side), 1) << x << "," << y;
    }
}

TEST(drawCalibrationPlots, NothingWithoutCalibrationDataAndOnlyAClearWithoutPoints)
{
    Recorder absent, empty;
    PlotMapping m;
    PlotExtents e;
    CalibrationData none = fivePoints();
    drawCalibrationPlots(absent, m, e, none, none.residual, "cal.txt", false, RegionalSettings{});
    none.count = 0;
    drawCalibrationPlots(empty, m, e, none, none.residual, "cal.txt", true, RegionalSettings{});
    EXPECT_EQ(absent.calls(), 0);
    EXPECT_EQ(empty.calls(), 1);
    EXPECT_EQ(empty.clears, 1);
}

// Every element closed in the order opened.
bool tagsBalance(const std::string& xml)
{
    std::vector<std::string> open;
    for (std::size_t p = 0; (p = xml.find('<', p)) != std::string::npos; ++p) {
        const std::string tag = xml.substr(p + 1, xml.find('>', p) - p - 1);
        if (tag.starts_with('/') && (open.empty() || open.back() != tag.substr(1))) return false;
        if (tag.starts_with('/')) open.pop_back();
        if (!tag.starts_with('/') && !tag.starts_with('?') && !tag.ends_with('/'))
            open.push_back(tag.substr(0, tag.find(' ')));
    }
    return open.empty();
}

TEST(SvgSurface, WellFormedWithTheRecordersLinesAndTextAnchors)
{
    Recorder r;
    SvgSurface svg(600, 450);
    PlotMapping m;
    PlotExtents e;
    for (Surface* s : std::initializer_list<Surface*>{&r, &svg})
        drawCalibrationPlots(*s, m, e, fivePoints(), fivePoints().residual, "a<&>.txt", true, RegionalSettings{});
    const std::string doc = svg.document();
    EXPECT_TRUE(doc.starts_with("<?xml") && tagsBalance(doc)) << doc;
    EXPECT_NE(doc.find(">a&lt;&amp;&gt;.txt</text>"), std::string::npos);
    EXPECT_NE(svg.element().find(R"(width="600px" height="450px" viewBox="0 0 600 450")"), std::string::npos);

    std::vector<Line> lines, anchors;
    Line at{};
    for (std::size_t p = 0; (p = doc.find(" d=\"", p)) != std::string::npos; p += 4) {
        std::istringstream d(doc.substr(p + 4, doc.find('"', p + 4) - p - 4));
        char c;
        for (Px x, y; d >> c >> x >> y; at = {x, y, x, y})
            if (c == 'L') lines.push_back({at.x2, at.y2, x, y});
    }
    for (std::size_t p = 0; (p = doc.find("<text x=\"", p)) != std::string::npos; ++p) {
        const Px x = std::stoi(doc.substr(p + 9)), y = std::stoi(doc.substr(doc.find("y=\"", p) + 3));
        anchors.push_back({x, y, x, y});
    }
    EXPECT_EQ(lines, r.lines);
    EXPECT_EQ(anchors, r.anchors);
    EXPECT_EQ(anchors.size(), r.texts.size());
}

}  // namespace
}  // namespace quorlin
