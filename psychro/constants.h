#pragma once

// The constants of moist air, in the engineering units of the chart (°C, kg/kg(DA),
// kcal/kg(DA), m³/kg(DA), kgf/cm²). Every relation of the program uses these same values, so
// that the chart, the solver and the readout agree to the last digit. The relations are written
// for the standard atmosphere; another total pressure enters them as a ratio to it (see
// psychro/atmosphere.h).
namespace psychro {

// 760 mmHg in kgf/cm²: the saturation pressure of water at the steam point, which fixes the unit
// of SaturationPressure, and the total pressure of the air at the ratio 1.0.
inline constexpr double kAtmosphericPressure = 1.03323;
// Molar-mass ratio of water vapour to dry air.
inline constexpr double kMolarMassRatio = 0.622;
// Celsius offset of the absolute temperature (the ice point, 273.15 K, not 273.16 K).
inline constexpr double kCelsiusOffset = 273.15;

// Enthalpy of moist air: i = 0.24·t + x·(597.3 + 0.441·t)  [kcal/kg(DA)].
inline constexpr double kDryAirHeat = 0.24;   // specific heat of dry air, kcal/(kg·K)
inline constexpr double kLatentHeat = 597.3;  // latent heat of vaporisation at 0 °C, kcal/kg
inline constexpr double kVapourHeat = 0.441;  // specific heat of water vapour, kcal/(kg·K)
inline constexpr double kFusionHeat = 79.7;   // latent heat of fusion of ice, kcal/kg
inline constexpr double kIceHeat = 0.5;       // specific heat of ice, kcal/(kg·K)

// Specific volume: 100·v = 0.455·(0.622 + x)·(t + 273.15)  [m³/kg(DA)] at the standard
// atmosphere; at the pressure ratio r the volume is v/r, and the relations take 100·v·r.
inline constexpr double kVolumeFactor = 0.455;

// Wet-bulb balance (adiabatic saturation), water and ice branches; see psychro/wet_bulb.h.
inline constexpr double kWetBulbWaterHumidity = 0.559;  // 1 − 0.441: liquid water less vapour
inline constexpr double kWetBulbIceLatent = 677.0;      // 597.3 + 79.7, kcal/kg
inline constexpr double kWetBulbIceHumidity = 0.0595;   // humidity coefficient over ice
inline constexpr double kWetBulbTolerance = 1e-6;       // °C, on the balance residual

// The temperature range in which every search of the program looks for its root, °C.
inline constexpr double kSearchLow = -50.0;
inline constexpr double kSearchHigh = 100.0;

// Saturation humidity in g/kg(DA): 622 = 1000 · 0.622, for the dew-point search.
inline constexpr double kMolarMassRatioGrams = 622.0;

// Tolerance of the searches on the dry-bulb temperature that complete a state from its relative
// humidity: on the enthalpy residual in kcal/kg(DA), on the temperature residuals in °C.
inline constexpr double kPairSearchTolerance = 1e-6;

// The two pairs with the specific volume (i–v, t′–v) eliminate x between the volume relation and
// the enthalpy or wet-bulb relation, which leaves a quadratic in t. Its coefficients are products
// of the constants above, kept as the rounded decimals the solutions are built on (the last one
// differs from the exact product by 5e-10); recomputing them would move the results in the last
// digits and break agreement with the program's reference states. At another pressure the
// quadratics keep these constants and take the volume as v·r, the standard atmosphere's volume
// of the same air, which is the same as scaling every 0.455 by 1/r.
inline constexpr double kQuadraticA = 0.01560741;             // 0.455 · (0.622 · 0.441 − 0.24)
inline constexpr double kMolarLatentHeat = 371.5206;          // 0.622 · 597.3
inline constexpr double kVolumeAtIcePoint = 124.28325;        // 0.455 · 273.15
inline constexpr double kVolumeAtIcePointHeat = 4.263164041;  // 124.28325 · (0.622 · 0.441 − 0.24)
inline constexpr double kVapourHeatPercent = 44.1;            // 100 · 0.441
inline constexpr double kLatentHeatPercent = 59730.0;         // 100 · 597.3
inline constexpr double kVolumeMolar = 0.28301;               // 0.455 · 0.622
inline constexpr double kVolumeAtIcePointMolar = 77.3041815;  // 124.28325 · 0.622
inline constexpr double kWetBulbVolumeHeat = 29.82798;        // 0.441 · 77.3041815 − 4.263164041

}  // namespace psychro
