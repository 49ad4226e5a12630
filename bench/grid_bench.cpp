// Filling the two point grids from the point arrays, with and without painting the
// visible part, for data sets of 10^3 to 10^6 points.
#include "core/workspace.h"
#include "ui/grids/correction_grid.h"
#include "ui/grids/data_grid.h"
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
    DataGrid* dataGrid;
    CorrectionGrid* correctionGrid;

    Panels()
        : dataGrid(new DataGrid(ws, regional, services, &panel)),
          correctionGrid(new CorrectionGrid(ws, regional, services, [] { return false; }, &panel))
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

void BM_FillDataGrid(benchmark::State& state)
{
    Panels panels;
    loadPoints(panels.ws.CalCount, panels.ws.CalVolume, panels.ws.CalEmf, state.range(0));
    const bool paint = state.range(1) != 0;
    const std::int32_t count = panels.ws.CalCount;
    for (auto _ : state) {
        panels.ws.CalCount = count;
        panels.dataGrid->FillDataGrid();
        if (paint) showNow(*panels.dataGrid);
        state.PauseTiming();
        panels.ws.CalCount = 0;  // every fill is a load into an empty grid
        panels.dataGrid->FillDataGrid();
        state.ResumeTiming();
    }
}

void BM_FillCorrectionGrid(benchmark::State& state)
{
    Panels panels;
    loadPoints(panels.ws.AdjCount, panels.ws.AdjVolume, panels.ws.AdjEmf, state.range(0));
    const bool paint = state.range(1) != 0;
    const std::int32_t count = panels.ws.AdjCount;
    for (auto _ : state) {
        panels.ws.AdjCount = count;
        panels.correctionGrid->FillCorrectionGrid();
        if (paint) showNow(*panels.correctionGrid);
        state.PauseTiming();
        panels.ws.AdjCount = 0;
        panels.correctionGrid->FillCorrectionGrid();
        state.ResumeTiming();
    }
}

// Jumping between the first and the last point and painting, as scrolling does.
void BM_JumpToLastPoint(benchmark::State& state)
{
    Panels panels;
    loadPoints(panels.ws.CalCount, panels.ws.CalVolume, panels.ws.CalEmf, state.range(0));
    panels.dataGrid->FillDataGrid();
    int row = 1;
    for (auto _ : state) {
        row = row == 1 ? panels.ws.CalCount : 1;
        panels.dataGrid->setCurrentCell(row, 2);
        showNow(*panels.dataGrid);
    }
}

// Second argument: 1 also paints the visible rows, as showing the grid would.
BENCHMARK(BM_FillDataGrid)->ArgsProduct({{1000, 100000, 1000000}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillCorrectionGrid)->ArgsProduct({{1000, 100000, 1000000}, {0, 1}})->Unit(benchmark::kMillisecond);
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
