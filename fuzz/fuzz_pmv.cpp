// PMVS with any six room conditions: a refusal, or a finite vote within ±3, a share of
// dissatisfied within 5 … 100 % written as plain numbers; the room air it marks is refused or
// finite. The clothing-surface loop is bounded, so every input finishes.
#include <cmath>

#include "chart/number_text.h"
#include "fuzz_checks.h"
#include "psychro/comfort.h"

namespace {

// Conditions of rooms and values at the edges, for the fuzzer to combine.
constexpr double kEdges[] = {0.0,    -0.0,     1.0,  -1.0, 20.0,   25.0,   50.0,  100.0,
                             0.1,    0.5,      1.2,  4.0,  -273.0, -272.9, 1e308, -1e308,
                             1e-300, 4.9e-324, 40.0, 10.0, 2.0,    0.8,    1e6,   -40.0};

double value(FuzzedDataProvider& input, double low, double high) {
    switch (input.ConsumeIntegralInRange(0, 2)) {
        case 0:
            return fuzz::rawDouble(input);
        case 1:
            return input.PickValueInArray(kEdges);
        default:
            return input.ConsumeFloatingPointInRange(low, high);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const double ta = value(input, -20.0, 60.0);
    const double tr = value(input, -20.0, 80.0);
    const double rh = value(input, 0.0, 100.0);
    const double vel = value(input, 0.0, 5.0);
    const double clo = value(input, 0.0, 4.0);
    const double act = value(input, 0.1, 8.0);
    const std::string detail =
        fuzz::show(ta, tr) + ", " + fuzz::show(rh, vel) + ", " + fuzz::show(clo, act);

    const auto result = psychro::PMVS(ta, tr, rh, vel, clo, act);
    if (result) {
        FUZZ_CHECK(std::isfinite(result->pmv) && std::fabs(result->pmv) <= 3.0, detail);
        FUZZ_CHECK(std::isfinite(result->ppd) && result->ppd >= 5.0 - 1e-9 && result->ppd <= 100.0,
                   detail);
        FUZZ_CHECK(
            std::isfinite(result->vote) && std::isfinite(result->pa) && std::isfinite(result->tcl),
            detail);
        for (double v : {result->pmv, result->ppd}) {
            const std::string text = chart::generalText(chart::roundHalfUpward(v, 2));
            FUZZ_CHECK(fuzz::isPlainNumber(text) && fuzz::decimalsOf(text) <= 2,
                       detail + " -> " + text);
        }
        (void)psychro::isoRangeExceedances(ta, tr, vel, clo, act, *result);
    }
    const auto air = psychro::roomAirState(ta, rh, psychro::PressureRatio::standard());
    FUZZ_CHECK(!air || (std::isfinite(air->x) && std::isfinite(air->i)), detail);
    return 0;
}
