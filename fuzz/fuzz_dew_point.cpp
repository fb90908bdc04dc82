// The dew-point search with any humidity: nothing, or a temperature strictly inside the
// bracket whose saturation humidity is the given one.
#include <algorithm>
#include <cmath>

#include "fuzz_checks.h"
#include "psychro/saturation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const double xg = input.ConsumeBool() ? fuzz::rawDouble(input)
                                          : input.ConsumeFloatingPointInRange(0.0, 1000.0);
    const auto t = psychro::DewPointTemperature(xg, psychro::PressureRatio::standard());
    if (!t) {
        return 0;
    }
    FUZZ_CHECK(std::isfinite(xg) && xg > 0.0, fuzz::show(xg));
    FUZZ_CHECK(*t > -50.0 && *t < 100.0, fuzz::show(xg) + " -> " + fuzz::show(*t));
    // The saturation humidity at the answer is the given one, to the search's resolution
    // (loose where the curve is steep near the boiling point).
    const double xs = 1000.0 * psychro::saturationHumidity(psychro::SaturationPressure(*t),
                                                           psychro::PressureRatio::standard());
    FUZZ_CHECK(std::fabs(xs - xg) <= 1e-5 * std::max(1.0, xg) || *t > 99.9,
               fuzz::show(xg) + " -> " + fuzz::show(*t) + " xs " + fuzz::show(xs));
    return 0;
}
