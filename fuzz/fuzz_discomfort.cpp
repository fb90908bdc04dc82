// The discomfort index with any dry and wet bulb (held in single precision, as the dialog keeps
// them): the index finite and written as a plain number where it can be rounded, its share one
// of the four steps, the marked air refused or finite.
#include <cmath>

#include "chart/chart_frame.h"
#include "chart/number_text.h"
#include "fuzz_checks.h"
#include "psychro/comfort.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    float t = 0;
    float tw = 0;
    if (input.ConsumeBool()) {
        t = fuzz::rawFloat(input);
        tw = fuzz::rawFloat(input);
    } else {
        t = input.ConsumeFloatingPointInRange(-60.0F, 120.0F);
        tw = input.ConsumeFloatingPointInRange(-60.0F, 120.0F);
    }
    const std::string detail = fuzz::show(t, tw);

    const auto air = psychro::discomfortAirState(t, tw, psychro::PressureRatio::standard());
    FUZZ_CHECK(!air || (std::isfinite(air->x) && std::isfinite(air->i)), detail);
    if (!std::isfinite(t) || !std::isfinite(tw)) {
        return 0;  // the dialog never hands over a value that does not fit a float
    }
    const double di = psychro::discomfortIndex(t, tw);
    FUZZ_CHECK(std::isfinite(di), detail);
    const int share = psychro::discomfortShare(di);
    FUZZ_CHECK(share == 0 || share == 10 || share == 50 || share == 100, detail);
    // What the dialog writes for a state it marks: one within reach of the picture (a dry and
    // wet bulb of 1e10 °C is "saturated" by the saturation formula taken far beyond its range,
    // and lies metres off the chart).
    if (air && chart::withinReach(chart::statePoint(air->i, 1000.0 * air->x))) {
        const std::string text = chart::generalText(chart::roundHalfUpward(di, 1));
        FUZZ_CHECK(fuzz::isPlainNumber(text) && fuzz::decimalsOf(text) <= 1 && text.size() <= 12,
                   detail + " -> " + text);
    }
    return 0;
}
