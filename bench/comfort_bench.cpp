#include <benchmark/benchmark.h>

#include "chart/chart_frame.h"
#include "psychro/comfort.h"

namespace {

// One PMV/PPD of an office room: 25 °C air and walls, 50 %, 0.1 m/s, 0.5 clo, 1.2 met (the
// surface-temperature loop runs four passes).
void BM_Pmvs(benchmark::State& state) {
    double ta = 25.0;
    double tr = 25.0;
    double rh = 50.0;
    double vel = 0.1;
    double clo = 0.5;
    double act = 1.2;
    for (auto _ : state) {
        // Hidden from the optimiser so that every iteration computes afresh.
        benchmark::DoNotOptimize(ta);
        benchmark::DoNotOptimize(tr);
        benchmark::DoNotOptimize(rh);
        benchmark::DoNotOptimize(vel);
        benchmark::DoNotOptimize(clo);
        benchmark::DoNotOptimize(act);
        benchmark::DoNotOptimize(psychro::PMVS(ta, tr, rh, vel, clo, act));
    }
}
BENCHMARK(BM_Pmvs);

// One discomfort index with its share and the chart point of its air (28 °C, wet bulb 22 °C).
void BM_DiscomfortIndexAndMark(benchmark::State& state) {
    float t = 28.0F;
    float tw = 22.0F;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t);
        benchmark::DoNotOptimize(tw);
        const double di = psychro::discomfortIndex(t, tw);
        benchmark::DoNotOptimize(psychro::discomfortShare(di));
        const auto air = psychro::discomfortAirState(t, tw, psychro::PressureRatio::standard());
        benchmark::DoNotOptimize(chart::statePoint(air->i, 1000.0 * air->x));
    }
}
BENCHMARK(BM_DiscomfortIndexAndMark);

}  // namespace
