#pragma once

#include <optional>

#include "psychro/atmosphere.h"

namespace psychro {

// Saturation vapour pressure of water by the Goff–Gratch equations, over liquid water for
// t ≥ 0 °C and over ice below. t in °C, result in kgf/cm². Valid for about −100 … 100 °C; at
// 100 °C the result equals the atmospheric pressure 1.03323 (to the last bit), so humidity
// formulas of the form ps / (1.03323 − ps) have no value there. It does not depend on the
// pressure of the air.
[[nodiscard]] double SaturationPressure(double t);

// Dew-point temperature of air that holds xg g/kg(DA) of vapour at the pressure ratio r
// (P = 1.03323·r kgf/cm², see psychro/atmosphere.h): the t at which the saturation humidity
// 622·ps / (P − ps) equals xg, found by bisection in −50 … 100 °C to within 1e-6 g/kg. A
// midpoint at or above the boiling point of P (ps ≥ P; 100 °C at the standard pressure, about
// 83 °C at 5,000 m) counts as too warm. Returns the last midpoint of the search, or nullopt when
// the dew point does not lie strictly inside the bracket (xg ≤ 0.02415 g/kg at the standard
// pressure, zero and negative included, a humidity whose dew point lies at 100 °C or above,
// which above the standard pressure is a finite one, NaN).
// The search ends at the latest when the bracket stops shrinking, after about 55 halvings.
[[nodiscard]] std::optional<double> DewPointTemperature(double xg, PressureRatio pressureRatio);

// The boiling point of water under the total pressure P = 1.03323·r kgf/cm², °C: the t at which
// SaturationPressure(t) reaches P. Exactly 100 at the standard atmosphere (where the saturation
// pressure equals 1.03323 to the last bit); elsewhere the least double t with
// SaturationPressure(t) ≥ P, by bisection in 0 … 200 °C (at most 200 halvings): about 83.3 °C
// at 5,000 m, 101.7 °C at −500 m. r within the accepted range of psychro/atmosphere.h.
[[nodiscard]] double boilingPoint(PressureRatio pressureRatio);

// Saturation humidity in kg/kg(DA) for a saturation pressure ps in kgf/cm² at the pressure
// ratio r: x = 0.622·ps / (P − ps), P = 1.03323·r. Negative for ps > P, infinite at ps = P.
[[nodiscard]] double saturationHumidity(double ps, PressureRatio pressureRatio);

}  // namespace psychro
