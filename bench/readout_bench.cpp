#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "chart/cursor_readout.h"
#include "psychro/atmosphere.h"
#include "psychro/wet_bulb.h"

namespace {

// States across the chart: dry and humid, over water and over ice.
constexpr std::array<std::array<double, 2>, 4> kStates{{
    {0.010, 13.3053},  // 30 °C air
    {0.0, 0.0},        // dry air at 0 °C, wet bulb over ice
    {0.0146847, 13.70069},
    {0.002, -3.0},
}};

void BM_wbt(benchmark::State& state) {
    std::size_t k = 0;
    for (auto _ : state) {
        const auto& s = kStates[k];
        benchmark::DoNotOptimize(psychro::wbt(s[0], s[1], psychro::PressureRatio::standard()));
        k = (k + 1) % kStates.size();
    }
}
BENCHMARK(BM_wbt);

// A state without a root in −50 … 100 °C: the search runs until the bracket collapses.
void BM_wbtNoRoot(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(psychro::wbt(0.0, -1000.0, psychro::PressureRatio::standard()));
    }
}
BENCHMARK(BM_wbtNoRoot);

// One whole readout: mapping, properties, wet bulb and the six texts, along a sweep of the
// picture that crosses numbers, fog and the outside.
void BM_cursorReadout(benchmark::State& state) {
    float X = 0.0f;
    float Y = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(chart::cursorReadout(X, Y, psychro::PressureRatio::standard(),
                                                      chart::Units::Engineering));
        X = X < 230.0f ? X + 1.3f : 0.0f;
        Y = Y < 170.0f ? Y + 0.7f : 0.0f;
    }
}
BENCHMARK(BM_cursorReadout);

// The readout at one point with numbers in all six labels.
void BM_cursorReadoutOnChart(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(chart::cursorReadout(
            150.0f, 100.0f, psychro::PressureRatio::standard(), chart::Units::Engineering));
    }
}
BENCHMARK(BM_cursorReadoutOnChart);

// The same point at 5,000 m, in SI units.
void BM_cursorReadoutHighSite(benchmark::State& state) {
    const psychro::PressureRatio ratio = psychro::lowestPressureRatio();
    for (auto _ : state) {
        benchmark::DoNotOptimize(chart::cursorReadout(150.0f, 100.0f, ratio, chart::Units::SI));
    }
}
BENCHMARK(BM_cursorReadoutHighSite);

}  // namespace
