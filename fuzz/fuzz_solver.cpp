// The air-state solver with any pair of properties and any two values, and what the dialogs do
// with its answer: refuse it, or write x and i as plain rounded numbers and mark a point.
#include <cmath>

#include "chart/chart_frame.h"
#include "chart/number_text.h"
#include "fuzz_checks.h"
#include "psychro/air_state.h"
#include "psychro/saturation.h"
#include "psychro/wet_bulb.h"

namespace {

// Values near the edges of the chart and of the arithmetic, for the fuzzer to combine.
constexpr double kEdges[] = {
    0.0,    -0.0,  1.0,  -1.0, 100.0,        -50.0, 50.0, 0.622,   1e-300, 4.9e-324, 1e308,
    -1e308, 1e304, 20.0, 1e-5, 0.0072566913, 9.2,   0.83, 1.03323, 2.0,    99.9999,  -49.9999};

double value(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return fuzz::rawDouble(input);
        case 1:
            return input.PickValueInArray(kEdges);
        case 2:  // a typed number of the chart's size
            return input.ConsumeFloatingPointInRange(-100.0, 200.0);
        default:
            return input.PickValueInArray(kEdges) + input.ConsumeFloatingPointInRange(-1.0, 1.0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto a = static_cast<psychro::Property>(input.ConsumeIntegralInRange(0, 5));
    const auto b = static_cast<psychro::Property>(input.ConsumeIntegralInRange(0, 5));
    const double va = value(input);
    const double vb = value(input);
    const std::string detail = std::to_string(static_cast<int>(a)) + "-" +
                               std::to_string(static_cast<int>(b)) + " " + fuzz::show(va, vb);

    const auto state = psychro::solvePair(a, va, b, vb, psychro::PressureRatio::standard());
    if (a == b) {
        FUZZ_CHECK(!state && state.error() == psychro::SolveError::SameProperty, detail);
        return 0;
    }
    if (!state) {
        return 0;
    }
    FUZZ_CHECK(std::isfinite(state->x) && std::isfinite(state->i), detail);
    // Either order of the pair gives the same state.
    const auto swapped = psychro::solvePair(b, vb, a, va, psychro::PressureRatio::standard());
    FUZZ_CHECK(swapped && swapped->x == state->x && swapped->i == state->i, detail);

    const double tw = psychro::wbt(state->x, state->i, psychro::PressureRatio::standard());
    FUZZ_CHECK(tw >= -50.0 && tw <= 100.0, detail);
    const auto dew =
        psychro::DewPointTemperature(1000.0 * state->x, psychro::PressureRatio::standard());
    FUZZ_CHECK(!dew || (*dew > -50.0 && *dew < 100.0), detail);

    // The dialogs mark only states within reach of the picture, and then write x to 5 decimals
    // and i to 2 as plain numbers of a sensible length.
    const chart::PointMm point = chart::statePoint(state->i, 1000.0 * state->x);
    if (!chart::withinReach(point)) {
        return 0;
    }
    const std::string x = chart::generalText(chart::roundHalfUp(state->x, 5));
    const std::string i = chart::generalText(chart::roundHalfUp(state->i, 2));
    FUZZ_CHECK(fuzz::isPlainNumber(x) && x.size() <= 12, detail + " x " + x);
    FUZZ_CHECK(fuzz::isPlainNumber(i) && i.size() <= 12, detail + " i " + i);
    FUZZ_CHECK(fuzz::decimalsOf(x) <= 5 && fuzz::decimalsOf(i) <= 2, detail);
    const auto kept = static_cast<float>(point.X);
    FUZZ_CHECK(std::isfinite(kept) && std::isfinite(static_cast<float>(point.Y)), detail);
    return 0;
}
