#pragma once

#include <expected>
#include <optional>

#include "psychro/air_state.h"

// Humidifying a stream of air with steam or with a water spray that evaporates completely.
// Adding L kg/h of water at enthalpy u kcal/kg to G kg/h of air moves its state along the line
//   x2 = x1 + L/G,  i2 = i1 + u·L/G
// whose heat-moisture ratio Δi/Δx is u. Units as everywhere: x kg/kg(DA), i kcal/kg(DA), t °C,
// φ in percent.
namespace psychro {

enum class Humidifier {
    Steam,       // u = 597.3 + 0.441·ts, the vapour enthalpy of the enthalpy relation
    WaterSpray,  // u = tw, liquid water at 1 kcal/(kg·K)
};

// Enthalpy u of the water the humidifier adds, kcal/kg, at the steam or water temperature.
[[nodiscard]] double addedWaterEnthalpy(Humidifier kind, double waterTemperature);

enum class HumidifyError {
    AirQuantity,       // G ≤ 0 or not finite
    SteamTemperature,  // steam below the boiling point (or not finite)
    WaterTemperature,  // spray water outside 0 … 100 °C
    TargetAbove100,    // the humidity to reach exceeds saturation
    TargetNotAbove,    // the humidity to reach is not above that of the air before
    Unreachable,       // the line does not reach the humidity within −50 … 100 °C
};

// The humidifier's water and the state it leads to.
struct Humidified {
    double L;    // water added, kg/h
    double x;    // after humidifying, kg/kg(DA)
    double i;    // kcal/kg(DA)
    double t;    // °C
    double phi;  // %, within kHumidifyTolerance of the target
};

// Tolerance on the relative humidity reached, in percent.
inline constexpr double kHumidifyTolerance = 1e-6;

// The refusals that do not depend on the air before: G ≤ 0 or not finite, steam below the
// boiling point of the pressure ratio r (boilingPoint: 100 °C at 760 mmHg), spray water outside
// 0 … 100 °C, a target above 100 %. A batch checks them once, before its first state; humidify
// checks them first.
[[nodiscard]] std::optional<HumidifyError> humidifierError(double airKgPerHour, Humidifier kind,
                                                           double waterTemperature,
                                                           double targetPhi,
                                                           PressureRatio pressureRatio);

// Finds the least L ≥ 0 at which the line from `before` reaches the relative humidity
// targetPhi (percent, above that of `before`, at most 100) in air at the pressure ratio r
// (psychro/atmosphere.h). t and φ along the line follow from (x, i) as in the chart readout:
// t = (i − 597.3·x)/(0.24 + 0.441·x), φ = 100·1.03323·r·x / ((0.622 + x)·ps(t)). The
// line is walked in steps of a twentieth of its current humidity (at most 2000 steps, until it
// leaves −50 … 100 °C) to bracket the first crossing, which is then halved down to the
// tolerance (at most 200 halvings). Very hot steam heats the air faster than it wets it, so its
// line can turn back below a target without reaching it: Unreachable.
// The steam's lower bound is the site's boiling point: steam colder than that would be wet,
// which its enthalpy 597.3 + 0.441·ts ignores.
[[nodiscard]] std::expected<Humidified, HumidifyError> humidify(
    AirState before, double airKgPerHour, Humidifier kind, double waterTemperature,
    double targetPhi, PressureRatio pressureRatio);

}  // namespace psychro
