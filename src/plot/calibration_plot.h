#pragma once

#include "core/data_sets.h"
#include "core/point_exclusions.h"
#include "plot/plot_mapping.h"
#include "plot/surface.h"
#include "text/number_text.h"

#include <string_view>

namespace quorlin {

// The value ranges of the last calibration plot, kept by the window between calls.
// They come from the first and last points, not from a search for extremes.
struct PlotExtents {
    double xMin = 0.0;  // pH of the last point
    double xMax = 0.0;  // pH of the first point (widened by 1 when both are equal)
    double yMin = 0.0;  // emf of the first point
    double yMax = 0.0;  // emf of the last point (widened likewise)
};

// Redraws the calibration display from the calibration data: measured emf as crosses and the
// calculated emf (emf minus `residuals`) as a line against model pH above, the residuals as
// sticks below.
// `title` is the calibration file's name; `calibrationPresent` is whether calibration
// data are loaded (without them the surface is left untouched). Only the points that
// have model values are drawn; with none the surface is just cleared. Leaves `m` set
// for the lower plot. Points left out of the fit are drawn as hollow grey crosses above
// and not at all below. Each plot draws only on its own part of the surface: a point or
// stick beyond it is cut at the edge and marked there by a small triangle pointing out.
// Exported pictures are laid out as a plot of at most 800×600 pixels and scaled up
// from there, so that text and markers grow with the picture.
inline constexpr int kExportLayoutWidth = 800;
inline constexpr int kExportLayoutHeight = 600;
double exportLayoutScale(int width, int height);

void drawCalibrationPlots(Surface& surface, PlotMapping& m, PlotExtents& extents, const CalibrationData& data,
                          const PointArray& residuals, std::string_view title, bool calibrationPresent,
                          const RegionalSettings& regional, const PointExclusions& excluded = {});

}  // namespace quorlin
