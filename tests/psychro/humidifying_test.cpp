#include "psychro/humidifying.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using psychro::Humidifier;
using psychro::HumidifyError;

// 20 °C, 50 %: x and i as the solver completes them.
constexpr psychro::AirState kRoom{0.0072566913, 9.1984257};

// Expected L and t2 from an independent evaluation of the same relations (bisection in a
// separate script), rounded; u by hand.
TEST(Humidifying, ReachesTheTargetOnTheLine) {
    struct Case {
        Humidifier kind;
        double temperature;
        double u;  // kcal/kg
        psychro::AirState before;
        double G;
        double target;
        double L;   // kg/h, ±0.002
        double t2;  // °C, ±0.002; NaN: not checked
    };
    const Case cases[] = {
        {Humidifier::Steam, 100, 641.4, kRoom, 1000, 80, 4.9744, 20.7152},
        {Humidifier::WaterSpray, 15, 15.0, kRoom, 1000, 80, 1.7111, 15.8538},
        {Humidifier::WaterSpray, 15, 15.0, kRoom, 2500, 80, 4.2778, 15.8538},
        {Humidifier::Steam, 100, 641.4, kRoom, 1000, 100, NAN, NAN},
        {Humidifier::WaterSpray, 0, 0.0, kRoom, 1000, 100, NAN, NAN},
        // the first crossing of a line that turns back below saturation later
        {Humidifier::Steam, 500, 817.8, kRoom, 1000, 60, 3.0078, 22.6037},
        // perfectly dry air (20 °C, x = 0)
        {Humidifier::WaterSpray, 15, 15.0, {0.0, 4.8}, 1000, 50, 3.9055, 10.4494},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.temperature << " to " << c.target);
        const auto r = psychro::humidify(c.before, c.G, c.kind, c.temperature, c.target,
                                         psychro::PressureRatio::standard());
        ASSERT_TRUE(r.has_value());
        EXPECT_NEAR(r->phi, c.target, psychro::kHumidifyTolerance);
        EXPECT_NEAR(r->x - c.before.x, r->L / c.G, 1e-15);
        EXPECT_NEAR(r->i - c.before.i, c.u * (r->x - c.before.x), 1e-12);
        EXPECT_GT(r->L, 0.0);
        if (!std::isnan(c.L)) {
            EXPECT_NEAR(r->L, c.L, 0.002);
            EXPECT_NEAR(r->t, c.t2, 0.002);
        }
    }
}

TEST(Humidifying, Refusals) {
    struct Case {
        Humidifier kind;
        double temperature;
        double G;
        double target;
        HumidifyError error;
    };
    const Case cases[] = {
        {Humidifier::Steam, 100, 0, 80, HumidifyError::AirQuantity},
        {Humidifier::Steam, 100, -1, 80, HumidifyError::AirQuantity},
        {Humidifier::Steam, 99.9, 1000, 80, HumidifyError::SteamTemperature},
        {Humidifier::WaterSpray, -0.1, 1000, 80, HumidifyError::WaterTemperature},
        {Humidifier::WaterSpray, 100.1, 1000, 80, HumidifyError::WaterTemperature},
        {Humidifier::WaterSpray, 15, 1000, 100.1, HumidifyError::TargetAbove100},
        {Humidifier::WaterSpray, 15, 1000, 50, HumidifyError::TargetNotAbove},
        {Humidifier::Steam, 100, 1000, 30, HumidifyError::TargetNotAbove},
        // 500 °C steam: the line peaks near 70.9 % and turns back
        {Humidifier::Steam, 500, 1000, 80, HumidifyError::Unreachable},
        {Humidifier::Steam, 1e300, 1000, 80, HumidifyError::Unreachable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.temperature << " " << c.G << " " << c.target);
        const auto r = psychro::humidify(kRoom, c.G, c.kind, c.temperature, c.target,
                                         psychro::PressureRatio::standard());
        ASSERT_FALSE(r.has_value());
        EXPECT_EQ(r.error(), c.error);
    }
}

}  // namespace
