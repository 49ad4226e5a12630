#pragma once

#include <cstdint>
#include <optional>

namespace quorlin {

// Where the data area lies on the surface and how values map onto it. The caller sets
// the four edges before each frame; SetScales writes the rest. A scale of NaN marks an
// axis that no value can be mapped onto (a degenerate range or offsets beyond 32 bits).
struct PlotMapping {
    std::int32_t PlotLeft = 0;
    std::int32_t PlotTop = 0;
    std::int32_t PlotRight = 0;
    std::int32_t PlotBottom = 0;
    std::int32_t XOffset = 0;  // column at which x = 0 would lie
    double XScale = 0.0;       // pixels per unit of x
    std::int32_t YOffset = 0;  // row at which y = 0 would lie
    double YScale = 0.0;       // pixels per unit of y, negative for an upward axis
};

// The nearest 32-bit integer, halves to the even neighbour; none when v is not finite
// or the result does not fit.
std::optional<std::int32_t> nearest(double v);

// Derives the scales and offsets from the edges so that xMin falls on PlotLeft, xMax on
// PlotRight, yMin on PlotBottom and yMax on PlotTop. Equal ends are widened by raising
// the caller's maximum by 1.
void SetScales(PlotMapping& m, double& xMax, double xMin, double& yMax, double yMin);

// The pixel of a value; none when it is not finite or beyond 32 bits.
std::optional<std::int32_t> XToPixel(const PlotMapping& m, double x);
std::optional<std::int32_t> YToPixel(const PlotMapping& m, double y);

}  // namespace quorlin
