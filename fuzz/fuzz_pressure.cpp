// A site's pressure from any number in any of its three units, and what the program then does
// with it: the label that states it, a state solved from any pair at that pressure, its
// properties, and the cursor readout. An accepted pressure (the range ends above all) never
// gives a non-finite number or a text with an exponent.
#include <cmath>
#include <string>

#include "chart/chart_frame.h"
#include "chart/cursor_readout.h"
#include "chart/number_text.h"
#include "chart/pressure_text.h"
#include "fuzz_checks.h"
#include "psychro/air_state.h"
#include "psychro/atmosphere.h"
#include "psychro/saturation.h"
#include "psychro/state_properties.h"

namespace {

// The range ends in each unit, as typed and as the standard atmosphere gives them.
constexpr double kEnds[] = {5000.0,
                            -500.0,
                            405.2,
                            806.1,
                            54.02,
                            107.47,
                            405.18145120867536,
                            806.14782039431630,
                            54.019750715419775,
                            107.47753671243962,
                            0.0,
                            760.0,
                            101.325};

double pressureValue(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return fuzz::rawDouble(input);
        case 1:
            return input.PickValueInArray(kEnds);
        case 2:
            return input.ConsumeFloatingPointInRange(-1000.0, 6000.0);
        default:  // a few ulps around an end
            return input.PickValueInArray(kEnds) *
                   (1.0 + 1e-15 * static_cast<double>(input.ConsumeIntegralInRange(-8, 8)));
    }
}

double stateValue(FuzzedDataProvider& input) {
    return input.ConsumeBool() ? fuzz::rawDouble(input)
                               : input.ConsumeFloatingPointInRange(-60.0, 120.0);
}

// "大気圧 = N mmHg" or "大気圧 = N kPa", optionally followed by " (標高 N m)".
bool isPressureLine(const std::string& s) {
    const std::string head = "大気圧 = ";
    if (s.compare(0, head.size(), head) != 0) {
        return false;
    }
    const std::size_t blank = s.find(' ', head.size());
    if (blank == std::string::npos ||
        !fuzz::isPlainNumber(s.substr(head.size(), blank - head.size()))) {
        return false;
    }
    std::string rest = s.substr(blank);
    const std::string altitude = " (標高 ";
    if (const std::size_t open = rest.find(altitude); open != std::string::npos) {
        const std::string tail = rest.substr(open + altitude.size());
        if (tail.size() < 3 || tail.substr(tail.size() - 3) != " m)" ||
            !fuzz::isPlainNumber(tail.substr(0, tail.size() - 3))) {
            return false;
        }
        rest = rest.substr(0, open);
    }
    return rest == " mmHg" || rest == " kPa";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto unit = static_cast<psychro::PressureUnit>(input.ConsumeIntegralInRange(0, 2));
    const double value = pressureValue(input);
    const auto units = input.ConsumeBool() ? chart::Units::SI : chart::Units::Engineering;
    const auto setting = psychro::atmosphereFrom(unit, value);
    std::string detail = std::to_string(static_cast<int>(unit)) + " " + fuzz::show(value);
    if (!setting) {
        FUZZ_CHECK(!chart::pressureRangeMessage(unit).empty(), detail);
        return 0;
    }
    const psychro::PressureRatio ratio = setting->ratio;
    const double r = ratio.value();
    FUZZ_CHECK(std::isfinite(value) && r >= psychro::lowestPressureRatio().value() &&
                   r <= psychro::highestPressureRatio().value(),
               detail + " -> " + fuzz::show(r));
    const std::string label = chart::pressureLine(*setting, units);
    FUZZ_CHECK(isPressureLine(label), detail + " -> " + label);

    // A state from any pair at this pressure.
    const auto a = static_cast<psychro::Property>(input.ConsumeIntegralInRange(0, 5));
    const auto b = static_cast<psychro::Property>(input.ConsumeIntegralInRange(0, 5));
    const double va = stateValue(input);
    const double vb = stateValue(input);
    detail += " r " + fuzz::show(r) + " pair " + std::to_string(static_cast<int>(a)) + "-" +
              std::to_string(static_cast<int>(b)) + " " + fuzz::show(va, vb);
    if (const auto state = psychro::solvePair(a, va, b, vb, ratio)) {
        FUZZ_CHECK(std::isfinite(state->x) && std::isfinite(state->i), detail);
        const auto p = psychro::stateProperties(state->x, state->i, ratio);
        FUZZ_CHECK(p.tw >= -50.0 && p.tw <= 100.0, detail + " tw " + fuzz::show(p.tw));
        if (p.t > -50.0 && p.t < 100.0 && state->x > -0.5) {
            FUZZ_CHECK(std::isfinite(p.v) && std::isfinite(p.phi), detail);
        }
        const auto dew = psychro::DewPointTemperature(1000.0 * state->x, ratio);
        FUZZ_CHECK(!dew || (*dew > -50.0 && *dew < 100.0), detail);
    }

    // The readout at a point of the frame: six plain numbers, or fog in all six.
    const float X = input.ConsumeFloatingPointInRange(0.0F, 208.3F);
    const float Y = input.ConsumeFloatingPointInRange(0.0F, 160.0F);
    const chart::Readout o = chart::cursorReadout(X, Y, ratio, units);
    const std::string texts[] = {o.x, o.i, o.t, o.tw, o.v, o.phi};
    const std::string shown = detail + " at " + fuzz::show(X, Y) + " -> " + o.x + " " + o.i + " " +
                              o.t + " " + o.tw + " " + o.v + " " + o.phi;
    const bool fog = o.x == chart::kFogText;
    for (const std::string& text : texts) {
        FUZZ_CHECK(fog ? text == chart::kFogText : fuzz::isPlainNumber(text) && text.size() <= 12,
                   shown);
    }
    return 0;
}
