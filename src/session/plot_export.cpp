#include "plot_export.h"

#include "plot/calibration_plot.h"
#include "plot/svg_surface.h"

namespace quorlin {

void drawCalibrationPlots(Surface& surface, const Session& session)
{
    PlotMapping mapping;
    PlotExtents extents;
    const std::string& title = session.captions().fileName[0];
    drawCalibrationPlots(surface, mapping, extents, session.calibration(), title, title != Captions::kNone,
                         session.regional(), session.exclusions());
}

std::string calibrationPlotSvg(const Session& session, int width, int height)
{
    const double scale = exportLayoutScale(width, height);
    SvgSurface surface(static_cast<int>(width / scale + 0.5), static_cast<int>(height / scale + 0.5));
    surface.setDisplaySize(width, height);
    drawCalibrationPlots(surface, session);
    return surface.document();
}

}  // namespace quorlin
