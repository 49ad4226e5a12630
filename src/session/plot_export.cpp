#include "plot_export.h"

#include "plot/svg_surface.h"

namespace quorlin {

namespace {
const PointArray kNoResiduals;
const PointExclusions kNoExclusions;
}  // namespace

PlotSource plotSource(const Session& session)
{
    const Calibration& calibration = session.calibration();
    PlotSource source;
    if (const CalibrationRecord* record = calibration.record().get()) {
        source = {&record->allPoints(), &record->allResiduals(), &record->input->exclusions, calibration.outOfDate()};
    } else if (const CalibrationState* modelled = calibration.modelled().get(); modelled && calibration.file()) {
        source = {&modelled->data, &kNoResiduals, &modelled->exclusions, !sameFitInput(*modelled, calibration.state())};
    }
    return source;
}

void drawCalibrationPlots(Surface& surface, PlotMapping& mapping, PlotExtents& extents, const Session& session,
                          std::string_view title)
{
    const PlotSource source = plotSource(session);
    if (!source.data) return;
    drawCalibrationPlots(surface, mapping, extents, *source.data, *source.residuals, title, true, session.regional(),
                         *source.exclusions);
}

void drawCalibrationPlots(Surface& surface, const Session& session, std::string_view title)
{
    PlotMapping mapping;
    PlotExtents extents;
    drawCalibrationPlots(surface, mapping, extents, session, title);
}

bool svgDrawsOnce(const Session& session)
{
    constexpr std::int32_t kEveryElementUpTo = 10000;
    const PlotSource source = plotSource(session);
    return source.data && source.data->count > kEveryElementUpTo;
}

std::string calibrationPlotSvg(const Session& session, std::string_view title, int width, int height)
{
    const double scale = exportLayoutScale(width, height);
    SvgSurface surface(static_cast<int>(width / scale + 0.5), static_cast<int>(height / scale + 0.5));
    surface.setDisplaySize(width, height);
    surface.setDrawnOnce(svgDrawsOnce(session));
    drawCalibrationPlots(surface, session, title);
    return surface.document();
}

}  // namespace quorlin
