// Times of the calibration core on synthetic titrations: the model values plus the fit,
// and the adjustment of a data set, at the sizes a large file might bring.
#include "core/adjustment.h"
#include "core/fit.h"
#include "core/initial_values.h"
#include "text/number_text.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace quorlin {
namespace {

const RegionalFormat kFormat{RegionalSettings{'.', ','}};

// Additions of 0.1 M acid to 50 ml from 0.5 to 20 ml, emf to 0.01 mV with ±0.1 mV noise.
Workspace syntheticTitration(std::int32_t n)
{
    std::mt19937 noise(42);
    Workspace ws;
    ws.AcidConc = Number::fromDouble(0.1);
    ws.InitVolume = Number::fromDouble(50);
    ws.CalCount = n;
    reallocateFresh(ws.CalVolume, n);
    reallocateFresh(ws.CalEmf, n);
    for (std::int32_t i = 1; i <= n; ++i) {
        const double v = 0.5 + 19.5 * (i - 1) / (n - 1);
        const double h = 0.1 * v / (v + 50);
        const double emf = 400 + 59.16 * std::log10(h) + 150 * h + (static_cast<int>(noise() % 21) - 10) / 100.0;
        ws.CalVolume[static_cast<std::size_t>(i)] = Number::fromDouble(v);
        ws.CalEmf[static_cast<std::size_t>(i)] = Number::fromDouble(std::round(emf * 100) / 100);
    }
    return ws;
}

void InitialValuesAndFit(benchmark::State& state)
{
    Workspace ws = syntheticTitration(static_cast<std::int32_t>(state.range(0)));
    Captions captions;
    FitProgress progress;
    for (auto _ : state) {
        computeInitialValues(ws, captions, kFormat);
        for (std::size_t k = 1; k <= 3; ++k)
            ws.Params[k] = static_cast<float>(textToNumber(captions.Parameter[k], kFormat.regional()).number.value());
        const FitOutcome outcome = fitParameters(ws, captions, kFormat, &progress);
        benchmark::DoNotOptimize(outcome);
    }
    state.counters["steps"] = progress.steps;
    state.counters["halvings"] = progress.halvings;
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetLabel(captions.rmserror);
}

void Adjustment(benchmark::State& state)
{
    const auto m = static_cast<std::int32_t>(state.range(0));
    Workspace ws;
    ws.Params = {0, 400.0f, 59.16f, 150.0f};
    ws.AdjCount = m;
    reallocateFresh(ws.AdjEmf, m);
    // Readings from pH 0.5 to 12, plus some without a root.
    for (std::int32_t i = 1; i <= m; ++i)
        ws.AdjEmf[static_cast<std::size_t>(i)] = Number::fromDouble(i % 50 == 0 ? 700.0 : 380.0 - 690.0 * (i % 997) / 997.0);
    AdjustmentResult result;
    for (auto _ : state) {
        result = adjustData(ws, kFormat);
        benchmark::DoNotOptimize(result);
    }
    state.counters["adjusted"] = static_cast<double>(result.adjusted.size());
    state.SetItemsProcessed(state.iterations() * m);
}

BENCHMARK(InitialValuesAndFit)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(Adjustment)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorlin

BENCHMARK_MAIN();
