#include "psychro/wet_bulb.h"

#include <gtest/gtest.h>

#include <limits>

#include "psychro/saturation.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct WetBulbRow {
    double x;  // kg/kg(DA)
    double i;  // kcal/kg(DA)
    double expected;
};

// Roots of the balance solved separately to full precision. The search stops within 1e-6 of
// the residual, which rises at least as fast as ts, so 2e-6 °C holds. The rows near 0 °C tell
// the branches apart, the ice rows check the 0.0595 coefficient.
TEST(WetBulb, RootsOfTheBalance) {
    const WetBulbRow rows[] = {
        {0.010, 13.3053, 19.61406507648681},  // 30 °C air: 19.614
        {0.0, 0.0, -6.263146509330902},       // dry air at 0 °C, over ice: -6.263
        {0.003, -3.0, -14.4353201400696},    {0.001, -8.0, -33.392878272251565},
        {0.002, 1.8, -1.3447055507842425},   {0.004, 2.6, 0.845016364718066},
        {0.02, 20.0, 26.786082763207816},    {0.03677, 20.28, 26.625707332947925},
    };
    for (const WetBulbRow& row : rows) {
        EXPECT_NEAR(psychro::wbt(row.x, row.i, psychro::PressureRatio::standard()), row.expected,
                    2e-6)
            << "x = " << row.x << ", i = " << row.i;
    }
}

// Saturated air is its own wet bulb. Over ice the balance uses 0.0595 where the enthalpy
// relation implies 0.0590, which moves the result by a few 1e-5 °C; saturated air at exactly
// 0 °C has its root 0.0009 °C below zero, on the ice branch.
TEST(WetBulb, SaturatedAirAcrossTheChart) {
    for (int t = -45; t <= 60; t += 5) {
        const double x = psychro::saturationHumidity(psychro::SaturationPressure(t),
                                                     psychro::PressureRatio::standard());
        const double i = 0.24 * t + x * (597.3 + 0.441 * t);
        const double tolerance = t < 0 ? 1e-4 : t == 0 ? 1e-3 : 2e-6;
        EXPECT_NEAR(psychro::wbt(x, i, psychro::PressureRatio::standard()), t, tolerance)
            << "t = " << t;
    }
}

// Far off the chart the balance has no root in −50 … 100 °C. Every such search ends, inside
// the bracket; a NaN residual lowers the upper end each time, so NaN ends at −50.
TEST(WetBulb, EndsForStatesWithoutARoot) {
    const WetBulbRow rows[] = {
        {0.0, -1000.0, -50.0}, {0.0, -30.0, -50.0}, {kNaN, 10.0, -50.0},
        {0.01, kNaN, -50.0},   {kNaN, kNaN, -50.0}, {kInf, 10.0, -50.0},
    };
    for (const WetBulbRow& row : rows) {
        EXPECT_NEAR(psychro::wbt(row.x, row.i, psychro::PressureRatio::standard()), row.expected,
                    1e-9)
            << "x = " << row.x << ", i = " << row.i;
    }
    const double others[][2] = {
        {0.0, 1000.0}, {0.0, 1e300},  {0.0, -1e300}, {-kInf, 0.0}, {0.0, kInf},
        {0.0, -kInf},  {-0.622, 5.0}, {-5.0, 5.0},   {1e6, 0.0},   {0.03677, 100.0},
    };
    for (const auto& row : others) {
        const double tw = psychro::wbt(row[0], row[1], psychro::PressureRatio::standard());
        EXPECT_TRUE(tw >= -50.0 && tw <= 100.0)
            << "x = " << row[0] << ", i = " << row[1] << " gives " << tw;
    }
}

}  // namespace
