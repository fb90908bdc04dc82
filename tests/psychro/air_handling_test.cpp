#include "psychro/air_handling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <expected>
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
constexpr Humidifier kSteam = Humidifier::Steam;

// What a row designs: the season, the states, the loads and the coil or the humidifier.
struct Design {
    bool cooling;
    AirState room, outdoor;
    DesignLoads loads;
    std::optional<double> bypass = std::nullopt;
    psychro::HeatingHumidifier humidifier{kSteam, 100.0};
    PressureRatio pressure = kStandard;
};

std::expected<psychro::AirHandlingDesign, DesignError> run(const Design& d) {
    return d.cooling ? psychro::designCooling(d.room, d.outdoor, d.loads, {d.bypass}, d.pressure)
                     : psychro::designHeating(d.room, d.outdoor, d.loads, d.humidifier, d.pressure);
}

const Design kSummer{true, kRoomSummer, kOutdoorSummer, {10000, 2000, 25, 10}};
const Design kWinter{false, kRoomWinter, kOutdoorWinter, {8000, 1000, 25, 10}};

Design with(Design d, auto change) {
    change(d);
    return d;
}

// Each figure worked separately from the design relations with a Goff–Gratch saturation of its
// own (the ADP by bisection in t along the coil line), rounded; tolerances cover the rounding.
TEST(AirHandling, WorkedDesigns) {
    struct Case {
        const char* name;
        Design design;
        double G, V, xS, xM, iM;
        double tAdp, bf, coilLoad, reheat, water;  // cooling; NaN where absent
        double tHeated, heater;                    // heating
    };
    // clang-format off
    const Case cases[] = {
        {"summer, no reheat", kSummer, 4093.8065, 3402.225, 0.0096857949, 0.0128866423, 14.5204477,
         11.618, 0.26969, 19759.90, kAbsent, 13.10365, kAbsent, kAbsent},
        {"summer, BF 0.1 with reheat", with(kSummer, [](Design& d) { d.bypass = 0.1; }),
         4093.8065, 3402.225, 0.0096857949, 0.0128866423, 14.5204477,
         13.008, 0.1, 21266.92, 1507.02, 13.10365, kAbsent, kAbsent},
        {"summer at 1,500 m", with(kSummer, [](Design& d) {
             d.room = kRoom1500; d.outdoor = kOutdoor1500; d.pressure = PressureRatio(0.8345021694);
         }),
         4078.2041, 4075.038, 0.0118049288, 0.0155127076, 16.1223002,
         12.186, 0.24302, 20994.27, kAbsent, 15.12108, kAbsent, kAbsent},
        {"winter, steam 100 °C", kWinter, 3290.6560, 2874.074, 0.0070580922, 0.0053880858,
         7.2260189, kAbsent, kAbsent, kAbsent, kAbsent, 5.49542, 31.7934, 12169.64},
        {"winter, water spray 15 °C",
         with(kWinter, [](Design& d) { d.humidifier = {Humidifier::WaterSpray, 15}; }),
         3290.6560, 2874.074, 0.0070580922, 0.0053880858, 7.2260189,
         kAbsent, kAbsent, kAbsent, kAbsent, 5.49542, 36.1094, 15611.97},
    };
    // clang-format on
    const auto near = [](std::optional<double> got, double want, double tolerance) {
        if (std::isnan(want)) {
            EXPECT_FALSE(got.has_value());
        } else {
            ASSERT_TRUE(got.has_value());
            EXPECT_NEAR(*got, want, tolerance);
        }
    };
    const auto temperature = [](const std::optional<AirState>& s) {
        return s ? std::optional(psychro::temperatureFromEnthalpy(s->i, s->x)) : std::nullopt;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool cooling = c.design.cooling;
        const auto d = run(c.design);
        ASSERT_TRUE(d.has_value());
        EXPECT_NEAR(d->airQuantity, c.G, 0.01);
        EXPECT_NEAR(d->supplyVolume, c.V, 0.05);
        EXPECT_NEAR(d->supply.x, c.xS, 2e-9);
        EXPECT_NEAR(d->mixed.x, c.xM, 2e-9);
        EXPECT_NEAR(d->mixed.i, c.iM, 2e-7);
        near(temperature(d->adp), c.tAdp, 0.005);
        near(d->bypassFactor, c.bf, 2e-4);
        near(d->coilLoad, c.coilLoad, 0.5);
        near(d->reheatLoad, c.reheat, 0.5);
        near(d->dehumidifiedWater, cooling ? c.water : kAbsent, 2e-4);
        near(d->humidifierWater, cooling ? kAbsent : c.water, 2e-4);
        near(temperature(d->heated), c.tHeated, 0.002);
        near(d->heaterLoad, c.heater, 0.5);
        EXPECT_EQ(d->coil.has_value(), cooling && c.design.bypass.has_value());
    }
}

