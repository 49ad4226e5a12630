// One full redraw of the calibration plots into a 1000 x 800 image, as on a resize, and
// the window's whole way from a file on disk to both plots.
#include "plot/calibration_plot.h"
#include "session/plot_export.h"
#include "session/session.h"
#include "synthetic_titration.h"
#include "ui/painter_surface.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

void BM_DrawCalibrationPlots(benchmark::State& state)
{
    using namespace quorlin;
    const CalibrationData data = bench::fittedTitration(static_cast<std::int32_t>(state.range(0)));
    PaintSurface surface(QSize(1000, 800));
    PlotMapping mapping;
    PlotExtents extents;
    for (auto _ : state) {
        drawCalibrationPlots(surface, mapping, extents, data, data.residual, "sample.txt", true, RegionalSettings{});
        // Showing needs the finished image.
        benchmark::DoNotOptimize(surface.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawCalibrationPlots)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Open a calibration file, calibrate and draw both plots: what the window does before
// the user sees a million points.
void BM_LoadCalibrateAndDraw(benchmark::State& state)
{
    using namespace quorlin;
    const auto n = static_cast<std::int32_t>(state.range(0));
    const CalibrationData data = bench::syntheticTitration(n);
    const std::string path = "/tmp/quorlin-plot-bench-" + std::to_string(n) + ".txt";
    {
        std::ofstream file(path, std::ios::binary);
        file << "0.1\t50\r\n";
        char line[64];
        for (std::int32_t i = 1; i <= n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            std::snprintf(line, sizeof line, "%.4f\t%.2f\r\n", data.volume[k].value(), data.emf[k].value());
            file << line;
        }
    }
    PaintSurface surface(QSize(1000, 800));
    for (auto _ : state) {
        Session session;
        session.loadCalibrationFile(path);
        // As the window does: the statistics behind its outlier marks, then the plots.
        session.calibrate({.statistics = true});
        benchmark::DoNotOptimize(session.calibration().record());
        drawCalibrationPlots(surface, session, path);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadCalibrateAndDraw)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);  // fonts need it
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
