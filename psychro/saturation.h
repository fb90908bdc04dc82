#pragma once

#include <optional>

namespace psychro {

// Saturation vapour pressure of water by the Goff–Gratch equations, over liquid water for
// t ≥ 0 °C and over ice below. t in °C, result in kgf/cm². Valid for about −100 … 100 °C; at
// 100 °C the result equals the atmospheric pressure 1.03323 (to the last bit), so humidity
// formulas of the form ps / (1.03323 − ps) have no value there.
[[nodiscard]] double SaturationPressure(double t);

// Dew-point temperature of air that holds xg g/kg(DA) of vapour: the t at which the saturation
// humidity 622·ps / (1.03323 − ps) equals xg, found by bisection in −50 … 100 °C to within
// 1e-6 g/kg. Returns the last midpoint of the search, or nullopt when the dew point does not
// lie strictly inside the bracket (xg ≤ 0.02415 g/kg, zero and negative included, a humidity
// that needs 100 °C or more, NaN). The search ends at the latest when the bracket stops
// shrinking, after about 55 halvings.
[[nodiscard]] std::optional<double> DewPointTemperature(double xg);

// Saturation humidity in kg/kg(DA) for a saturation pressure ps in kgf/cm² (x = 0.622·ps / (P −
// ps)).
[[nodiscard]] double saturationHumidity(double ps);

}  // namespace psychro
