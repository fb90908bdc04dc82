#include <benchmark/benchmark.h>

#include <string>

#include "psychro/air_state.h"

namespace {

using psychro::Property;

// One solve per pair, all from the properties of the 20 °C / 50 % state, so that the searches
// and the dew point run their usual 25 to 27 midpoints.
struct PairInput {
    Property a;
    double va;
    Property b;
    double vb;
};

constexpr double kX = 0.0072566913;
constexpr double kI = 9.1984257;
constexpr double kT = 20.0;
constexpr double kTw = 13.782618;
constexpr double kV = 0.83932303;
constexpr double kPhi = 50.0;

struct NamedPair {
    const char* name;
    PairInput input;
};

constexpr NamedPair kPairs[] = {
    {"x-i", {Property::x, kX, Property::i, kI}},
    {"x-t", {Property::x, kX, Property::t, kT}},
    {"x-t'", {Property::x, kX, Property::tw, kTw}},
    {"x-v", {Property::x, kX, Property::v, kV}},
    {"x-phi", {Property::x, kX, Property::phi, kPhi}},
    {"i-t", {Property::i, kI, Property::t, kT}},
    {"i-t'", {Property::i, kI, Property::tw, kTw}},
    {"i-v", {Property::i, kI, Property::v, kV}},
    {"i-phi", {Property::i, kI, Property::phi, kPhi}},
    {"t-t'", {Property::t, kT, Property::tw, kTw}},
    {"t-v", {Property::t, kT, Property::v, kV}},
    {"t-phi", {Property::t, kT, Property::phi, kPhi}},
    {"t'-v", {Property::tw, kTw, Property::v, kV}},
    {"t'-phi", {Property::tw, kTw, Property::phi, kPhi}},
    {"v-phi", {Property::v, kV, Property::phi, kPhi}},
};

void solveOnePair(benchmark::State& state, PairInput pair) {
    for (auto _ : state) {
        // Hidden from the optimiser so that every iteration solves afresh.
        benchmark::DoNotOptimize(pair.va);
        benchmark::DoNotOptimize(pair.vb);
        benchmark::DoNotOptimize(psychro::solvePair(pair.a, pair.va, pair.b, pair.vb,
                                                    psychro::PressureRatio::standard()));
    }
}

[[maybe_unused]] const bool kRegistered = [] {
    for (const NamedPair& pair : kPairs) {
        benchmark::RegisterBenchmark((std::string("BM_SolvePair/") + pair.name).c_str(),
                                     solveOnePair, pair.input);
    }
    return true;
}();

}  // namespace
