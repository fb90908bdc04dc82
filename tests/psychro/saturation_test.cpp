#include "psychro/saturation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

double saturationHumidityG(double t) {
    const double ps = psychro::SaturationPressure(t);
    return 622.0 * ps / (1.03323 - ps);
}

struct PressureRow {
    double t;
    double ps;
    double tolerance;
};

TEST(SaturationPressure, ReferenceValuesOverWaterAndIce) {
    const PressureRow rows[] = {
        {0.0, 0.0062270, 5e-8},      // water branch at exactly 0 °C
        {-0.0001, 0.0062279, 5e-8},  // ice branch just below
        {20.0, 0.023831, 5e-7},     {-10.0, 0.0026483, 5e-8}, {-50.0, 4.0117e-5, 5e-10},
        {100.0, 1.03323, 1e-12},  // the steam point is the reference pressure
    };
    for (const PressureRow& row : rows) {
        EXPECT_NEAR(psychro::SaturationPressure(row.t), row.ps, row.tolerance) << "t = " << row.t;
    }
}

TEST(SaturationPressure, BranchesMeetAtZero) {
    const double water = psychro::SaturationPressure(0.0);
    const double ice = psychro::SaturationPressure(-1e-12);
    EXPECT_NE(water, ice);  // two different formulas meet here
    EXPECT_NEAR(water, ice, 1e-6);
}

TEST(SaturationPressure, RisesMonotonicallyAcrossTheChart) {
    double previous = psychro::SaturationPressure(-50.0);
    for (int tenth = -499; tenth <= 1000; ++tenth) {
        const double ps = psychro::SaturationPressure(tenth / 10.0);
        ASSERT_GT(ps, previous) << "t = " << tenth / 10.0;
        previous = ps;
    }
}

// Steam tables (IAPWS-IF97) interpolated at each site's pressure: 101.325 kPa, 84.556 kPa
// (1,500 m), 54.020 kPa (5,000 m), 107.478 kPa (−500 m).
TEST(BoilingPoint, AtTheSitesPressure) {
    const PressureRow rows[] = {
        {0.0, 100.0, 0.0}, {1500.0, 94.98, 0.05}, {5000.0, 83.28, 0.05}, {-500.0, 101.66, 0.05}};
    for (const PressureRow& row : rows) {
        EXPECT_NEAR(psychro::boilingPoint(psychro::pressureRatioAtAltitude(row.t)), row.ps,
                    row.tolerance)
            << row.t << " m";
    }
}

TEST(SaturationHumidity, ReferenceValues) {
    const PressureRow rows[] = {{0.0, 3.7714, 5e-5}, {20.0, 14.6847, 5e-5}, {30.0, 27.182, 5e-4}};
    for (const PressureRow& row : rows) {
        EXPECT_NEAR(saturationHumidityG(row.t), row.ps, row.tolerance) << "t = " << row.t;
        EXPECT_NEAR(1000.0 * psychro::saturationHumidity(psychro::SaturationPressure(row.t),
                                                         psychro::PressureRatio::standard()),
                    row.ps, row.tolerance);
    }
}

TEST(DewPointTemperature, ReferenceValues) {
    const PressureRow rows[] = {
        {10.0, 14.0559, 5e-5},
        {20.0, 24.946, 5e-4},
        {1.0, -15.167, 5e-4},  // found over ice
        {53.0, 41.424, 5e-4},
    };
    for (const PressureRow& row : rows) {
        const auto t = psychro::DewPointTemperature(row.t, psychro::PressureRatio::standard());
        ASSERT_TRUE(t.has_value()) << "x = " << row.t;
        EXPECT_NEAR(*t, row.ps, row.tolerance) << "x = " << row.t;
    }
}

TEST(DewPointTemperature, MeetsTheHumidityToleranceForEveryChartHumidity) {
    for (int xg = 1; xg <= 53; ++xg) {
        const auto t = psychro::DewPointTemperature(xg, psychro::PressureRatio::standard());
        ASSERT_TRUE(t.has_value()) << "x = " << xg;
        EXPECT_LT(std::fabs(saturationHumidityG(*t) - xg), 1e-6) << "x = " << xg;
    }
}

TEST(DewPointTemperature, ReturnsTheMidpointThatHitsExactly) {
    // 25 °C is the first midpoint: its own saturation humidity ends the search at once.
    EXPECT_EQ(
        psychro::DewPointTemperature(saturationHumidityG(25.0), psychro::PressureRatio::standard()),
        25.0);
}

TEST(DewPointTemperature, RefusesHumiditiesWithoutADewPointInTheBracket) {
    const double refused[] = {
        0.0,
        -1.0,
        0.02,  // below the saturation humidity at −50 °C (0.02415 g/kg)
        1e-300,
        std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        1e30,  // would need 100 °C or more
        1e300,
    };
    for (double xg : refused) {
        EXPECT_FALSE(
            psychro::DewPointTemperature(xg, psychro::PressureRatio::standard()).has_value())
            << "x = " << xg;
    }
}

}  // namespace
