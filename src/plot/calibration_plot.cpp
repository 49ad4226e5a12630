#include "calibration_plot.h"

#include "plot/frame.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quorlin {

namespace {

constexpr std::int32_t kSizeFactor = 1;
constexpr std::int32_t kYIntervals = 10;

std::int32_t slotsAfterZero(const PointArray& a)
{
    return a.empty() ? 0 : static_cast<std::int32_t>(std::min<std::size_t>(a.size() - 1, INT32_MAX));
}

// After an insertion the count can run ahead of the model values until they are
// recomputed; only points that have all their values are drawn.
std::int32_t plottablePoints(const CalibrationData& data)
{
    return std::max(
        0, std::min({data.count, slotsAfterZero(data.pH), slotsAfterZero(data.emf), slotsAfterZero(data.residual)}));
}

double at(const PointArray& a, std::int32_t i) { return a[static_cast<std::size_t>(i)].value(); }

// Observed minus residual, in the precision the two values carry.
double calculatedEmf(const CalibrationData& data, std::int32_t i)
{
    const auto k = static_cast<std::size_t>(i);
    return (data.emf[k] - data.residual[k]).value();
}

void drawMeasuredAndCalculated(Surface& s, const PlotMapping& m, const CalibrationData& data, std::int32_t n,
                               const PointExclusions& excluded)
{
    for (std::int32_t i = 1; i <= n; ++i) {
        const auto px = xToPixel(m, at(data.pH, i));
        const auto py = yToPixel(m, at(data.emf, i));
        if (!px || !py) continue;
        if (excluded.contains(i))
            drawHollowCross(s, kSizeFactor, *px, *py);
        else
            drawCross(s, kSizeFactor, *px, *py);
    }
    // A point that cannot be placed breaks the line instead of being bridged.
    bool drawing = false;
    for (std::int32_t i = 1; i <= n; ++i) {
        const auto px = xToPixel(m, at(data.pH, i));
        const auto py = yToPixel(m, calculatedEmf(data, i));
        if (!px || !py) {
            drawing = false;
            continue;
        }
        if (drawing)
            s.lineTo(*px, *py);
        else
            s.moveTo(*px, *py);
        drawing = true;
    }
}

// Half the height of the residual axis: the largest finite residual in magnitude.
double residualRange(const CalibrationData& data, std::int32_t n, const PointExclusions& excluded)
{
    double r = 1E-20;
    for (std::int32_t i = 1; i <= n; ++i) {
        if (excluded.contains(i)) continue;
        const double v = std::abs(at(data.residual, i));
        if (std::isfinite(v) && v > r) r = v;
    }
    return r;
}

void drawResiduals(Surface& s, const PlotMapping& m, const CalibrationData& data, std::int32_t n,
                   const PointExclusions& excluded)
{
    const auto zero = yToPixel(m, 0);
    if (!zero) return;
    for (std::int32_t i = 1; i <= n; ++i) {
        if (excluded.contains(i)) continue;
        const auto px = xToPixel(m, at(data.pH, i));
        const auto py = yToPixel(m, at(data.residual, i));
        if (!px || !py) continue;
        s.moveTo(*px, *zero);
        s.lineTo(*px, *py);
    }
}

}  // namespace

double exportLayoutScale(int width, int height)
{
    return std::max(1.0, std::min(static_cast<double>(width) / kExportLayoutWidth,
                                  static_cast<double>(height) / kExportLayoutHeight));
}

void drawCalibrationPlots(Surface& surface, PlotMapping& m, PlotExtents& extents, const CalibrationData& data,
                          std::string_view title, bool calibrationPresent, const RegionalSettings& regional,
                          const PointExclusions& excluded)
{
    if (!calibrationPresent) return;
    const std::int32_t n = plottablePoints(data);
    surface.clear();
    if (n == 0) return;

    extents.xMin = at(data.pH, n);
    extents.xMax = at(data.pH, 1);
    extents.yMin = at(data.emf, 1);
    extents.yMax = at(data.emf, n);

    const std::optional<std::int32_t> h = nearest(surface.innerHeight());
    const std::optional<std::int32_t> right = nearest(surface.innerWidth() - 16);
    const std::optional<std::int32_t> upperBottom = h ? nearest(7.0 / 10.0 * *h - 8) : std::nullopt;
    if (!right || !upperBottom) return;

    m.top = 24;
    m.left = 56;
    m.right = *right;
    m.bottom = *upperBottom;
    // No x title: the residual plot below labels the shared pH axis.
    drawFrame(surface, m, kSizeFactor, kYIntervals, extents.xMin, extents.yMin, extents.xMax, extents.yMax, "",
              "emf /mV", title, regional);
    drawMeasuredAndCalculated(surface, m, data, n, excluded);

    m.top = m.bottom + 16;
    m.bottom = *h - 40;
    const double r = residualRange(data, n, excluded);
    double rMax = r;
    drawFrame(surface, m, kSizeFactor, kYIntervals, extents.xMin, -r, extents.xMax, rMax, "pH", " /mV", "obs-calc",
              regional);
    drawResiduals(surface, m, data, n, excluded);
}

}  // namespace quorlin
