#include "plot/calibration_plot.h"
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
using Strings = std::vector<std::string>;

const RegionalSettings kPoint;
constexpr const char* kTitle = "/data/cal1.txt";

PointArray points(const std::vector<double>& values)
{
    PointArray a(1);
    for (const double v : values) a.push_back(Number::fromDouble(v));
    return a;
}

Workspace calibration(const std::vector<double>& ph, const std::vector<double>& emf,
                      const std::vector<double>& residual)
{
    Workspace ws;
    ws.CalCount = static_cast<std::int32_t>(emf.size());
    ws.CalPH = points(ph);
    ws.CalEmf = points(emf);
    ws.CalResidual = points(residual);
    return ws;
}

// pH falling and emf rising, one unit of pH wide: 528 pixels per pH unit.
Workspace fivePoints()
{
    return calibration({3.0, 2.75, 2.5, 2.25, 2.0}, {200, 216, 230.5, 246, 260}, {0.5, -1, 2, -0.5, 0.25});
}

struct Plot {
    explicit Plot(const Workspace& ws, double width = 600, double height = 450) : surface(width, height)
    {
        PlotData(surface, mapping, extents, ws, kTitle, true, kPoint);
    }
    // Tick labels on the left edges, lower plot or upper one.
    Strings yLabels(bool lower) const
    {
        Strings found;
        for (const Text& t : surface.texts())
            if (t.align == TextAlign::Right && (t.y > 307) == lower) found.push_back(t.text);
        return found;
    }
    // Centres of the data markers, from their horizontal arms.
    std::vector<std::pair<std::int32_t, std::int32_t>> crossCentres() const
    {
        std::vector<std::pair<std::int32_t, std::int32_t>> found;
        for (const Line& l : surface.lines([](const Line& l) { return l.y1 == l.y2 && l.x2 - l.x1 == 8; }))
            found.emplace_back(l.x1 + 4, l.y1);
        return found;
    }
    // Segments from one data point to the next: neither axis-parallel like the frame nor a
    // marker arm.
    std::vector<Line> slanted() const
    {
        return surface.lines([](const Line& l) { return l.x1 != l.x2 && l.y1 != l.y2; });
    }
    // Vertical lines starting on the residual plot's zero row.
    std::vector<Line> sticks(std::int32_t zeroRow) const
    {
        return surface.lines([zeroRow](const Line& l) { return l.x1 == l.x2 && l.y1 == zeroRow && l.x1 > 56 - 4; });
    }

    RecordingSurface surface;
    PlotMapping mapping;
    PlotExtents extents;
};

TEST(PlotData, LayoutOf600By450)
{
    const Plot p(fivePoints());
    ASSERT_FALSE(p.surface.ops.empty());
    EXPECT_EQ(p.surface.ops.front(), test::Op(test::Clear{}));
    // Upper frame around columns 56..584 and rows 24..307, lower around rows 323..410.
    const std::vector<Line> lines = p.surface.lines();
    EXPECT_EQ(std::vector<Line>(lines.begin(), lines.begin() + 4),
              (std::vector<Line>{{52, 307, 588, 307}, {588, 307, 588, 24}, {588, 24, 52, 24}, {52, 24, 52, 307}}));
    for (const Line& edge : {Line{52, 410, 588, 410}, {588, 410, 588, 323}, {588, 323, 52, 323}, {52, 323, 52, 410}})
        EXPECT_TRUE(p.surface.has(edge)) << edge.x1 << "," << edge.y1;

    EXPECT_EQ(p.surface.texts().front(), (Text{320, 8, TextAlign::Centre, "Arial", 12, 0, kTitle}));
    for (const Text& title : {Text{0, 166, TextAlign::Centre, "Arial", 12, 90, "emf /mV"},
                              Text{320, 307, TextAlign::Centre, "Arial", 12, 0, "obs-calc"},
                              Text{0, 366, TextAlign::Centre, "Arial", 12, 90, " /mV"}})
        EXPECT_TRUE(p.surface.has(title)) << title.text;
    EXPECT_EQ(p.surface.strings(430), (Strings{"pH"}));
    EXPECT_EQ(p.surface.strings(416), (Strings{"2.0", "2.2", "2.4", "2.6", "2.8", "3.0"}));
    // The upper plot leaves its pH axis to the lower one.
    EXPECT_TRUE(p.surface.strings(313).empty());
}

TEST(PlotData, FractionalSurfaceSizesRoundToWholePixels)
{
    const Plot whole(fivePoints());
    const Plot fractional(fivePoints(), 600.4, 450.5);
    EXPECT_EQ(fractional.surface.ops, whole.surface.ops);
}

TEST(PlotData, CrossesLineAndSticksFollowThePointOrder)
{
    const Plot p(fivePoints());
    using Centres = std::vector<std::pair<std::int32_t, std::int32_t>>;
    EXPECT_EQ(p.crossCentres(), (Centres{{584, 307}, {452, 231}, {320, 163}, {188, 90}, {56, 24}}));
    // Calculated emf, observed minus residual.
    EXPECT_EQ(p.slanted(), (std::vector<Line>{{584, 309, 452, 226}, {452, 226, 320, 172}, {320, 172, 188, 87},
                                              {188, 87, 56, 25}}));
    // Largest residual 2: the axis runs from -2 to 2 and zero lies on row 366.
    EXPECT_EQ(p.sticks(366), (std::vector<Line>{{584, 366, 584, 355}, {452, 366, 452, 388}, {320, 366, 320, 322},
                                                {188, 366, 188, 377}, {56, 366, 56, 361}}));
}

