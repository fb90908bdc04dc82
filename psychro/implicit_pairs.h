#pragma once

#include <expected>

#include "psychro/air_state.h"

// The five pairs that have no closed form for x and i by substitution: the two volume pairs
// (a quadratic in the dry-bulb temperature) and the three relative-humidity pairs (a bisection on
// the dry-bulb temperature). solvePair dispatches to them; they are declared here so that tests
// can see the temperature and the number of midpoints behind a state. Each takes the pressure
// ratio r of psychro/atmosphere.h.
namespace psychro::detail {

// solvePair without its last check: the relations' solution even where it is no air (fog, a
// negative humidity), for a caller that tells those apart.
[[nodiscard]] std::expected<AirState, SolveError> solvePairUnchecked(Property a, double va,
                                                                     Property b, double vb,
                                                                     PressureRatio pressureRatio);

struct ImplicitSolution {
    double t;       // dry-bulb temperature of the state, °C (the last midpoint for the searches)
    double x;       // kg/kg(DA)
    double i;       // kcal/kg(DA)
    int midpoints;  // midpoints the search evaluated; 0 for the quadratic pairs
};

// i–v: a·t² + b·t + c = 0 with b = 0.455·(371.5206 + i) + 4.263164041 − 44.1·v·r and
// c = 124.28325·(371.5206 + i) − 59730·v·r; keeps the root whose x = (i − 0.24·t) / (597.3 +
// 0.441·t) is positive while the other's is negative. i in kcal/kg(DA), v in m³/kg(DA).
// NoState when the discriminant is negative; EnthalpyVolumeMismatch when the humidities of the
// roots do not have opposite signs.
[[nodiscard]] std::expected<ImplicitSolution, SolveError> solveEnthalpyVolume(
    double i, double v, PressureRatio pressureRatio);

// t′–v: the same quadratic with A = is′ − xs′·hw, B = 597.3 − hw, W = 100·v·r − 77.3041815,
// b = 0.455·A + 0.28301·B − 29.82798 − 0.441·W, c = 124.28325·A − W·B; root choice by the sign
// of x = 100·v·r / (0.455·(t + 273.15)) − 0.622. hw takes the water value from 0 °C up. t′ in
// °C below the boiling point. NoState for a negative discriminant or t′ without saturation
// humidity; WetBulbVolumeMismatch when the humidities of the roots do not have opposite signs.
[[nodiscard]] std::expected<ImplicitSolution, SolveError> solveWetBulbVolume(
    double tw, double v, PressureRatio pressureRatio);

// The relative-humidity pairs bisect the dry-bulb temperature in −50 … 100 °C, each midpoint
// taking x = 0.622·φ·ps / (P − φ·ps), P = 1.03323·r, until a residual falls below 1e-6; the
// state belongs to that last midpoint. A midpoint where φ·ps reaches P counts as too warm. φ is
// a fraction here. NoState when the residual does not reach the tolerance before the bracket
// stops shrinking (no solution strictly inside the range).

// i–φ: residual i(t, x) − i (kcal/kg(DA)); the state keeps the given i.
[[nodiscard]] std::expected<ImplicitSolution, SolveError> solveEnthalpyRelativeHumidity(
    double i, double phiFraction, PressureRatio pressureRatio);

// t′–φ: i = is′ − (xs′ − x)·hw (hw water from 0 °C up), residual t(i, x) − t (°C).
[[nodiscard]] std::expected<ImplicitSolution, SolveError> solveWetBulbRelativeHumidity(
    double tw, double phiFraction, PressureRatio pressureRatio);

// v–φ: residual t(v, x) − t (°C); i from the enthalpy relation at the midpoint.
[[nodiscard]] std::expected<ImplicitSolution, SolveError> solveVolumeRelativeHumidity(
    double v, double phiFraction, PressureRatio pressureRatio);

}  // namespace psychro::detail
