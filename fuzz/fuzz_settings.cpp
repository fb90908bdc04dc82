// The settings reader from the strings of a store, whatever they hold: the result is always a
// setting the chart can be drawn for (a finite pressure ratio in the accepted range, its label
// plain numbers without an exponent), and a stored setting reads back to itself.
#include <cmath>
#include <string>

#include "chart/pressure_text.h"
#include "chart/settings.h"
#include "fuzz_checks.h"

namespace {

// Texts a store is likely to hold: the three units, the range ends as written and in full, and
// numbers just beyond them.
constexpr const char* kWords[] = {"engineering",
                                  "si",
                                  "mmHg",
                                  "kPa",
                                  "m",
                                  "5000",
                                  "-500",
                                  "5000.000000000001",
                                  "-500.00000000000006",
                                  "405.18145120867536",
                                  "806.1478203943163",
                                  "54.019750715419775",
                                  "107.47753671243962",
                                  "405.2",
                                  "806.1",
                                  "1e308",
                                  "-0",
                                  "nan",
                                  "inf",
                                  ""};

std::string storedText(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 2)) {
        case 0:
            return input.PickValueInArray(kWords);
        case 1:
            return fuzz::show(input.ConsumeFloatingPointInRange(-1000.0, 6000.0));
        default:
            return input.ConsumeRandomLengthString(40);
    }
}

bool plainLine(const std::string& line) {
    // "大気圧 = N unit", with an altitude if any: no exponent, no "nan" or "inf" (the units'
    // letters are none of these).
    for (const char c : line) {
        if (c == 'e' || c == 'E' || c == 'n' || c == 'N' || c == 'i' || c == 'I') {
            return false;
        }
    }
    return line.rfind("大気圧 = ", 0) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string units = storedText(input);
    const std::string unit = storedText(input);
    const std::string value = storedText(input);
    const std::string detail = "[" + units + "|" + unit + "|" + value + "]";

    const chart::Settings settings = chart::settingsFromStored(units, unit, value);
    const double r = settings.atmosphere.ratio.value();
    FUZZ_CHECK(std::isfinite(r) && std::isfinite(settings.atmosphere.given) &&
                   r >= psychro::lowestPressureRatio().value() &&
                   r <= psychro::highestPressureRatio().value(),
               detail + " ratio " + fuzz::show(r));
    for (const chart::Units shown : {chart::Units::Engineering, chart::Units::SI}) {
        const std::string line = chart::pressureLine(settings.atmosphere, shown);
        FUZZ_CHECK(plainLine(line), detail + " -> " + line);
    }

    const chart::StoredSettings stored = chart::storedSettings(settings);
    FUZZ_CHECK(
        chart::settingsFromStored(stored.units, stored.pressureUnit, stored.pressure) == settings,
        detail + " stored as " + stored.pressure);
    return 0;
}
