#include <benchmark/benchmark.h>

#include "psychro/saturation.h"

namespace {

void BM_SaturationPressure(benchmark::State& state) {
    double t = -50.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(psychro::SaturationPressure(t));
        t = t < 100.0 ? t + 0.37 : -50.0;  // both branches
    }
}
BENCHMARK(BM_SaturationPressure);

void BM_DewPointTemperature(benchmark::State& state) {
    double xg = 1.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            psychro::DewPointTemperature(xg, psychro::PressureRatio::standard()));
        xg = xg < 53.0 ? xg + 1.0 : 1.0;
    }
}
BENCHMARK(BM_DewPointTemperature);

}  // namespace
