#pragma once

#include <expected>

#include "psychro/atmosphere.h"

// Completing an air state from any two of its six properties.
namespace psychro {

// The six properties of an air state, in the order of the input panel's rows.
enum class Property {
    x,    // absolute humidity, kg/kg(DA)
    i,    // enthalpy, kcal/kg(DA)
    t,    // dry-bulb temperature, °C
    tw,   // wet-bulb temperature, °C
    v,    // specific volume, m³/kg(DA)
    phi,  // relative humidity, % (as typed; the relations use φ/100)
};

// The two properties that place a state on the chart.
struct AirState {
    double x;  // kg/kg(DA)
    double i;  // kcal/kg(DA)
};

enum class SolveError {
    SameProperty,  // the two properties are one and the same
    NoState,       // no air state follows from the values (no root, a division by
                   // zero, a search without a root in −50 … 100 °C, a non-finite value)
    EnthalpyVolumeMismatch,  // i–v: neither root of the quadratic has a positive humidity
    WetBulbVolumeMismatch,   // t′–v: likewise
};

// Whether (x, i) is air at the pressure ratio r: a humidity of at least zero and a relative
// humidity φ = 100·x·P / ((0.622 + x)·ps(t)) of at most 100 % at its dry bulb
// t = (i − 597.3·x) / (0.24 + 0.441·x), P = 1.03323·r kgf/cm². Each bound allows for rounding
// only (1e-9 kg/kg(DA) and 1e-4 %), so states solved onto the saturation curve stay air.
// Fog, a negative humidity and anything not finite are not. Any x and i; r > 0.
[[nodiscard]] bool isAirState(AirState state, PressureRatio pressureRatio);

// Solves the state given by property a = va and property b = vb (either order), for air at the
// pressure ratio r = P / 760 mmHg (psychro/atmosphere.h; t′, v and φ depend on it, x, i and t
// do not). A solution that is no air (isAirState) is NoState.
[[nodiscard]] std::expected<AirState, SolveError> solvePair(Property a, double va, Property b,
                                                            double vb, PressureRatio pressureRatio);

}  // namespace psychro
