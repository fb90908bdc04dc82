#pragma once

#include "psychro/atmosphere.h"

// The four properties of an air state that follow from its humidity and enthalpy. The cursor
// readout and the command-line program both complete a state through this one function.
namespace psychro {

struct StateProperties {
    double t;    // dry-bulb temperature, °C
    double tw;   // wet-bulb temperature, °C
    double v;    // specific volume, m³/kg(DA)
    double phi;  // relative humidity, %
};

// From x kg/kg(DA) and i kcal/kg(DA) at the pressure ratio r (P = 1.03323·r kgf/cm²):
//   t = (i − 597.3·x) / (0.24 + 0.441·x), ps = SaturationPressure(t)
//   φ = 100·P·x / ((0.622 + x)·ps) [%], v = 0.455·(x + 0.622)·(273.15 + t) / 100 / r,
//   t′ = wbt(x, i, r).
// t does not depend on the pressure. Meaningful for states on the chart; elsewhere the values
// may be beyond any air (φ > 100) or not finite (φ where ps is zero or no number), and the
// caller decides what to show.
[[nodiscard]] StateProperties stateProperties(double x, double i, PressureRatio pressureRatio);

}  // namespace psychro
