#pragma once

#include "chart/chart_frame.h"

// The keyboard cross-hair walks the chart in whole steps of the two quantities the chart is
// read by: dry-bulb temperature (left and right, along a line of constant humidity) and
// absolute humidity (up and down, along an isotherm). Counting whole steps keeps a long walk
// from drifting: after ten steps of 0.1 °C the temperature is exactly one degree more.
namespace chart {

inline constexpr double kTemperatureStep = 0.1;  // °C
inline constexpr double kHumidityStep = 0.0001;  // kg/kg(DA)

// Where the walk may go: the chart frame's temperatures at x = 0 (−10 … 50 °C) and its
// humidities (0 … 0.053 kg/kg(DA)). Outside the frame's slanted edges the readout says so.
inline constexpr int kLowestTemperatureSteps = -100;
inline constexpr int kHighestTemperatureSteps = 500;
inline constexpr int kHighestHumiditySteps = 530;

struct KeyboardState {
    int temperatureSteps;  // t / 0.1 °C
    int humiditySteps;     // x / 0.0001 kg/kg(DA)
    friend bool operator==(KeyboardState, KeyboardState) = default;
};

// 20 °C, 0.0100 kg/kg(DA): where the walk starts when the pointer has not been on the chart.
inline constexpr KeyboardState kKeyboardStart{200, 100};

// The state nearest the one at picture point p (mm), on the grid of steps and within the bounds
// above. p must be finite.
[[nodiscard]] KeyboardState keyboardStateAt(PointMm p);

// `state` moved by whole steps, stopped at the bounds.
[[nodiscard]] KeyboardState keyboardStep(KeyboardState state, int temperatureSteps,
                                         int humiditySteps);

// The picture point of the state: t = steps·0.1 °C, x = steps·0.0001 kg/kg(DA),
// i = 0.24·t + x·(597.3 + 0.441·t), mapped by statePoint.
[[nodiscard]] PointMm keyboardPoint(KeyboardState state);

}  // namespace chart
