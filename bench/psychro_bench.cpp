#include <benchmark/benchmark.h>

#include "psychro/air_handling.h"
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

// One air-handling design each way, the cooling one with its search for the apparatus dew point:
// 26 °C 50 % room, 33 °C 63 % or 0 °C 50 % outdoors, 10,000 + 2,000 kcal/h, 25 %, Δt 10 K.
void BM_DesignCooling(benchmark::State& state) {
    const psychro::AirState room{0.0104883083, 12.6249254837};
    const psychro::AirState outdoor{0.0200816442, 20.2070142685};
    double qL = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(psychro::designCooling(room, outdoor, {10000.0, qL, 25.0, 10.0},
                                                        {}, psychro::PressureRatio::standard()));
        qL = qL < 4000.0 ? qL + 100.0 : 0.0;
    }
}
BENCHMARK(BM_DesignCooling);

void BM_DesignHeating(benchmark::State& state) {
    const psychro::AirState room{0.0065574500, 9.2603852814};
    const psychro::AirState outdoor{0.0018799930, 1.1229198272};
    double qL = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(psychro::designHeating(room, outdoor, {8000.0, qL, 25.0, 10.0},
                                                        {psychro::Humidifier::Steam, 100.0},
                                                        psychro::PressureRatio::standard()));
        qL = qL < 4000.0 ? qL + 100.0 : 0.0;
    }
}
BENCHMARK(BM_DesignHeating);

}  // namespace
