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

void setScales(PlotMapping& m, double& xMax, double xMin, double& yMax, double yMin)
{
    if (xMin == xMax) xMax = xMin + 1;
    scaleAxis(m.left, m.right, xMin, xMax, m.xScale, m.xOffset);
    if (yMin == yMax) yMax = yMin + 1;
    scaleAxis(m.bottom, m.top, yMin, yMax, m.yScale, m.yOffset);
}

}  // namespace quorlin
