#pragma once

#include <optional>

#include "chart/chart_frame.h"

// The whole i-x chart as it is drawn on the picture: frame, line families, scales and titles.
namespace chart {

class Picture;

// The pressure the chart is drawn for, as the window's label and the printout state it.
inline constexpr char kPressureLine[] = "大気圧 = 760 mmHg";

// Clears `picture` and draws the complete chart into it, family by family, later families over
// earlier ones: zero-enthalpy and scale lines, absolute humidity, enthalpy, dry bulb above and
// below freezing, specific volume, wet bulb, ice bulb, relative humidity above and below
// freezing, the border, then the scales and titles. Drawing twice gives the same picture.
void drawChart(Picture& picture);

// The line of constant absolute humidity xg (g/kg(DA)): from the right edge of the frame to the
// saturation curve at the dew point. nullopt when the humidity has no dew point in the search
// range (xg ≤ 0.024 g/kg or beyond the 100 °C saturation): such a line has no end on the chart,
// so it is left out rather than drawn to an invented point. Never the case for 1 … 53 g/kg.
struct HumidityLine {
    PointMm edge;
    PointMm saturation;
};
[[nodiscard]] std::optional<HumidityLine> humidityLine(double xg);

// Saturation humidity at t °C in g/kg(DA): 1000·0.622·ps / (1.03323 − ps).
[[nodiscard]] double saturationHumidityG(double t);

// Humidity at relative humidity phi (a fraction, 0 … 1) and t °C, g/kg(DA):
// 1000·0.622·phi·ps / (1.03323 − phi·ps).
[[nodiscard]] double humidityAtRelative(double phi, double t);

// Dry-bulb temperature (°C) of air with specific volume v (m³/kg(DA)) holding xg g/kg(DA):
// t = 100·v / (0.455·(0.622 + xg/1000)) − 273.15.
[[nodiscard]] double temperatureAtVolume(double v, double xg);

}  // namespace chart
