#include <gtest/gtest.h>

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
using psychro::Property;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr Property kAll[] = {Property::x,  Property::i, Property::t,
                             Property::tw, Property::v, Property::phi};

TEST(Atmosphere, SettingsFromEachUnit) {
    struct Row {
        std::expected<psychro::Atmosphere, PressureError> setting;
        double kPa;
        double tolerance;
    };
    const Row rows[] = {
        {psychro::atmosphereFromMmHg(760.0), 101.325, 0.0},
        {psychro::atmosphereFromKPa(101.325), 101.325, 0.0},
        {psychro::atmosphereFromAltitude(0.0), 101.325, 0.0},
        {psychro::atmosphereFromMmHg(700.0), 93.3257, 5e-5},  // 101.325·700/760
        {psychro::atmosphereFromAltitude(1500.0), 84.556, 5e-4},
        {psychro::atmosphereFromAltitude(5000.0), 54.0198, 5e-5},
        {psychro::atmosphereFromAltitude(-500.0), 107.4775, 5e-5},
        {psychro::atmosphereFromMmHg(405.2), 54.0222, 5e-5},
        {psychro::atmosphereFromMmHg(806.1), 107.4712, 5e-5},
        {psychro::atmosphereFrom(psychro::PressureUnit::KPa, 54.02), 54.02, 0.0},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(row.setting.has_value()) << row.kPa;
        EXPECT_NEAR(row.setting->kPa(), row.kPa, row.tolerance);
        EXPECT_NEAR(row.setting->mmHg(), row.kPa * 760.0 / 101.325, 1e-9 + row.tolerance * 7.6);
        EXPECT_NEAR(row.setting->kgfPerCm2(), row.kPa * 1.03323 / 101.325, 1e-12 + row.tolerance);
    }
    // The standard atmosphere, however given, is the ratio 1.0 itself.
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(rows[k].setting->ratio, 1.0);
        EXPECT_TRUE(rows[k].setting->standard());
    }
}

TEST(Atmosphere, RefusesSitesOutsideTheRange) {
    using psychro::PressureUnit;
    const struct {
        PressureUnit unit;
        double value;
        PressureError error;
    } rows[] = {
        {PressureUnit::Altitude, 6000.0, PressureError::AboveRange},
        {PressureUnit::Altitude, -1000.0, PressureError::BelowRange},
        {PressureUnit::Altitude, kNaN, PressureError::NotFinite},
        {PressureUnit::MmHg, 0.0, PressureError::BelowRange},
        {PressureUnit::MmHg, -760.0, PressureError::BelowRange},
        {PressureUnit::MmHg, 405.1, PressureError::BelowRange},
        {PressureUnit::MmHg, 806.2, PressureError::AboveRange},
        {PressureUnit::MmHg, kNaN, PressureError::NotFinite},
        {PressureUnit::MmHg, kInf, PressureError::NotFinite},
        {PressureUnit::KPa, 0.0, PressureError::BelowRange},
        {PressureUnit::KPa, 107.48, PressureError::AboveRange},
        {PressureUnit::KPa, -kInf, PressureError::NotFinite},
    };
    for (const auto& row : rows) {
        const auto setting = psychro::atmosphereFrom(row.unit, row.value);
        ASSERT_FALSE(setting.has_value()) << row.value;
        EXPECT_EQ(setting.error(), row.error) << row.value;
    }
}

void expectSame(const std::expected<psychro::AirState, psychro::SolveError>& a,
                const std::expected<psychro::AirState, psychro::SolveError>& b) {
    ASSERT_EQ(a.has_value(), b.has_value());
    if (a) {
        EXPECT_EQ(a->x, b->x);
        EXPECT_EQ(a->i, b->i);
    } else {
        EXPECT_EQ(a.error(), b.error());
    }
}

