#pragma once

#include "plot/plot_mapping.h"
#include "plot/surface.h"
#include "text/number_text.h"

#include <cstdint>
#include <string_view>

namespace quorlin {

inline constexpr std::string_view kLabelFace = "Arial";

enum class LabelMode {
    Centred = 0,   // horizontal, top edge on y, centred on x
    Upward = 1,    // turned to read upwards, centred on y, top side on column x
    RightEnd = 2,  // horizontal, top edge on y, right end on x
};

// Text in Arial of `size` points (character height), converted to pixels at the
// surface's resolution.
void drawLabel(Surface& surface, std::int32_t x, std::int32_t y, std::int32_t size, LabelMode mode,
               std::string_view text);

// The data marker: a cross with arms of 4f pixels, in the current pen.
void drawCross(Surface& surface, std::int32_t f, std::int32_t px, std::int32_t py);

// The marker of a point left out of the fit: the outline of a cross as large as the data
// marker, with arms 2f pixels wide, in grey; the pen is black again afterwards.
void drawHollowCross(Surface& surface, std::int32_t f, std::int32_t px, std::int32_t py);

// The frame of one plot around the data area whose edges are set in `m`: rectangle,
// title, ticks and tick labels on the bottom (only with an x title) and left edges, and
// axis titles; then the mapping for the data drawn afterwards. f multiplies tick
// lengths, text offsets and font sizes; nY limits the intervals on the y axis. xMax and
// yMax may be widened as by setScales. Ticks of a range that the steps or 32-bit pixels
// cannot cover are left out.
void drawFrame(Surface& surface, PlotMapping& m, std::int32_t f, std::int32_t nY, double xMin, double yMin,
               double& xMax, double& yMax, std::string_view xTitle, std::string_view yTitle, std::string_view title,
               const RegionalSettings& regional);

}  // namespace quorlin
