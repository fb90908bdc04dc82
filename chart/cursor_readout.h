#pragma once

#include <string>

#include "chart/units.h"
#include "psychro/atmosphere.h"

// The state of the air under the mouse pointer, as the six value labels of the readout show it.
namespace chart {

// Label texts: x kg/kg(DA) to 5 decimals, i kcal/kg(DA) (kJ/kg(DA) in SI units) to 2, t °C to 2,
// t′ °C to 2, v m³/kg(DA) to 3, φ % to 2; each rounded half to even and written in the general
// number form.
struct Readout {
    std::string x;
    std::string i;
    std::string t;
    std::string tw;
    std::string v;
    std::string phi;
};

inline constexpr const char* kFogText = "霧入り";      // above the saturation curve
inline constexpr const char* kOutsideText = "範囲外";  // outside the chart frame

// Readout at picture point (X, Y) mm. Inverts the chart mapping through the point u where the
// isenthalp through the pointer meets the scale line:
//   xg = (160 − Y) / HumidityUnit                                  [g/kg(DA)], x = xg / 1000
//   u = (X·tan 26.4° + 138·tan 45.12° − Y) / (tan 26.4° + tan 45.12°), Yu = (138 − u)·tan 45.12°
//   i = 45·(OriginY − Yu) / (EnthalpyAxisLength·sin 45.12°)        [kcal/kg(DA)]
//   t, t′, v and φ from x and i by psychro::stateProperties at the pressure ratio r
//   (psychro/atmosphere.h), the ratio the chart was drawn for:
//   t = (i − 597.3·x) / (0.24 + 0.441·x), ps = SaturationPressure(t)
//   φ = 100·1.03323·r·x / ((0.622 + x)·ps) [%], v = 0.455·(x + 0.622)·(273.15 + t) / 100 / r,
//   t′ = wbt(x, i, r); in SI units i is shown as 4.1868·i kJ/kg(DA).
// All six texts are kFogText where φ > 100, and kOutsideText unless 0 ≤ X ≤ 208.3 and
// 0 ≤ Y ≤ 160 (compared in single precision); outside wins over fog. A φ that is not a number
// (a state beyond any air, never inside the frame) fails the φ ≤ 100 test and reads as fog, so
// no label ever shows "NaN". Defined for every input, non-finite ones included; r in the
// accepted range.
[[nodiscard]] Readout cursorReadout(float X, float Y, psychro::PressureRatio pressureRatio,
                                    Units units);

}  // namespace chart