// The standard pressure passed explicitly, however it was given, runs the very arithmetic of
// the default: every state, property and search to the last bit.
TEST(Pressure, StandardPressureGivesTheDefaultBitForBit) {
    const double standard = psychro::atmosphereFromKPa(101.325)->ratio;
    const double states[][2] = {{20.0, 50.0}, {-10.0, 60.0}, {2.0, 40.0}, {45.0, 99.0}};
    for (const auto& s : states) {
        const auto state = psychro::solvePair(Property::t, s[0], Property::phi, s[1]);
        ASSERT_TRUE(state.has_value());
        const auto p = psychro::stateProperties(state->x, state->i);
        const auto q = psychro::stateProperties(state->x, state->i, standard);
        EXPECT_EQ(p.tw, q.tw);
        EXPECT_EQ(p.v, q.v);
        EXPECT_EQ(p.phi, q.phi);
        EXPECT_EQ(psychro::DewPointTemperature(1000.0 * state->x),
                  psychro::DewPointTemperature(1000.0 * state->x, standard));
        const double values[] = {state->x, state->i, p.t, p.tw, p.v, p.phi};
        for (Property a : kAll) {
            for (Property b : kAll) {
                const auto va = values[std::to_underlying(a)];
                const auto vb = values[std::to_underlying(b)];
                expectSame(psychro::solvePair(a, va, b, vb),
                           psychro::solvePair(a, va, b, vb, standard));
            }
        }
        const auto steam = psychro::Humidifier::Steam;
        const auto wetter = psychro::humidify(*state, 1000.0, steam, 100.0, 100.0);
        const auto same = psychro::humidify(*state, 1000.0, steam, 100.0, 100.0, standard);
        ASSERT_EQ(wetter.has_value(), same.has_value());
        if (wetter) {
            EXPECT_EQ(wetter->L, same->L);
            EXPECT_EQ(wetter->i, same->i);
            EXPECT_EQ(wetter->phi, same->phi);
        }
    }
}

// The six properties of the state (t, φ) at the pressure P = 1.03323·r, written out here.
struct FullState {
    double values[6];
};

FullState stateAt(double t, double phiPercent, double r) {
    const double pressure = 1.03323 * r;
    const double ps = psychro::SaturationPressure(t);
    const double x = 0.622 * phiPercent / 100.0 * ps / (pressure - phiPercent / 100.0 * ps);
    const auto enthalpyOf = [](double tt, double xx) {
        return 0.24 * tt + xx * (597.3 + 0.441 * tt);
    };
    const double i = enthalpyOf(t, x);
    // Wet bulb: the saturated air and its water hold the state's enthalpy.
    double lo = -60.0;
    double hi = t;
    for (int step = 0; step < 200 && lo < hi; ++step) {
        const double tw = (lo + hi) / 2.0;
        const double pw = psychro::SaturationPressure(tw);
        const double xs = 0.622 * pw / (pressure - pw);
        const double hw = tw >= 0.0 ? tw : 0.5 * tw - 79.7;
        (enthalpyOf(tw, xs) - (xs - x) * hw < i ? lo : hi) = tw;
    }
    const double v = 0.455 * (0.622 + x) * (t + 273.15) / 100.0 / r;
    return {{x, i, t, (lo + hi) / 2.0, v, phiPercent}};
}

// A state at 700 mmHg, written out: x from P = 1.03323·700/760, the volume larger by 760/700,
// and the same air (x, i) less humid, by P, than at 760 mmHg.
TEST(Pressure, TwentyDegreesHalfSaturatedAt700MmHg) {
    const double r = psychro::atmosphereFromMmHg(700.0)->ratio;
    const double pressure = 1.03323 * 700.0 / 760.0;
    const double ps = psychro::SaturationPressure(20.0);
    const double x = 0.622 * 0.5 * ps / (pressure - 0.5 * ps);
    const auto state = psychro::solvePair(Property::t, 20.0, Property::phi, 50.0, r);
    ASSERT_TRUE(state.has_value());
    EXPECT_NEAR(state->x, x, 1e-15);
    const auto p = psychro::stateProperties(state->x, state->i, r);
    EXPECT_NEAR(p.v, 0.455 * (0.622 + x) * 293.15 / 100.0 * 760.0 / 700.0, 1e-15);
    EXPECT_NEAR(p.phi, 50.0, 1e-12);
    EXPECT_NEAR(p.tw, stateAt(20.0, 50.0, r).values[3], 2e-6);
    const auto dew = psychro::DewPointTemperature(1000.0 * x, r);
    ASSERT_TRUE(dew.has_value());
    const double pd = psychro::SaturationPressure(*dew);
    EXPECT_NEAR(0.622 * pd / (pressure - pd), x, 1e-9);
}

TEST(Pressure, RelativeHumidityOfTheSameAirFallsWithThePressure) {
    const double x = 0.008;
    const double i = 10.0;
    double previous = kInf;
    for (double mmHg : {806.1, 760.0, 700.0, 600.0, 500.0, 405.2}) {
        const double phi = psychro::stateProperties(x, i, mmHg / 760.0).phi;
        EXPECT_LT(phi, previous) << mmHg;
        previous = phi;
    }
}

