// Stored settings read back: what a store may hold, good or broken, and the round trip.
#include <gtest/gtest.h>

#include "chart/number_text.h"
#include "chart/settings.h"

namespace {

using chart::Units;
using psychro::PressureUnit;

// Whatever the strings, a usable setting: a broken part falls back to its default alone.
TEST(StoredSettings, EachPartFallsBackOnItsOwn) {
    struct Case {
        const char* units;
        const char* unit;
        const char* value;
        Units wantUnits;
        PressureUnit wantUnit;
        double wantGiven;
    };
    const Case cases[] = {
        {"si", "kPa", "93.3", Units::SI, PressureUnit::KPa, 93.3},
        {"engineering", "m", " 1500 ", Units::Engineering, PressureUnit::Altitude, 1500.0},
        {"si", "mmHg", "405.2", Units::SI, PressureUnit::MmHg, 405.2},
        {"si", "m", "-500", Units::SI, PressureUnit::Altitude, -500.0},
        {"", "", "", Units::Engineering, PressureUnit::MmHg, 760.0},
        {"SI", "mmHg", "700", Units::Engineering, PressureUnit::MmHg, 700.0},
        {"si", "m", "6000", Units::SI, PressureUnit::MmHg, 760.0},
        {"si", "m", "-1000", Units::SI, PressureUnit::MmHg, 760.0},
        {"si", "mmHg", "0", Units::SI, PressureUnit::MmHg, 760.0},
        {"si", "mmHg", "405.1", Units::SI, PressureUnit::MmHg, 760.0},
        {"si", "kPa", "abc", Units::SI, PressureUnit::MmHg, 760.0},
        {"si", "kPa", "93.3kPa", Units::SI, PressureUnit::MmHg, 760.0},
        {"si", "kPa", "nan", Units::SI, PressureUnit::MmHg, 760.0},
        {"si", "kPa", "inf", Units::SI, PressureUnit::MmHg, 760.0},
        {"si", "hPa", "1000", Units::SI, PressureUnit::MmHg, 760.0},
        {"si", "", "700", Units::SI, PressureUnit::MmHg, 760.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.units) + "|" + c.unit + "|" + c.value);
        const chart::Settings s = chart::settingsFromStored(c.units, c.unit, c.value);
        EXPECT_EQ(s.units, c.wantUnits);
        EXPECT_EQ(s.atmosphere.unit, c.wantUnit);
        EXPECT_EQ(s.atmosphere.given, c.wantGiven);
    }
    // The default is the standard atmosphere exactly.
    EXPECT_EQ(chart::settingsFromStored("", "", "").atmosphere.ratio.value(), 1.0);
}

// Every setting reads back to itself, the range ends to the last bit.
TEST(StoredSettings, RoundTrip) {
    const chart::Settings settings[] = {
        chart::Settings::standard(),
        {Units::SI, *psychro::atmosphereFromKPa(54.019750715419775)},
        {Units::Engineering, *psychro::atmosphereFromMmHg(806.1478203943163)},
        {Units::SI, *psychro::atmosphereFromAltitude(5000.0)},
        {Units::Engineering, *psychro::atmosphereFromAltitude(-123.456789)},
    };
    for (const chart::Settings& s : settings) {
        const chart::StoredSettings stored = chart::storedSettings(s);
        EXPECT_EQ(chart::settingsFromStored(stored.units, stored.pressureUnit, stored.pressure), s)
            << stored.units << " " << stored.pressureUnit << " " << stored.pressure;
    }
}

// 1250 kcal/h = 1.45375 kW, written half upward to 3 decimals.
TEST(LoadText, InKilowatts) {
    const std::pair<double, const char*> cases[] = {
        {1250.0, "1.454"}, {-1250.0, "-1.454"}, {0.4, "0"}, {-0.4, "0"}, {859.8452, "1"}};
    for (const auto& [kcal, text] : cases) {
        EXPECT_EQ(chart::loadText(kcal, Units::SI), text) << kcal;
        EXPECT_EQ(chart::loadText(kcal, Units::Engineering), chart::loadText(kcal)) << kcal;
    }
    EXPECT_NEAR(chart::shownLoad(1250.0, Units::SI), 1.45375, 1e-12);
}

}  // namespace
