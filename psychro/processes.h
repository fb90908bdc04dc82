#pragma once

#include <optional>

#include "psychro/air_state.h"

// Mixing two air streams, and the loads of cooling and heating one. Units as everywhere:
// x kg/kg(DA), i kcal/kg(DA), t °C; air quantities G in kg/h of dry air, loads in kcal/h.
namespace psychro {

// The first stream of a mixing or cooling, kept in single precision as the mixing and cooling
// dialog keeps its point 1 between the two presses.
struct KeptStream {
    float i;  // kcal/kg(DA)
    float x;  // kg/kg(DA)
    float G;  // kg/h
};

// An air quantity as a kept stream holds it: nullopt unless it is finite in single precision
// and above 0 there (1e-50 kg/h rounds to none).
[[nodiscard]] std::optional<float> keptAirQuantity(double airKgPerHour);

// The stream of state s and the kept quantity G: nullopt when i or x is not finite in single
// precision (a state within the chart's reach always is).
[[nodiscard]] std::optional<KeptStream> keepStream(AirState s, float airKgPerHour);

// The mixing point of two streams.
struct Mixed {
    double i;  // kcal/kg(DA)
    double x;  // kg/kg(DA)
};

// Adiabatic mixing of the kept stream 1 with G2 kg/h of state 2. The mixing point divides the
// line from state 2 to state 1 in the ratio G1 : G2:
//   i3 = (i2·G2 + i1·G1) / (G2 + G1),  x3 = (x2·G2 + x1·G1) / (G2 + G1).
// Stream 1's shares i1·G1 and x1·G1 are products in single precision, as stream 1 is kept;
// everything after them is double. For G1 > 0 and G2 > 0; shares beyond double come out as
// infinities or NaN, which the caller refuses with the point.
[[nodiscard]] Mixed mixStreams(KeptStream first, AirState second, double secondKgPerHour);

// The cooling load of bringing the kept stream 1 to the enthalpy i2 of state 2:
//   Q = (i1 − i2)·G1  kcal/h,
// in double from stream 1's single-precision values; positive when heat is taken from the air,
// negative when the "cooling" heats it. Any finite i2.
[[nodiscard]] double coolingLoad(KeptStream first, double i2);

// The air after sensible heating and its load.
struct Heated {
    double i;  // after heating, kcal/kg(DA); x is that of the air before
    double Q;  // kcal/h, negative when t2 is below the temperature before
};

// Sensible heating of G kg/h of the state `before` to t2 = finalTemperature °C at its own humidity
// x1:
//   i2 = 0.24·t2 + x1·(597.3 + 0.441·t2),  Q = (i2 − i1)·G  kcal/h.
// Any t2; G ≥ 0 (0 is an empty duct with no load). Far-off t2 or G give loads that may not be
// writable (chart::roundable), which the caller refuses.
[[nodiscard]] Heated heatTo(AirState before, double airKgPerHour, double finalTemperature);

}  // namespace psychro