// Each pair of a state's own properties solves back to it, at 700 mmHg and at both ends of
// the range.
TEST(Pressure, EveryPairSolvesBackAcrossTheRange) {
    const struct {
        double t, phi;
    } states[] = {{20.0, 50.0}, {30.0, 70.0}, {-10.0, 60.0}, {2.0, 40.0}, {40.0, 95.0}};
    for (double mmHg : {700.0, 405.2, 806.1}) {
        const double r = psychro::atmosphereFromMmHg(mmHg)->ratio;
        for (const auto& s : states) {
            const FullState full = stateAt(s.t, s.phi, r);
            for (Property a : kAll) {
                for (Property b : kAll) {
                    if (a == b) {
                        continue;
                    }
                    const std::string where = std::to_string(mmHg) + " mmHg, " +
                                              std::to_string(s.t) + " C " + std::to_string(s.phi) +
                                              " %, pair " + std::to_string(std::to_underlying(a)) +
                                              std::to_string(std::to_underlying(b));
                    const auto solved = psychro::solvePair(a, full.values[std::to_underlying(a)], b,
                                                           full.values[std::to_underlying(b)], r);
                    ASSERT_TRUE(solved.has_value()) << where;
                    EXPECT_NEAR(solved->x, full.values[0], 5e-9) << where;
                    EXPECT_NEAR(solved->i, full.values[1], 3e-6) << where;
                }
            }
        }
    }
}

// At 5,000 m water boils near 83 °C: the searches still run over −50 … 100 °C, and the part of
// the bracket above the boiling point gives no humidity, no NaN and no wrong turn.
TEST(Pressure, SearchesStepOverTheBoilingPointAtHighAltitude) {
    const double r = psychro::lowestPressureRatio();
    const double pressure = 1.03323 * r;
    // Saturated at 80 °C, 3 °C under the boiling point: x = 0.622·ps / (P − ps).
    const double ps80 = psychro::SaturationPressure(80.0);
    const double x80 = 0.622 * ps80 / (pressure - ps80);
    const auto dew = psychro::DewPointTemperature(1000.0 * x80, r);
    ASSERT_TRUE(dew.has_value());
    EXPECT_NEAR(*dew, 80.0, 1e-6);
    const double ps60 = psychro::SaturationPressure(60.0);
    const double x60 = 0.622 * ps60 / (pressure - ps60);
    EXPECT_NEAR(psychro::wbt(x60, 0.24 * 60.0 + x60 * (597.3 + 0.441 * 60.0), r), 60.0, 1e-5);
    const auto state = psychro::solvePair(Property::t, 80.0, Property::phi, 100.0, r);
    ASSERT_TRUE(state.has_value());
    EXPECT_NEAR(state->x, x80, 1e-12);
    // Saturated air at 90 °C does not exist there; φ of air at 90 °C is below 100 %.
    EXPECT_FALSE(psychro::solvePair(Property::t, 90.0, Property::phi, 100.0, r).has_value());
    EXPECT_FALSE(psychro::solvePair(Property::tw, 90.0, Property::phi, 50.0, r).has_value());
    // Below 500 m under sea level water boils at 101.7 °C, but the searches stop at 100 °C.
    const double high = 1.03323 * psychro::highestPressureRatio();
    const double ps101 = psychro::SaturationPressure(101.0);
    const double x101 = 0.622 * ps101 / (high - ps101);
    EXPECT_FALSE(
        psychro::DewPointTemperature(1000.0 * x101, psychro::highestPressureRatio()).has_value());
    for (double t : {85.0, 99.0}) {
        const auto p = psychro::stateProperties(0.05, 0.24 * t + 0.05 * (597.3 + 0.441 * t), r);
        EXPECT_TRUE(p.tw >= -50.0 && p.tw <= 100.0 && std::isfinite(p.v) && p.phi < 100.0) << t;
    }
}

TEST(Pressure, HumidifyingReachesTheTargetAtTheSitesPressure) {
    const double r = psychro::atmosphereFromAltitude(1500.0)->ratio;
    const auto state = psychro::solvePair(Property::t, 20.0, Property::phi, 30.0, r);
    ASSERT_TRUE(state.has_value());
    const auto wetter =
        psychro::humidify(*state, 1000.0, psychro::Humidifier::WaterSpray, 15.0, 80.0, r);
    ASSERT_TRUE(wetter.has_value());
    const double ps = psychro::SaturationPressure(wetter->t);
    EXPECT_NEAR(100.0 * 1.03323 * r * wetter->x / ((0.622 + wetter->x) * ps), 80.0, 1e-5);
    EXPECT_NEAR(wetter->x - state->x, wetter->L / 1000.0, 1e-12);
}

}  // namespace
