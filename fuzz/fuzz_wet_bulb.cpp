// The wet-bulb search with any humidity and enthalpy: a bounded search that always answers a
// temperature inside its bracket, and the answer of a chart state satisfies its relation.
#include <cmath>

#include "fuzz_checks.h"
#include "psychro/relations.h"
#include "psychro/saturation.h"
#include "psychro/wet_bulb.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool raw = input.ConsumeBool();
    // Raw bits, or a state of the chart's region: x 0 … 0.05, t −20 … 60.
    double x = 0;
    double i = 0;
    if (raw) {
        x = fuzz::rawDouble(input);
        i = fuzz::rawDouble(input);
    } else {
        x = input.ConsumeFloatingPointInRange(0.0, 0.05);
        const double t = input.ConsumeFloatingPointInRange(-20.0, 60.0);
        i = psychro::enthalpy(t, x);
    }
    const double tw = psychro::wbt(x, i, psychro::PressureRatio::standard());
    FUZZ_CHECK(tw >= -50.0 && tw <= 100.0, fuzz::show(x, i) + " -> " + fuzz::show(tw));
    return 0;
}
