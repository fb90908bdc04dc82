#include "psychro/air_handling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "psychro/relations.h"
#include "psychro/saturation.h"

namespace {

using psychro::AirState;
using psychro::DesignError;
using psychro::DesignLoads;
using psychro::Humidifier;
using psychro::PressureRatio;

// x and i worked by hand from t and φ (Goff–Gratch, x = 0.622·φps/(P − φps)).
constexpr AirState kRoomSummer{0.0104883083, 12.6249254837};     // 26 °C, 50 %
constexpr AirState kOutdoorSummer{0.0200816442, 20.2070142685};  // 33 °C, 63 %
constexpr AirState kRoomWinter{0.0065574500, 9.2603852814};      // 22 °C, 40 %
constexpr AirState kOutdoorWinter{0.0018799930, 1.1229198272};   // 0 °C, 50 %
// The same summer states at 1,500 m (r = 0.834502), where the same φ holds more water.
constexpr AirState kRoom1500{0.0126105124, 13.9168512079};
constexpr AirState kOutdoor1500{0.0242192932, 22.7386471816};
const PressureRatio kStandard = PressureRatio::standard();

constexpr double kAbsent = NAN;

// Each figure worked separately from the design relations with a Goff–Gratch saturation of its
// own (the ADP by bisection in t along the coil line), rounded; tolerances cover the rounding.
TEST(AirHandling, WorkedDesigns) {
    struct Case {
        const char* name;
        bool cooling;
        AirState room, outdoor;
        DesignLoads loads;
        std::optional<double> bypass;  // cooling: nullopt without reheat
        Humidifier humidifier;         // heating
        double humidifierTemperature;
        PressureRatio pressure;
        double G, V, xS, xM, iM;
        double tAdp, bf, coilLoad, reheat, water;  // cooling; NaN where absent
        double tHeated, heater;                    // heating
    };
    const Case cases[] = {
        {"summer, no reheat",
         true,
         kRoomSummer,
         kOutdoorSummer,
         {10000, 2000, 25, 10},
         std::nullopt,
         Humidifier::Steam,
         0,
         kStandard,
         4093.8065,
         3402.225,
         0.0096857949,
         0.0128866423,
         14.5204477,
         11.618,
         0.26969,
         19759.90,
         kAbsent,
         13.10365,
         kAbsent,
         kAbsent},
        {"summer, BF 0.1 with reheat",
         true,
         kRoomSummer,
         kOutdoorSummer,
         {10000, 2000, 25, 10},
         0.1,
         Humidifier::Steam,
         0,
         kStandard,
         4093.8065,
         3402.225,
         0.0096857949,
         0.0128866423,
         14.5204477,
         13.008,
         0.1,
         21266.92,
         1507.02,
         13.10365,
         kAbsent,
         kAbsent},
        {"summer at 1,500 m",
         true,
         kRoom1500,
         kOutdoor1500,
         {10000, 2000, 25, 10},
         std::nullopt,
         Humidifier::Steam,
         0,
         PressureRatio(0.8345021694),
         4078.2041,
         4075.038,
         0.0118049288,
         0.0155127076,
         16.1223002,
         12.186,
         0.24302,
         20994.27,
         kAbsent,
         15.12108,
         kAbsent,
         kAbsent},
        {"winter, steam 100 °C",
         false,
         kRoomWinter,
         kOutdoorWinter,
         {8000, 1000, 25, 10},
         std::nullopt,
         Humidifier::Steam,
         100,
         kStandard,
         3290.6560,
         2874.074,
         0.0070580922,
         0.0053880858,
         7.2260189,
         kAbsent,
         kAbsent,
         kAbsent,
         kAbsent,
         5.49542,
         31.7934,
         12169.64},
        {"winter, water spray 15 °C",
         false,
         kRoomWinter,
         kOutdoorWinter,
         {8000, 1000, 25, 10},
         std::nullopt,
         Humidifier::WaterSpray,
         15,
         kStandard,
         3290.6560,
         2874.074,
         0.0070580922,
         0.0053880858,
         7.2260189,
         kAbsent,
         kAbsent,
         kAbsent,
         kAbsent,
         5.49542,
         36.1094,
         15611.97},
    };
    const auto near = [](std::optional<double> got, double want, double tolerance) {
        if (std::isnan(want)) {
            EXPECT_FALSE(got.has_value());
        } else {
            ASSERT_TRUE(got.has_value());
            EXPECT_NEAR(*got, want, tolerance);
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto d =
            c.cooling ? psychro::designCooling(c.room, c.outdoor, c.loads, {c.bypass}, c.pressure)
                      : psychro::designHeating(c.room, c.outdoor, c.loads,
                                               {c.humidifier, c.humidifierTemperature}, c.pressure);
        ASSERT_TRUE(d.has_value());
        EXPECT_NEAR(d->airQuantity, c.G, 0.01);
        EXPECT_NEAR(d->supplyVolume, c.V, 0.05);
        EXPECT_NEAR(d->supply.x, c.xS, 2e-9);
        EXPECT_NEAR(d->mixed.x, c.xM, 2e-9);
        EXPECT_NEAR(d->mixed.i, c.iM, 2e-7);
        near(d->adp ? std::optional(psychro::temperatureFromEnthalpy(d->adp->i, d->adp->x))
                    : std::nullopt,
             c.tAdp, 0.005);
        near(d->bypassFactor, c.bf, 2e-4);
        near(d->coilLoad, c.coilLoad, 0.5);
        near(d->reheatLoad, c.reheat, 0.5);
        near(d->dehumidifiedWater, c.cooling ? c.water : kAbsent, 2e-4);
        near(d->humidifierWater, c.cooling ? kAbsent : c.water, 2e-4);
        near(d->heated ? std::optional(psychro::temperatureFromEnthalpy(d->heated->i, d->heated->x))
                       : std::nullopt,
             c.tHeated, 0.002);
        near(d->heaterLoad, c.heater, 0.5);
        EXPECT_EQ(d->coil.has_value(), c.cooling && c.bypass.has_value());
    }
}

TEST(AirHandling, Refusals) {
    constexpr AirState kDryRoom{0.00002, 6.2521753};        // 26 °C, dew point −51.5 °C
    constexpr AirState kCoolDry{0.0022679450, 3.7646452};   // 10 °C, 30 %
    constexpr AirState kHotDry{0.0029558695, 12.6242001};   // 45 °C, 5 %
    constexpr AirState kMildWet{0.0131851057, 12.7917563};  // 20 °C, 90 %
    struct Case {
        const char* name;
        bool cooling;
        AirState room, outdoor;
        DesignLoads loads;
        std::optional<double> bypass;
        Humidifier humidifier;
        double humidifierTemperature;
        DesignError error;
    };
    const DesignLoads summer{10000, 2000, 25, 10};
    const DesignLoads winter{8000, 1000, 25, 10};
    const Case cases[] = {
        {"no sensible load",
         true,
         kRoomSummer,
         kOutdoorSummer,
         {0, 2000, 25, 10},
         {},
         Humidifier::Steam,
         100,
         DesignError::SensibleLoad},
        {"sensible NaN",
         false,
         kRoomWinter,
         kOutdoorWinter,
         {NAN, 0, 25, 10},
         {},
         Humidifier::Steam,
         100,
         DesignError::SensibleLoad},
        {"negative latent",
         true,
         kRoomSummer,
         kOutdoorSummer,
         {10000, -1, 25, 10},
         {},
         Humidifier::Steam,
         100,
         DesignError::LatentLoad},
        {"ratio above 100",
         true,
         kRoomSummer,
         kOutdoorSummer,
         {10000, 2000, 100.5, 10},
         {},
         Humidifier::Steam,
         100,
         DesignError::OutdoorRatio},
        {"ratio NaN",
         false,
         kRoomWinter,
         kOutdoorWinter,
         {8000, 0, NAN, 10},
         {},
         Humidifier::Steam,
         100,
         DesignError::OutdoorRatio},
        {"no Δt",
         true,
         kRoomSummer,
         kOutdoorSummer,
         {10000, 2000, 25, 0},
         {},
         Humidifier::Steam,
         100,
         DesignError::SupplyDifference},
        {"BF 1", true, kRoomSummer, kOutdoorSummer, summer, 1.0, Humidifier::Steam, 100,
         DesignError::BypassFactor},
        {"BF negative", true, kRoomSummer, kOutdoorSummer, summer, -0.1, Humidifier::Steam, 100,
         DesignError::BypassFactor},
        {"steam below boiling",
         false,
         kRoomWinter,
         kOutdoorWinter,
         winter,
         {},
         Humidifier::Steam,
         99.9,
         DesignError::SteamTemperature},
        {"spray water 101 °C",
         false,
         kRoomWinter,
         kOutdoorWinter,
         winter,
         {},
         Humidifier::WaterSpray,
         101,
         DesignError::WaterTemperature},
        {"room not a number",
         true,
         {NAN, 12},
         kOutdoorSummer,
         summer,
         {},
         Humidifier::Steam,
         100,
         DesignError::NoRoomState},
        // x_S = (1000·608.77·0.01049 − 0.24·1e5·10)/(…) < 0
        {"latent too large: x_S < 0",
         true,
         kRoomSummer,
         kOutdoorSummer,
         {1000, 1e5, 25, 10},
         {},
         Humidifier::Steam,
         100,
         DesignError::SupplyImpossible},
        // t_S = 6 °C where saturation holds 0.00579, x_S = 0.0097
        {"supply in the fog",
         true,
         kRoomSummer,
         kOutdoorSummer,
         {10000, 2000, 25, 20},
         {},
         Humidifier::Steam,
         100,
         DesignError::SupplyImpossible},
        // 1000·613 − 0.441·1e6·10 < 0
        {"heating: latent loss too large",
         false,
         kRoomWinter,
         kOutdoorWinter,
         {1000, 1e6, 25, 10},
         {},
         Humidifier::Steam,
         100,
         DesignError::SupplyImpossible},
        {"mixed air below the supply",
         true,
         kRoomSummer,
         kCoolDry,
         {10000, 2000, 100, 10},
         {},
         Humidifier::Steam,
         100,
         DesignError::CoilCannotMake},
        {"line leaves the chart dry",
         true,
         kDryRoom,
         kDryRoom,
         {10000, 0, 0, 10},
         {},
         Humidifier::Steam,
         100,
         DesignError::NoSaturationCrossing},
        {"BF leaves x_ADP below zero", true, kRoomSummer, kOutdoorSummer, summer, 0.9,
         Humidifier::Steam, 100, DesignError::NoSaturationCrossing},
        // x_ADP 0.00888, t_ADP 12.3 °C, t_C 19.15 °C > t_S 16 °C
        {"coil outlet warmer than supply", true, kRoomSummer, kRoomSummer, summer, 0.5,
         Humidifier::Steam, 100, DesignError::CoilOutletTooWarm},
        {"outdoor wetter than supply",
         false,
         kRoomWinter,
         kMildWet,
         {8000, 1000, 100, 10},
         {},
         Humidifier::Steam,
         100,
         DesignError::HumidifierCannotDry},
        // i_H = 11.995 − 641.4·(0.00706 − 0.00296) = 9.37 < i_M = 12.62
        {"outdoor hot and dry",
         false,
         kRoomWinter,
         kHotDry,
         {8000, 1000, 100, 10},
         {},
         Humidifier::Steam,
         100,
         DesignError::HeaterCannotCool},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto d =
            c.cooling ? psychro::designCooling(c.room, c.outdoor, c.loads, {c.bypass}, kStandard)
                      : psychro::designHeating(c.room, c.outdoor, c.loads,
                                               {c.humidifier, c.humidifierTemperature}, kStandard);
        ASSERT_FALSE(d.has_value());
        EXPECT_EQ(d.error(), c.error);
    }
}

// The energy balance of the room, G·(i_R − i_S) = ±(qs + qL), and the ADP on both the
// saturation curve and the coil line, over rooms, loads and supply differences.
TEST(AirHandling, RoomBalanceAndDewPointOverASweep) {
    int designs = 0;
    for (const double tR : {20.0, 24.0, 28.0}) {
        for (const double phiR : {40.0, 60.0}) {
            const double ps = psychro::SaturationPressure(tR);
            const double xR = 0.622 * phiR / 100 * ps / (1.03323 - phiR / 100 * ps);
            const AirState room{xR, 0.24 * tR + xR * (597.3 + 0.441 * tR)};
            for (const double qL : {0.0, 1000.0, 4000.0}) {
                for (const double dt : {6.0, 10.0}) {
                    SCOPED_TRACE(testing::Message() << tR << " " << phiR << " " << qL << " " << dt);
                    const DesignLoads loads{10000, qL, 30, dt};
                    const auto cool =
                        psychro::designCooling(room, kOutdoorSummer, loads, {}, kStandard);
                    const auto heat = psychro::designHeating(room, kOutdoorWinter, loads,
                                                             {Humidifier::Steam, 100}, kStandard);
                    if (cool) {
                        ++designs;
                        EXPECT_NEAR(cool->airQuantity * (room.i - cool->supply.i), 10000 + qL,
                                    1e-6);
                        const AirState a = *cool->adp;
                        const double tA = psychro::temperatureFromEnthalpy(a.i, a.x);
                        EXPECT_NEAR(
                            a.x, psychro::saturationHumidity(psychro::SaturationPressure(tA), 1.0),
                            1e-9);
                        // M, S, ADP on one line: equal slopes Δi/Δx.
                        const AirState m = cool->mixed;
                        const AirState s = cool->supply;
                        EXPECT_NEAR((s.i - m.i) * (a.x - m.x), (a.i - m.i) * (s.x - m.x), 1e-9);
                    }
                    if (heat) {
                        ++designs;
                        EXPECT_NEAR(heat->airQuantity * (heat->supply.i - room.i), 10000 + qL,
                                    1e-6);
                    }
                }
            }
        }
    }
    EXPECT_GE(designs, 30);  // of 36: the sweep is not refused wholesale
}

}  // namespace
