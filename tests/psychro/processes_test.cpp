#include "psychro/processes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

using psychro::KeptStream;

constexpr double kInf = std::numeric_limits<double>::infinity();

// Expectations by hand. Stream 1 is kept in float, and its shares i1·G1, x1·G1 are float
// products: the rows marked so come out otherwise if either is formed in double.
TEST(Processes, MixingPoint) {
    struct Case {
        const char* name;
        KeptStream first;
        psychro::AirState second;  // x, i
        double G2;
        double i3;
        double x3;
        double tolerance;  // 0: to the last bit
    };
    const Case cases[] = {
        // 0.008f·1000 = 8.00000038 rounds to 8 in float, so x3 = (18 + 8)/4000 exactly (a double
        // product would give 0.0065000000950); i3 = (24000 + 12000)/4000.
        {"a quarter of the way from state 2",
         {12.0F, 0.008F, 1000.0F},
         {0.006, 8.0},
         3000.0,
         9.0,
         0.0065,
         0.0},
        // 0.1f = 13421773·2^-27; times 3 is 40265319·2^-27, which float rounds to 40265320·2^-27;
        // divided by 1 + 3. In double: 0.0750000011175871.
        {"float share", {0.1F, 0.0F, 3.0F}, {0.0, 0.0}, 1.0, 0.07500000298023224, 0.0, 0.0},
        {"equal quantities: the midpoint",
         {10.0F, 0.0F, 500.0F},
         {0.02, 30.0},
         500.0,
         20.0,
         0.01,
         1e-15},
        // 12·3e37 overflows float, not double: the mixing point goes to infinity.
        {"float share overflows", {12.0F, 0.0F, 3e37F}, {0.0, 8.0}, 1.0, kInf, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const psychro::Mixed mixed = psychro::mixStreams(c.first, c.second, c.G2);
        if (c.tolerance == 0.0) {
            EXPECT_EQ(mixed.i, c.i3);
            EXPECT_EQ(mixed.x, c.x3);
        } else {
            EXPECT_NEAR(mixed.i, c.i3, c.tolerance);
            EXPECT_NEAR(mixed.x, c.x3, c.tolerance);
        }
    }
}

TEST(Processes, CoolingLoad) {
    struct Case {
        KeptStream first;
        double i2;
        double Q;  // kcal/h
        double tolerance;
    };
    const Case cases[] = {
        {{12.0F, 0.008F, 250.0F}, 7.0, 1250.0, 0.0},
        {{12.0F, 0.008F, 2499.0F}, 11.5, 1249.5, 0.0},
        {{12.0F, 0.008F, 250.0F}, 12.5, -125.0, 0.0},  // the air is heated
        {{12.0F, 0.008F, 250.0F}, 12.0, 0.0, 0.0},
        // 12.3f = 12.30000019073486328125, 0.19 mcal/kg above the double 12.3: a point 1 kept
        // in double would give no load.
        {{12.3F, 0.008F, 1000.0F}, 12.3, 1.9073486257e-4, 1e-14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Q);
        EXPECT_NEAR(psychro::coolingLoad(c.first, c.i2), c.Q, c.tolerance);
    }
}

// i2 = 0.24·t2 + x1·(597.3 + 0.441·t2) by hand; Q = (i2 − i1)·G.
TEST(Processes, SensibleHeating) {
    struct Case {
        psychro::AirState before;  // x, i
        double G;
        double t2;
        double i2;
        double Q;
    };
    // 20 °C, 50 %: x = 0.0072566913, i = 9.1984257.
    const psychro::AirState room{0.0072566913, 9.1984257};
    const Case cases[] = {
        // 7.2 + 0.0072566913·610.53
        {room, 1000.0, 30.0, 11.630427739, 2432.0020394},
        // 2.4 + 0.0072566913·601.71
        {room, 1000.0, 10.0, 6.766423722, -2432.0019779},
        {room, 0.0, 30.0, 11.630427739, 0.0},   // an empty duct
        {{0.0, 4.8}, 250.0, 30.0, 7.2, 600.0},  // dry air: 0.24 kcal/(kg·K)
        // 2.4e9 + 0.01·(597.3 + 4.41e9); the load overflows double
        {{0.01, 16.0}, 1e300, 1e10, 2444100005.973, kInf},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Q);
        const psychro::Heated heated = psychro::heatTo(c.before, c.G, c.t2);
        EXPECT_NEAR(heated.i, c.i2, 1e-9 * std::max(1.0, c.i2));
        if (std::isinf(c.Q)) {
            EXPECT_EQ(heated.Q, c.Q);
        } else {
            EXPECT_NEAR(heated.Q, c.Q, 1e-6);
        }
    }
}

TEST(Processes, KeptInSinglePrecision) {
    struct Case {
        double G;
        std::optional<float> kept;
    };
    const Case cases[] = {
        {1000.0, 1000.0F},     {0.3, 0.3F},
        {0.0, std::nullopt},   {-5.0, std::nullopt},
        {1e-50, std::nullopt},  // rounds to 0 in float
        {1e39, std::nullopt},   // beyond float
        {kInf, std::nullopt},  {std::nan(""), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.G);
        EXPECT_EQ(psychro::keptAirQuantity(c.G), c.kept);
    }
    const auto stream = psychro::keepStream({0.008, 12.3}, 250.0F);
    ASSERT_TRUE(stream.has_value());
    EXPECT_EQ(stream->i, 12.3F);
    EXPECT_EQ(stream->x, 0.008F);
    EXPECT_EQ(stream->G, 250.0F);
    EXPECT_FALSE(psychro::keepStream({0.008, 1e39}, 250.0F).has_value());
    EXPECT_FALSE(psychro::keepStream({std::nan(""), 12.0}, 250.0F).has_value());
}

}  // namespace
