// Shortest round-trip text of doubles, ours against the standard library's std::to_chars,
// on values like those a calibration record writes: full-precision results of the fit and
// data read from files with a few decimals.
#include "text/shortest_text.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <random>
#include <vector>

namespace quorlin {
namespace {

constexpr int kValues = 1 << 16;

// Argument 0: full-precision values in [0, 14); 1: the same rounded to four decimals.
std::vector<double> sampleValues(std::int64_t kind)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> ph(0.0, 14.0);
    std::vector<double> values(kValues);
    for (double& v : values) v = kind == 0 ? ph(random) : std::round(ph(random) * 1e4) / 1e4;
    return values;
}

void OurShortestText(benchmark::State& state)
{
    const std::vector<double> values = sampleValues(state.range(0));
    char text[kShortestTextCapacity];
    for (auto _ : state) {
        for (const double v : values) benchmark::DoNotOptimize(writeShortestText(text, v));
    }
    state.SetItemsProcessed(state.iterations() * kValues);
}

void LibraryToChars(benchmark::State& state)
{
    const std::vector<double> values = sampleValues(state.range(0));
    char text[kShortestTextCapacity];
    for (auto _ : state) {
        for (const double v : values) benchmark::DoNotOptimize(std::to_chars(text, text + sizeof text, v).ptr);
    }
    state.SetItemsProcessed(state.iterations() * kValues);
}

BENCHMARK(OurShortestText)->Arg(0)->Arg(1);
BENCHMARK(LibraryToChars)->Arg(0)->Arg(1);

}  // namespace
}  // namespace quorlin

BENCHMARK_MAIN();
