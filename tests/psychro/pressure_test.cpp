#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "psychro/air_state.h"
#include "psychro/atmosphere.h"
#include "psychro/humidifying.h"
#include "psychro/saturation.h"
#include "psychro/state_properties.h"
#include "psychro/wet_bulb.h"

namespace {

using psychro::PressureError;
using psychro::PressureUnit;
using psychro::Property;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr Property kAll[] = {Property::x,  Property::i, Property::t,
                             Property::tw, Property::v, Property::phi};

TEST(Atmosphere, SettingsFromEachUnitAndRefusals) {
    const struct {
        PressureUnit unit;
        double value;
        double kPa;  // hand-computed: 101.325·mmHg/760, the standard atmosphere's formula
    } accepted[] = {
        {PressureUnit::MmHg, 760.0, 101.325},       {PressureUnit::KPa, 101.325, 101.325},
        {PressureUnit::Altitude, 0.0, 101.325},     {PressureUnit::MmHg, 700.0, 93.32566},
        {PressureUnit::Altitude, 1500.0, 84.556},   {PressureUnit::Altitude, 5000.0, 54.01975},
        {PressureUnit::Altitude, -500.0, 107.4775}, {PressureUnit::MmHg, 405.2, 54.02222},
    };
    for (const auto& row : accepted) {
        const auto setting = psychro::atmosphereFrom(row.unit, row.value);
        ASSERT_TRUE(setting.has_value()) << row.value;
        EXPECT_NEAR(setting->kPa(), row.kPa, 5e-4) << row.value;
        EXPECT_NEAR(setting->kgfPerCm2(), row.kPa * 1.03323 / 101.325, 5e-6) << row.value;
        EXPECT_EQ(setting->isStandard(), row.kPa == 101.325) << row.value;
    }
    const struct {
        PressureUnit unit;
        double value;
        PressureError error;
    } refused[] = {
        {PressureUnit::Altitude, 6000.0, PressureError::AboveRange},
        {PressureUnit::Altitude, -1000.0, PressureError::BelowRange},
        {PressureUnit::MmHg, 0.0, PressureError::BelowRange},
        {PressureUnit::MmHg, 405.1, PressureError::BelowRange},
        {PressureUnit::KPa, 107.48, PressureError::AboveRange},
        {PressureUnit::MmHg, kNaN, PressureError::NotFinite},
        {PressureUnit::KPa, kInf, PressureError::NotFinite},
    };
    for (const auto& row : refused) {
        const auto setting = psychro::atmosphereFrom(row.unit, row.value);
        ASSERT_FALSE(setting.has_value()) << row.value;
        EXPECT_EQ(setting.error(), row.error) << row.value;
    }
}

// The standard pressure passed explicitly runs the very arithmetic of the default: every pair,
// property and search of a table of states, to the last bit.
TEST(Pressure, StandardPressureGivesTheDefaultBitForBit) {
    const psychro::PressureRatio standard = psychro::atmosphereFromKPa(101.325)->ratio;
    const double states[][2] = {{20.0, 50.0}, {-10.0, 60.0}, {2.0, 40.0}, {45.0, 99.0}};
    for (const auto& s : states) {
        const auto state = psychro::solvePair(Property::t, s[0], Property::phi, s[1],
                                              psychro::PressureRatio::standard());
        ASSERT_TRUE(state.has_value());
        const auto p =
            psychro::stateProperties(state->x, state->i, psychro::PressureRatio::standard());
        const auto q = psychro::stateProperties(state->x, state->i, standard);
        EXPECT_EQ(p.tw, q.tw);
        EXPECT_EQ(p.v, q.v);
        EXPECT_EQ(p.phi, q.phi);
        EXPECT_EQ(
            psychro::DewPointTemperature(1000.0 * state->x, psychro::PressureRatio::standard()),
            psychro::DewPointTemperature(1000.0 * state->x, standard));
        const double values[] = {state->x, state->i, p.t, p.tw, p.v, p.phi};
        for (Property a : kAll) {
            for (Property b : kAll) {
                const double va = values[std::to_underlying(a)];
                const double vb = values[std::to_underlying(b)];
                const auto byDefault =
                    psychro::solvePair(a, va, b, vb, psychro::PressureRatio::standard());
                const auto explicitly = psychro::solvePair(a, va, b, vb, standard);
                ASSERT_EQ(byDefault.has_value(), explicitly.has_value());
                EXPECT_EQ(byDefault.value_or(*state).x, explicitly.value_or(*state).x);
                EXPECT_EQ(byDefault.value_or(*state).i, explicitly.value_or(*state).i);
            }
        }
        const auto steam = psychro::Humidifier::Steam;
        const auto wetter = psychro::humidify(*state, 1000.0, steam, 100.0, 100.0,
                                              psychro::PressureRatio::standard());
        const auto same = psychro::humidify(*state, 1000.0, steam, 100.0, 100.0, standard);
        ASSERT_EQ(wetter.has_value(), same.has_value());
        if (wetter) {
            EXPECT_EQ(wetter->L, same->L);
            EXPECT_EQ(wetter->phi, same->phi);
        }
    }
}

// The six properties of the state (t, φ) under the pressure P = 1.03323·r, written out here;
// the wet bulb bisected on the balance of the saturated air and its water.
std::array<double, 6> stateAt(double t, double phiPercent, double r) {
    const double pressure = 1.03323 * r;
    const auto enthalpyOf = [](double tt, double xx) {
        return 0.24 * tt + xx * (597.3 + 0.441 * tt);
    };
    const double ps = psychro::SaturationPressure(t);
    const double x = 0.622 * phiPercent / 100.0 * ps / (pressure - phiPercent / 100.0 * ps);
    const double i = enthalpyOf(t, x);
    double lo = -60.0;
    double hi = t;
    for (int step = 0; step < 200; ++step) {
        const double tw = (lo + hi) / 2.0;
        const double pw = psychro::SaturationPressure(tw);
        const double xs = 0.622 * pw / (pressure - pw);
        const double hw = tw >= 0.0 ? tw : 0.5 * tw - 79.7;
        (enthalpyOf(tw, xs) - (xs - x) * hw < i ? lo : hi) = tw;
    }
    const double v = 0.455 * (0.622 + x) * (t + 273.15) / 100.0 / r;
    return {x, i, t, (lo + hi) / 2.0, v, phiPercent};
}

TEST(Pressure, TwentyDegreesHalfSaturatedAt700MmHg) {
    const psychro::PressureRatio r = psychro::atmosphereFromMmHg(700.0)->ratio;
    const double pressure = 1.03323 * 700.0 / 760.0;
    const double ps = psychro::SaturationPressure(20.0);
    const double x = 0.622 * 0.5 * ps / (pressure - 0.5 * ps);
    const auto state = psychro::solvePair(Property::t, 20.0, Property::phi, 50.0, r);
    ASSERT_TRUE(state.has_value());
    EXPECT_NEAR(state->x, x, 1e-15);
    const auto p = psychro::stateProperties(state->x, state->i, r);
    EXPECT_NEAR(p.v, 0.455 * (0.622 + x) * 293.15 / 100.0 * 760.0 / 700.0, 1e-15);
    // The same air (x, i) is less humid the thinner it is.
    double previous = kInf;
    for (double mmHg : {806.1, 760.0, 700.0, 600.0, 405.2}) {
        const double phi =
            psychro::stateProperties(state->x, state->i, psychro::PressureRatio(mmHg / 760.0)).phi;
        EXPECT_LT(phi, previous) << mmHg;
        previous = phi;
    }
}

// Each pair of a state's own properties solves back to it, at 700 mmHg and at both range ends.
TEST(Pressure, EveryPairSolvesBackAcrossTheRange) {
    const double states[][2] = {
        {20.0, 50.0}, {30.0, 70.0}, {-10.0, 60.0}, {2.0, 40.0}, {40.0, 95.0}};
    for (double mmHg : {700.0, 405.2, 806.1}) {
        const psychro::PressureRatio r = psychro::atmosphereFromMmHg(mmHg)->ratio;
        for (const auto& s : states) {
            const std::array<double, 6> full = stateAt(s[0], s[1], r.value());
            for (Property a : kAll) {
                for (Property b : kAll) {
                    const auto ka = std::to_underlying(a);
                    const auto kb = std::to_underlying(b);
                    if (a == b) {
                        continue;
                    }
                    const auto solved = psychro::solvePair(a, full[ka], b, full[kb], r);
                    const std::string where = std::to_string(mmHg) + " mmHg " +
                                              std::to_string(s[0]) + " C pair " +
                                              std::to_string(ka) + std::to_string(kb);
                    ASSERT_TRUE(solved.has_value()) << where;
                    EXPECT_NEAR(solved->x, full[0], 5e-9) << where;
                    EXPECT_NEAR(solved->i, full[1], 3e-6) << where;
                }
            }
        }
    }
}

// At 5,000 m water boils near 83 °C: the searches still run over −50 … 100 °C, and the part of
// the bracket above the boiling point turns them back instead of sending them the wrong way.
TEST(Pressure, SearchesStepOverTheBoilingPoint) {
    const psychro::PressureRatio r = psychro::lowestPressureRatio();
    const auto saturated = [](double t, double ratio) {
        const double ps = psychro::SaturationPressure(t);
        return 0.622 * ps / (1.03323 * ratio - ps);
    };
    // Saturated at 82 °C: the bisections pass 90.6 °C on their way there.
    const double x82 = saturated(82.0, r.value());
    const auto dew = psychro::DewPointTemperature(1000.0 * x82, r);
    ASSERT_TRUE(dew.has_value());
    EXPECT_NEAR(*dew, 82.0, 1e-6);
    const auto state = psychro::solvePair(Property::t, 82.0, Property::phi, 100.0, r);
    ASSERT_TRUE(state.has_value());
    EXPECT_NEAR(state->x, x82, 1e-9);
    EXPECT_NEAR(psychro::wbt(x82, 0.24 * 82.0 + x82 * (597.3 + 0.441 * 82.0), r), 82.0, 1e-5);
    EXPECT_FALSE(psychro::solvePair(Property::t, 90.0, Property::phi, 100.0, r).has_value());
    EXPECT_FALSE(psychro::solvePair(Property::tw, 90.0, Property::phi, 50.0, r).has_value());
    // 500 m below sea level water boils at 101.7 °C, but the searches stop at 100 °C.
    const psychro::PressureRatio high = psychro::highestPressureRatio();
    EXPECT_FALSE(
        psychro::DewPointTemperature(1000.0 * saturated(101.0, high.value()), high).has_value());
}

}  // namespace
