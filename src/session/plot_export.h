#pragma once

#include "plot/surface.h"
#include "session/session.h"

#include <string>

namespace quorlin {

// Draws the session's calibration plots as the window does: titled with the calibration
// file's caption, and only while a calibration file is loaded.
void drawCalibrationPlots(Surface& surface, const Session& session);

// The two calibration plots as the window draws them for the session, as an SVG
// document; an empty one while no calibration file is loaded.
std::string calibrationPlotSvg(const Session& session, int width, int height);

}  // namespace quorlin
