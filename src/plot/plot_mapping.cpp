#include "plot_mapping.h"

#include <cmath>
#include <limits>

namespace quorlin {

namespace {

constexpr double kNoScale = std::numeric_limits<double>::quiet_NaN();

// One axis: the value at `low` falls on pixel `from`, the value at `high` on pixel `to`.
void scaleAxis(std::int32_t from, std::int32_t to, double low, double high, double& scale, std::int32_t& offset)
{
    const double range = high - low;
    scale = (static_cast<double>(to) - static_cast<double>(from)) / range;
    // An overflowing range would squeeze every value onto one pixel.
    const bool usable = std::isfinite(range) && std::isfinite(scale);
    const std::optional<std::int32_t> shift = usable ? nearest(low * scale) : std::nullopt;
    const std::int64_t o = static_cast<std::int64_t>(from) - shift.value_or(0);
    if (!shift || !fitsInt32(o)) {
        scale = kNoScale;
        offset = from;
        return;
    }
    offset = static_cast<std::int32_t>(o);
}

}  // namespace

std::optional<std::int32_t> nearest(double v)
{
    // Adding and taking away 2^52 leaves no bits below the units, so the sum rounds as
    // nearbyint would (halves to even in the default mode), without a library call for
    // each of a million points. Larger magnitudes are whole already.
    constexpr double kUnitBit = 0x1p52;
    double r = v;
    if (std::fabs(v) < kUnitBit) r = v >= 0 ? (v + kUnitBit) - kUnitBit : (v - kUnitBit) + kUnitBit;
    if (!(r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(r);
}

void setScales(PlotMapping& m, double& xMax, double xMin, double& yMax, double yMin)
{
    if (xMin == xMax) xMax = xMin + 1;
    scaleAxis(m.left, m.right, xMin, xMax, m.xScale, m.xOffset);
    if (yMin == yMax) yMax = yMin + 1;
    scaleAxis(m.bottom, m.top, yMin, yMax, m.yScale, m.yOffset);
}

std::optional<std::int32_t> xToPixel(const PlotMapping& m, double x) { return nearest(m.xOffset + x * m.xScale); }

std::optional<std::int32_t> yToPixel(const PlotMapping& m, double y) { return nearest(m.yOffset + y * m.yScale); }

}  // namespace quorlin
