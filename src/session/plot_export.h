#pragma once

#include "plot/calibration_plot.h"
#include "plot/surface.h"
#include "session/session.h"

#include <string>
#include <string_view>

namespace quorlin {

// What the calibration plots show: the points of the calibration in force with their
// model values and residuals; without one, the latest modelled points without residuals.
// Faded when the calibration data have changed since. Nothing before calibration data.
struct PlotSource {
    const CalibrationData* data = nullptr;
    const PointArray* residuals = nullptr;
    const PointExclusions* exclusions = nullptr;
    bool faded = false;
};
PlotSource plotSource(const Session& session);

// Draws the session's calibration plots as the window does, under `title`, from
// `mapping` and `extents` as the window keeps them between redraws.
void drawCalibrationPlots(Surface& surface, PlotMapping& mapping, PlotExtents& extents, const Session& session,
                          std::string_view title);
// The same from a fresh mapping.
void drawCalibrationPlots(Surface& surface, const Session& session, std::string_view title);

// Whether the plots have so many points that an SVG of them should draw each pixel's
// marks once; up to that, every element is kept, as such files always were.
bool svgDrawsOnce(const Session& session);

// The two calibration plots as the window draws them for the session, as an SVG
// document; an empty one while no calibration data are loaded.
std::string calibrationPlotSvg(const Session& session, std::string_view title, int width, int height);

}  // namespace quorlin
