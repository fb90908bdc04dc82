#pragma once

#include "psychro/atmosphere.h"

namespace psychro {

// Thermodynamic wet-bulb temperature t′ (°C) of air holding x kg/kg(DA) with enthalpy
// i kcal/kg(DA), at the pressure ratio r (P = 1.03323·r kgf/cm², see psychro/atmosphere.h).
// Bisection in −50 … 100 °C on the candidate ts, with xs the saturation humidity at ts under P
// and the branch chosen by the sign of ts:
//   ts ≥ 0 (water): t1 = (i − 597.3·xs) / ((0.24 + x) − 0.559·xs)
//   ts < 0 (ice):   t1 = ((i + 79.7·x) − 677·xs) / ((0.24 + 0.5·x) − 0.0595·xs)
// until |ts − t1| < 1e-6; ts ≤ t1 raises the lower end while the divisor of t1 is positive,
// ts ≥ t1 where it is negative (over water beyond xs = (0.24 + x) / 0.559: the sign of
// ts − t1 is then the opposite of the balance's), and no ts at or above the boiling point of P
// (ps ≥ P) does. Returns the last midpoint.
// Valid for states on the chart (a root inside the bracket). For any other input, NaN and
// infinities included, the search ends once the bracket has collapsed onto one end (about 55
// halvings, hard cap 200) and returns that last midpoint, a value in −50 … 100.
[[nodiscard]] double wbt(double x, double i, PressureRatio pressureRatio);

}  // namespace psychro
