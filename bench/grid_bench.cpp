// Filling the two point grids from the point arrays, with and without painting the
// visible part, for data sets of 10^3 to 10^6 points.
#include "session/session.h"
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

void loadPoints(PointSet& points, std::int64_t n)
{
    points.count = static_cast<std::int32_t>(n);
    reallocateFresh(points.volume, points.count);
    reallocateFresh(points.emf, points.count);
    for (std::int32_t i = 1; i <= points.count; ++i) {
        points.volume[static_cast<std::size_t>(i)] = Number::fromDouble(0.01 * i);
        points.emf[static_cast<std::size_t>(i)] = Number::fromDouble(420.0 - 1e-4 * i);
    }
}

struct Panels {
    Session session;
    SilentServices services;
    QWidget panel;
    CalibrationGrid* calibrationGrid;
    AdjustmentGrid* adjustmentGrid;

    Panels()
        : calibrationGrid(new CalibrationGrid(session, services, &panel)),
          adjustmentGrid(new AdjustmentGrid(session, services, &panel))
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

// One data set and its grid, so both grids run the same benchmark.
struct DataSet {
    PointSet& points;
    PointSetGrid& grid;
};

DataSet calibrationSet(Panels& p) { return {p.session.calibration(), *p.calibrationGrid}; }

DataSet adjustmentSet(Panels& p) { return {p.session.adjustment(), *p.adjustmentGrid}; }

void fillBenchmark(benchmark::State& state, DataSet (*dataSet)(Panels&))
{
    Panels panels;
    const DataSet set = dataSet(panels);
    loadPoints(set.points, state.range(0));
    const bool paint = state.range(1) != 0;
    const std::int32_t count = set.points.count;
    for (auto _ : state) {
        set.points.count = count;
        set.grid.fill();
        if (paint) showNow(set.grid);
        state.PauseTiming();
        set.points.count = 0;  // every fill is a load into an empty grid
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
    loadPoints(panels.session.calibration(), state.range(0));
    panels.calibrationGrid->fill();
    int row = 1;
    for (auto _ : state) {
        row = row == 1 ? panels.session.calibration().count : 1;
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