TEST(AirHandling, Refusals) {
    constexpr AirState kDryRoom{0.00002, 6.2521753};        // 26 °C, dew point −51.5 °C
    constexpr AirState kCoolDry{0.0022679450, 3.7646452};   // 10 °C, 30 %
    constexpr AirState kHotDry{0.0029558695, 12.6242001};   // 45 °C, 5 %
    constexpr AirState kMildWet{0.0131851057, 12.7917563};  // 20 °C, 90 %
    const auto loads = [](Design d, DesignLoads l) {
        d.loads = l;
        return d;
    };
    const auto bypass = [](double bf) { return with(kSummer, [bf](Design& d) { d.bypass = bf; }); };
    const auto outdoor = [](Design d, AirState o, DesignLoads l) {
        d.outdoor = o;
        d.loads = l;
        return d;
    };
    struct Case {
        const char* name;
        Design design;
        DesignError error;
    };
    // clang-format off
    const Case cases[] = {
        {"no sensible load", loads(kSummer, {0, 2000, 25, 10}), DesignError::SensibleLoad},
        {"sensible NaN", loads(kWinter, {NAN, 0, 25, 10}), DesignError::SensibleLoad},
        {"negative latent", loads(kSummer, {10000, -1, 25, 10}), DesignError::LatentLoad},
        {"ratio above 100", loads(kSummer, {10000, 2000, 100.5, 10}), DesignError::OutdoorRatio},
        {"ratio NaN", loads(kWinter, {8000, 0, NAN, 10}), DesignError::OutdoorRatio},
        {"no Δt", loads(kSummer, {10000, 2000, 25, 0}), DesignError::SupplyDifference},
        // a subnormal Δt leaves t_S = t_R and the room's balance with it
        {"Δt of 1e-315 K", loads(kSummer, {10000, 0, 25, 1e-315}), DesignError::SupplyDifference},
        {"BF 1", bypass(1.0), DesignError::BypassFactor},
        {"BF negative", bypass(-0.1), DesignError::BypassFactor},
        {"steam below boiling", with(kWinter, [](Design& d) { d.humidifier = {kSteam, 99.9}; }),
         DesignError::SteamTemperature},
        {"spray water 101 °C",
         with(kWinter, [](Design& d) { d.humidifier = {Humidifier::WaterSpray, 101}; }),
         DesignError::WaterTemperature},
        {"room not a number", with(kSummer, [](Design& d) { d.room = {NAN, 12}; }),
         DesignError::NoRoomState},
        // x_S = (1000·608.77·0.01049 − 0.24·1e5·10)/(…) < 0
        {"latent too large: x_S < 0", loads(kSummer, {1000, 1e5, 25, 10}),
         DesignError::SupplyImpossible},
        // t_S = 6 °C where saturation holds 0.00579, x_S = 0.0097
        {"supply in the fog", loads(kSummer, {10000, 2000, 25, 20}), DesignError::SupplyImpossible},
        // 1000·613 − 0.441·1e6·10 < 0
        {"heating: latent loss too large", loads(kWinter, {1000, 1e6, 25, 10}),
         DesignError::SupplyImpossible},
        {"mixed air below the supply", outdoor(kSummer, kCoolDry, {10000, 2000, 100, 10}),
         DesignError::CoilCannotMake},
        {"line leaves the chart dry",
         with(kSummer, [&](Design& d) { d.room = d.outdoor = kDryRoom; d.loads = {10000, 0, 0, 10}; }),
         DesignError::NoSaturationCrossing},
        {"BF leaves x_ADP below zero", bypass(0.9), DesignError::NoSaturationCrossing},
        // x_ADP 0.00888, t_ADP 12.3 °C, t_C 19.15 °C > t_S 16 °C
        {"coil outlet warmer than supply",
         with(bypass(0.5), [](Design& d) { d.outdoor = kRoomSummer; }),
         DesignError::CoilOutletTooWarm},
        {"outdoor wetter than supply", outdoor(kWinter, kMildWet, {8000, 1000, 100, 10}),
         DesignError::HumidifierCannotDry},
        // i_H = 11.995 − 641.4·(0.00706 − 0.00296) = 9.37 < i_M = 12.62
        {"outdoor hot and dry", outdoor(kWinter, kHotDry, {8000, 1000, 100, 10}),
         DesignError::HeaterCannotCool},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto d = run(c.design);
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
                            a.x,
                            psychro::saturationHumidity(psychro::SaturationPressure(tA), kStandard),
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
