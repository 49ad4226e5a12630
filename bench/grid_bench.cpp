// Filling the two point grids from the data sets, with and without painting the
// visible part, for data sets of 10^3 to 10^6 points.
#include "session/session.h"
#include "ui/grids/adjustment_grid.h"
#include "ui/grids/calibration_grid.h"
#include "ui/grids/grid_services.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

using namespace quorlin;

class SilentServices final : public GridServices {
public:
    void beep() override {}
    void showMessage(const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
};

// A data file of n points, the header line of a calibration file first.
std::string dataFile(std::int64_t n)
{
    const std::string path = "/tmp/quorlin-grid-bench-" + std::to_string(n) + ".txt";
    std::ofstream file(path, std::ios::binary);
    file << "0.1\t50\r\n";
    char line[64];
    for (std::int64_t i = 1; i <= n; ++i) {
        std::snprintf(line, sizeof line, "%.2f\t%.4f\r\n", 0.01 * static_cast<double>(i),
                      420.0 - 1e-4 * static_cast<double>(i));
        file << line;
    }
    return path;
}

// Both data sets of n points; the adjustment file's first line is a point too.
void loadPoints(Session& session, std::int64_t n)
{
    const std::string path = dataFile(n);
    session.loadCalibrationFile(path);
    session.loadAdjustmentFile(path);
    std::remove(path.c_str());
}

struct Panels {
    Session session;
    SilentServices services;
    QWidget panel;
    CalibrationGrid* calibrationGrid;
    AdjustmentGrid* adjustmentGrid;

    PointSetGrid* calibrationSet = calibrationGrid;
    PointSetGrid* adjustmentSet = adjustmentGrid;

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

void fillBenchmark(benchmark::State& state, PointSetGrid* Panels::*grid)
{
    Panels panels;
    loadPoints(panels.session, state.range(0));
    const bool paint = state.range(1) != 0;
    for (auto _ : state) {
        (panels.*grid)->fill();
        if (paint) showNow(*(panels.*grid));
    }
}

void BM_FillCalibrationGrid(benchmark::State& state) { fillBenchmark(state, &Panels::calibrationSet); }
void BM_FillAdjustmentGrid(benchmark::State& state) { fillBenchmark(state, &Panels::adjustmentSet); }

// Jumping between the first and the last point and painting, as scrolling does.
void BM_JumpToLastPoint(benchmark::State& state)
{
    Panels panels;
    loadPoints(panels.session, state.range(0));
    panels.calibrationGrid->fill();
    int row = 1;
    for (auto _ : state) {
        row = row == 1 ? panels.session.calibration().count() : 1;
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
