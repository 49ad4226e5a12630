// One full redraw of the calibration plots into a 1000 x 800 image, as on a resize.
#include "plot/calibration_plot.h"
#include "synthetic_titration.h"
#include "ui/painter_surface.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_DrawCalibrationPlots(benchmark::State& state)
{
    using namespace quorlin;
    const CalibrationData data = bench::fittedTitration(static_cast<std::int32_t>(state.range(0)));
    PaintSurface surface(QSize(1000, 800));
    PlotMapping mapping;
    PlotExtents extents;
    for (auto _ : state) {
        drawCalibrationPlots(surface, mapping, extents, data, "sample.txt", true, RegionalSettings{});
        // Showing needs the finished image.
        benchmark::DoNotOptimize(surface.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawCalibrationPlots)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);  // fonts need it
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