TEST(PlotData, ExtentsComeFromTheFirstAndLastPointsNotTheExtremes)
{
    // The middle point lies above the last emf: its cross stands above the frame.
    const Plot p(calibration({2.5, 2.3, 2.0}, {200, 300, 250}, {0, 0, 0}));
    EXPECT_EQ(p.extents.xMin, 2.0);
    EXPECT_EQ(p.extents.xMax, 2.5);
    EXPECT_EQ(p.extents.yMin, 200);
    EXPECT_EQ(p.extents.yMax, 250);
    const auto crosses = p.crossCentres();
    ASSERT_EQ(crosses.size(), 3u);
    EXPECT_LT(crosses[1].second, 24);

    // Equal first and last values: the extents keep the ranges the frames widened.
    const Plot equal(calibration({2.5, 2.2, 2.5}, {240, 230, 240}, {0, 0, 0}));
    EXPECT_EQ(equal.extents.xMax, 3.5);
    EXPECT_EQ(equal.extents.yMax, 241);
}

TEST(PlotData, LargestResidualInMagnitudeSetsTheSymmetricRange)
{
    const Plot p(calibration({3, 2.5, 2}, {200, 230, 260}, {0.5, -3, 1}));
    EXPECT_EQ(p.yLabels(true), (Strings{"-3", "-1", "1", "3"}));
    // 87 rows for 6 mV: -3 on the bottom edge, 3 on row 322.5, which rounds to the even 322.
    EXPECT_TRUE(p.surface.has(Line{52, 410, 48, 410}));
    EXPECT_TRUE(p.surface.has(Line{52, 322, 48, 322}));
}

TEST(PlotData, AllResidualsZeroGiveExponentLabelsAndEmptySticks)
{
    const Plot p(calibration({3, 2.5, 2}, {200, 230, 260}, {0, 0, 0}));
    EXPECT_EQ(p.yLabels(true), (Strings{"-8.0E-21", "-4.0E-21", "0.0E00", "4.0E-21", "8.0E-21"}));
    const std::vector<Line> sticks = p.sticks(366);
    ASSERT_EQ(sticks.size(), 3u);
    for (const Line& l : sticks) EXPECT_EQ(l.y2, l.y1);
    // The calculated line runs through the crosses.
    EXPECT_EQ(p.slanted(), (std::vector<Line>{{584, 307, 320, 165}, {320, 165, 56, 24}}));

    // Residuals never computed count as zero.
    Workspace fresh = calibration({3, 2.5, 2}, {200, 230, 260}, {});
    reallocateFresh(fresh.CalResidual, 3);
    EXPECT_EQ(Plot(fresh).surface.ops, p.surface.ops);
}

TEST(PlotData, WithoutCalibrationDataNothingIsDrawnAndWithoutPointsTheSurfaceIsOnlyCleared)
{
    RecordingSurface absent, noPoints, unallocated;
    PlotMapping m;
    PlotExtents e{1, 2, 3, 4};
    PlotData(absent, m, e, fivePoints(), kTitle, false, kPoint);
    EXPECT_TRUE(absent.ops.empty());
    EXPECT_EQ(e.yMax, 4);

    Workspace ws = fivePoints();
    ws.CalCount = 0;
    PlotData(noPoints, m, e, ws, kTitle, true, kPoint);
    PlotData(unallocated, m, e, Workspace{}, kTitle, true, kPoint);
    EXPECT_EQ(noPoints.ops, (std::vector<test::Op>{test::Clear{}}));
    EXPECT_EQ(unallocated.ops, (std::vector<test::Op>{test::Clear{}}));
}

TEST(PlotData, PointsInsertedSinceTheModelValuesAreLeftOut)
{
    Workspace ws = calibration({3, 2.5, 2}, {200, 230, 260}, {1, -1, 0.5});
    ws.CalCount = 5;
    resizeKeeping(ws.CalEmf, 5);
    resizeKeeping(ws.CalVolume, 5);
    const Plot p(ws);
    EXPECT_EQ(p.extents.xMin, 2);
    EXPECT_EQ(p.extents.yMax, 260);
    EXPECT_EQ(p.crossCentres().size(), 3u);
    EXPECT_EQ(p.slanted().size(), 2u);
}

TEST(PlotData, PointsWithoutAPixelAreSkippedAndBreakTheLine)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Plot p(calibration({3, 2.75, inf, 2.25, 2.5, 2}, {200, nan, 230, 1E12, 245, 260}, {0, 0, 0, 0, nan, 1}));
    // Crosses for points 1, 5 and 6; point 4 lies beyond 32-bit rows.
    EXPECT_EQ(p.crossCentres().size(), 3u);
    // Every neighbour of a placed point on the calculated line lacks a pixel: no segment is left.
    EXPECT_TRUE(p.slanted().empty());
    // The residual axis ignores the missing residual: 1 is the largest, on row 322.
    EXPECT_TRUE(p.surface.has(Line{52, 322, 48, 322}));
}

}  // namespace
}  // namespace quorlin
