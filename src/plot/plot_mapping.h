#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace quorlin {

// Where the data area lies on the surface and how values map onto it. The caller sets
// the four edges before each frame; setScales writes the rest. A scale of NaN marks an
// axis that no value can be mapped onto (a degenerate range or offsets beyond 32 bits).
struct PlotMapping {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t xOffset = 0;  // column at which x = 0 would lie
    double xScale = 0.0;       // pixels per unit of x
    std::int32_t yOffset = 0;  // row at which y = 0 would lie
    double yScale = 0.0;       // pixels per unit of y, negative for an upward axis
};

// The nearest 32-bit integer, halves to the even neighbour; none when v is not finite
// or the result does not fit. Inline, as a plot maps each of a million points.
inline std::optional<std::int32_t> nearest(double v)
{
    // Adding and taking away 2^52 leaves no bits below the units, so the sum rounds as
    // nearbyint would (halves to even in the default mode), without a library call.
    // Larger magnitudes are whole already.
    constexpr double kUnitBit = 0x1p52;
    double r = v;
    if (std::fabs(v) < kUnitBit) r = v >= 0 ? (v + kUnitBit) - kUnitBit : (v - kUnitBit) + kUnitBit;
    if (!(r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(r);
}

inline bool fitsInt32(std::int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

// Derives the scales and offsets from the edges so that xMin falls on left, xMax on
// right, yMin on bottom and yMax on top. Equal ends are widened by raising
// the caller's maximum by 1.
void setScales(PlotMapping& m, double& xMax, double xMin, double& yMax, double yMin);

// The pixel of a value; none when it is not finite or beyond 32 bits.
inline std::optional<std::int32_t> xToPixel(const PlotMapping& m, double x)
{
    return nearest(m.xOffset + x * m.xScale);
}
inline std::optional<std::int32_t> yToPixel(const PlotMapping& m, double y)
{
    return nearest(m.yOffset + y * m.yScale);
}

}  // namespace quorlin
