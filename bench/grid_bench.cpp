// Filling the two point grids from the point arrays, with and without painting the
// visible part, for data sets of 10^3 to 10^6 points.
#include "core/workspace.h"
#include "ui/grids/adjustment_grid.h"
#include "ui/grids/calibration_grid.h"
#include "ui/grids/grid_services.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

using namespace quorlin;

class SilentServices final : public GridServices {
public:
    void beep() override {}
    void showMessage(const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
};

void loadPoints(std::int32_t& count, PointArray& volume, PointArray& emf, std::int64_t n)
{
    count = static_cast<std::int32_t>(n);
    reallocateFresh(volume, count);
    reallocateFresh(emf, count);
    for (std::int32_t i = 1; i <= count; ++i) {
        volume[static_cast<std::size_t>(i)] = Number::fromDouble(0.01 * i);
        emf[static_cast<std::size_t>(i)] = Number::fromDouble(420.0 - 1e-4 * i);
    }
}

struct Panels {
    Workspace ws;
    RegionalSettings regional;
    SilentServices services;
    QWidget panel;
    CalibrationGrid* calibrationGrid;
    AdjustmentGrid* adjustmentGrid;

    Panels()
        : calibrationGrid(new CalibrationGrid(ws, regional, services, &panel)),
          adjustmentGrid(new AdjustmentGrid(ws, regional, services, [] { return false; }, &panel))
    {
        panel.resize(400, 700);
        panel.show();
    }
};

// Runs the layout the view defers and paints what is visible.
void showNow(QWidget& grid)
{
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(grid.grab());
}

// One data set's count, arrays and grid, so both grids run the same benchmark.
struct DataSet {
    std::int32_t& count;
    PointArray& volume;
    PointArray& emf;
    PointSetGrid& grid;
};

DataSet calibrationSet(Panels& p)
{
    return {p.ws.CalCount, p.ws.CalVolume, p.ws.CalEmf, *p.calibrationGrid};
}

DataSet adjustmentSet(Panels& p)
{
    return {p.ws.AdjCount, p.ws.AdjVolume, p.ws.AdjEmf, *p.adjustmentGrid};
}

void fillBenchmark(benchmark::State& state, DataSet (*dataSet)(Panels&))
{
    Panels panels;
    const DataSet set = dataSet(panels);
    loadPoints(set.count, set.volume, set.emf, state.range(0));
    const bool paint = state.range(1) != 0;
    const std::int32_t count = set.count;
    for (auto _ : state) {
        set.count = count;
        set.grid.fill();
        if (paint) showNow(set.grid);
        state.PauseTiming();
        set.count = 0;  // every fill is a load into an empty grid
        set.grid.fill();
        state.ResumeTiming();
    }
}

void BM_FillCalibrationGrid(benchmark::State& state) { fillBenchmark(state, calibrationSet); }
void BM_FillAdjustmentGrid(benchmark::State& state) { fillBenchmark(state, adjustmentSet); }

// Jumping between the first and the last point and painting, as scrolling does.
void BM_JumpToLastPoint(benchmark::State& state)
{
    Panels panels;
    loadPoints(panels.ws.CalCount, panels.ws.CalVolume, panels.ws.CalEmf, state.range(0));
    panels.calibrationGrid->fill();
    int row = 1;
    for (auto _ : state) {
        row = row == 1 ? panels.ws.CalCount : 1;
        panels.calibrationGrid->setCurrentCell(row, 2);
        showNow(*panels.calibrationGrid);
    }
}

// Second argument: 1 also paints the visible rows, as showing the grid would.
BENCHMARK(BM_FillCalibrationGrid)->ArgsProduct({{1000, 100000, 1000000}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillAdjustmentGrid)->ArgsProduct({{1000, 100000, 1000000}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JumpToLastPoint)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
