#include "psychro/wet_bulb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "psychro/saturation.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct WetBulbRow {
    double x;  // kg/kg(DA)
    double i;  // kcal/kg(DA)
    double expected;
    double tolerance;
};

TEST(WetBulb, HandCheckedStates) {
    const WetBulbRow rows[] = {
        {0.0146847, 13.70069, 20.0, 5e-5},  // saturated at 20 °C
        {0.010, 13.3053, 19.614, 5e-4},     // 30 °C air
        {0.0, 0.0, -6.263, 5e-4},           // dry air at 0 °C: root on the ice branch
        {0.01, 10.86, 16.26, 5e-3},         // 20 °C, 10 g/kg, as the readout shows it
    };
    for (const WetBulbRow& row : rows) {
        EXPECT_NEAR(psychro::wbt(row.x, row.i), row.expected, row.tolerance)
            << "x = " << row.x << ", i = " << row.i;
    }
}

// Roots of the balance solved separately to full precision; the search stops within 1e-6 of
// the residual, and the residual rises at least as fast as ts, so 2e-6 °C holds. The rows
// near 0 °C tell the branches apart, the ice rows the 0.0595 coefficient.
TEST(WetBulb, RootsOfTheBalance) {
    const WetBulbRow rows[] = {
        {0.003, -3.0, -14.4353201400696, 2e-6},  {0.001, -8.0, -33.392878272251565, 2e-6},
        {0.002, 1.8, -1.3447055507842425, 2e-6}, {0.004, 2.6, 0.845016364718066, 2e-6},
        {0.0, 0.0, -6.263146509330902, 2e-6},    {0.010, 13.3053, 19.61406507648681, 2e-6},
        {0.02, 20.0, 26.786082763207816, 2e-6},  {0.03677, 20.28, 26.625707332947925, 2e-6},
    };
    for (const WetBulbRow& row : rows) {
        EXPECT_NEAR(psychro::wbt(row.x, row.i), row.expected, row.tolerance)
            << "x = " << row.x << ", i = " << row.i;
    }
}

// Saturated air is its own wet bulb. Over ice the balance uses 0.0595 where the enthalpy
// relation implies 0.0590, which moves the result by a few 1e-5 °C at most on the chart.
// Saturated air at exactly 0 °C finds its root just below zero on the ice branch.
TEST(WetBulb, SaturatedAirAcrossTheChart) {
    for (int t = -45; t <= 60; t += 5) {
        const double x = psychro::saturationHumidity(psychro::SaturationPressure(t));
        const double i = 0.24 * t + x * (597.3 + 0.441 * t);
        const double tolerance = t < 0 ? 1e-4 : t == 0 ? 1e-3 : 2e-6;
        EXPECT_NEAR(psychro::wbt(x, i), t, tolerance) << "t = " << t;
    }
}

// The wet bulb lies below the dry bulb for unsaturated air and rises with enthalpy at fixed x.
TEST(WetBulb, OrderedAgainstDryBulbAndEnthalpy) {
    const double x = 0.005;
    double previous = -50.0;
    for (int t = -20; t <= 50; t += 2) {
        const double i = 0.24 * t + x * (597.3 + 0.441 * t);
        const double tw = psychro::wbt(x, i);
        if (psychro::saturationHumidity(psychro::SaturationPressure(t)) > x) {
            EXPECT_LT(tw, t) << "t = " << t;
        }
        EXPECT_GT(tw, previous) << "t = " << t;
        previous = tw;
    }
}

// Around 0 °C the branch follows the candidate: saturated air at 0 °C has its balance root
// on the ice branch, 0.0009 °C below zero; a little more enthalpy moves it onto water.
TEST(WetBulb, BranchesMeetAtZero) {
    const double x = psychro::saturationHumidity(psychro::SaturationPressure(0.0));
    const double i = x * 597.3;  // saturated air at 0 °C
    EXPECT_LT(psychro::wbt(x, i), 0.0);
    EXPECT_NEAR(psychro::wbt(x, i), 0.0, 1e-3);
    EXPECT_LT(psychro::wbt(x, i - 0.01), 0.0);
    EXPECT_GT(psychro::wbt(x, i + 0.01), 0.0);
}

// Far off the chart the balance has no root in −50 … 100 °C; every such search still ends,
// and with a value inside the bracket.
TEST(WetBulb, EndsForStatesWithoutARoot) {
    const WetBulbRow rows[] = {
        {0.0, -1000.0, -50.0, 1e-9},                             // colder than −50 °C
        {0.0, -30.0, -50.0, 1e-9},   {kNaN, 10.0, -50.0, 1e-9},  // a NaN residual lowers the upper
                                                                 // end every time
        {0.01, kNaN, -50.0, 1e-9},   {kNaN, kNaN, -50.0, 1e-9}, {kInf, 10.0, -50.0, 1e-9},
    };
    for (const WetBulbRow& row : rows) {
        EXPECT_NEAR(psychro::wbt(row.x, row.i), row.expected, row.tolerance)
            << "x = " << row.x << ", i = " << row.i;
    }
    const double others[][2] = {
        {0.0, 1000.0}, {0.0, 1e300},  {0.0, -1e300}, {-kInf, 0.0}, {0.0, kInf},
        {0.0, -kInf},  {-0.622, 5.0}, {-5.0, 5.0},   {1e6, 0.0},   {0.03677, 100.0},
    };
    for (const auto& row : others) {
        const double tw = psychro::wbt(row[0], row[1]);
        EXPECT_TRUE(tw >= -50.0 && tw <= 100.0)
            << "x = " << row[0] << ", i = " << row[1] << " gives " << tw;
    }
}

}  // namespace
