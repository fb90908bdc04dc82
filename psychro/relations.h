#pragma once

#include <optional>

#include "psychro/atmosphere.h"
#include "psychro/constants.h"
#include "psychro/saturation.h"

// The property relations of moist air, written out once in the order in which every caller
// evaluates them, so that each pair solution reproduces the same digits. x is in kg/kg(DA), i in
// kcal/kg(DA), t in °C, v in m³/kg(DA), pressures in kgf/cm², φ a fraction. Those that depend on
// the total pressure take it as the ratio r = P / 760 mmHg (P = 1.03323·r kgf/cm²), a
// required PressureRatio, entered so that the ratio 1.0 changes no bit. None of them guards its
// divisor; the callers decide which inputs have no state.
namespace psychro {

// Enthalpy of water vapour at t °C, 597.3 + 0.441·t kcal/kg: the latent heat at 0 °C and the
// vapour's sensible heat. Any t.
[[nodiscard]] inline double vapourEnthalpy(double t) {
    return kLatentHeat + kVapourHeat * t;
}

// i = 0.24·t + x·(597.3 + 0.441·t). Any t and x.
[[nodiscard]] inline double enthalpy(double t, double x) {
    return kDryAirHeat * t + x * vapourEnthalpy(t);
}

// x = (i − 0.24·t) / (597.3 + 0.441·t), the enthalpy relation solved for x. t ≠ −1354.4 °C.
[[nodiscard]] inline double humidityFromEnthalpy(double i, double t) {
    return (i - kDryAirHeat * t) / (kLatentHeat + kVapourHeat * t);
}

// t = (i − 597.3·x) / (0.24 + 0.441·x), the enthalpy relation solved for t. x ≠ −0.544.
[[nodiscard]] inline double temperatureFromEnthalpy(double i, double x) {
    return (i - kLatentHeat * x) / (kDryAirHeat + kVapourHeat * x);
}

// Specific volume v = 0.455·(x + 0.622)·(273.15 + t) / 100 / r, from 100·v·r = 0.455·(0.622 +
// x)·(t + 273.15): the volume grows as the pressure falls. Any t and x; r > 0.
[[nodiscard]] inline double specificVolume(double x, double t, PressureRatio pressureRatio) {
    return kVolumeFactor * (x + kMolarMassRatio) * (kCelsiusOffset + t) / 100.0 /
           pressureRatio.value();
}

// t = 100·v·r / (0.455·(0.622 + x)) − 273.15, the volume relation solved for t. x ≠ −0.622.
[[nodiscard]] inline double temperatureFromVolume(double v, double x, PressureRatio pressureRatio) {
    return 100.0 * v * pressureRatio.value() / (kVolumeFactor * (kMolarMassRatio + x)) -
           kCelsiusOffset;
}

// x = 100·v·r / (0.455·(t + 273.15)) − 0.622, the volume relation solved for x.
// t ≠ −273.15 °C.
[[nodiscard]] inline double humidityFromVolume(double v, double t, PressureRatio pressureRatio) {
    return 100.0 * v * pressureRatio.value() / (kVolumeFactor * (t + kCelsiusOffset)) -
           kMolarMassRatio;
}

// x = 0.622·φ·ps / (P − φ·ps): humidity of air whose vapour pressure is φ·ps under the total
// pressure P = 1.03323·r. Has a value only while φ·ps < P (the vapour cannot exceed the whole
// pressure).
[[nodiscard]] inline double humidityFromRelativeHumidity(double phiFraction, double ps,
                                                         PressureRatio pressureRatio) {
    return kMolarMassRatio * phiFraction * ps / (totalPressure(pressureRatio) - phiFraction * ps);
}

// φ = 100·x·P / (0.622·ps + x·ps), in percent, P = 1.03323·r: the relative humidity of air
// holding x at a temperature whose saturation pressure is ps (humidityFromRelativeHumidity
// solved for φ). Above 100 in the fog region; ps > 0, x ≠ −0.622. At a fixed x it falls with
// the pressure: thinner air holding the same x has a lower vapour pressure.
[[nodiscard]] inline double relativeHumidityPercent(double x, double ps,
                                                    PressureRatio pressureRatio) {
    return 100.0 * (x * totalPressure(pressureRatio)) / (kMolarMassRatio * ps + x * ps);
}

// Saturated air at the wet-bulb temperature t′: ps′ (kgf/cm²), xs′ (kg/kg(DA)), is′ (kcal/kg(DA)).
struct WetBulbSaturation {
    double ps;
    double xs;
    double is;
};

// ps′ = SaturationPressure(t′), xs′ = 0.622·ps′ / (P − ps′), is′ = i(t′, xs′), P = 1.03323·r.
// nullopt when ps′ reaches the total pressure (t′ at or above the boiling point: 100 °C at the
// standard pressure, about 83 °C at 5,000 m) or is no number (t′ at or below absolute zero),
// where saturated air has no humidity.
[[nodiscard]] inline std::optional<WetBulbSaturation> wetBulbSaturation(
    double tw, PressureRatio pressureRatio) {
    const double ps = SaturationPressure(tw);
    if (!(ps < totalPressure(pressureRatio)) || !(ps >= 0.0)) {
        return std::nullopt;
    }
    const double xs = saturationHumidity(ps, pressureRatio);
    return WetBulbSaturation{ps, xs, enthalpy(tw, xs)};
}

// Which water wets the bulb at exactly 0 °C. The pairs that divide by t′ (and x–t′ with them)
// take ice there; the others take water from 0 °C up.
enum class WetBulbAtZero { Ice, Water };

// Enthalpy hw of the water on the wet bulb, kcal/kg: t′ over water, 0.5·t′ − 79.7 over ice.
[[nodiscard]] inline double wettingWaterEnthalpy(double tw, WetBulbAtZero atZero) {
    const bool water = atZero == WetBulbAtZero::Water ? tw >= 0.0 : tw > 0.0;
    return water ? tw : kIceHeat * tw - kFusionHeat;
}

}  // namespace psychro
