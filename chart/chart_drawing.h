#pragma once

#include <optional>

#include "chart/chart_frame.h"
#include "chart/units.h"
#include "psychro/atmosphere.h"

// The whole i-x chart as it is drawn on the picture: frame, line families, scales and titles.
// The chart is drawn for a total pressure given as the ratio r = P / 760 mmHg
// (psychro/atmosphere.h), 1.0 by default: the saturation curve, the relative-humidity, wet-bulb
// and specific-volume lines move with it (and the humidity lines and isotherms end on the moved
// saturation curve); the enthalpy, temperature and humidity scales do not.
namespace chart {

class Picture;

// The pressure the chart is drawn for, as the window's label and the printout state it, at the
// standard atmosphere; chart/pressure_text.h writes it for any setting.
inline constexpr char kPressureLine[] = "大気圧 = 760 mmHg";

// Clears `picture` and draws the complete chart into it, family by family, later families over
// earlier ones: zero-enthalpy and scale lines, absolute humidity, enthalpy, dry bulb above and
// below freezing, specific volume, wet bulb, ice bulb, relative humidity above and below
// freezing, the border, then the scales and titles. Drawing twice gives the same picture.
// At the pressure ratio r (any in the accepted range, 0.533 … 1.061). In engineering units the
// enthalpy lines and scale labels stand at every whole kcal/kg(DA); in SI at every 5 kJ/kg(DA)
// (1.19 kcal, about the same spacing), −15 … 185, with the caption in kJ/kg(DA). The volume lines
// keep their place on the chart: at r they are the hundredths between 0.75/r and 1.04/r, labelled
// up to 0.90/r, in steps of 0.02 below r = 0.8 (0.01 there would crowd the labels).
void drawChart(Picture& picture, psychro::PressureRatio pressureRatio, Units units);

// The enthalpy axis captions of the two units.
inline constexpr char kEnthalpyCaption[] = "エンタルピー i [kcal/kg(DA)]";
inline constexpr char kEnthalpyCaptionSI[] = "エンタルピー i [kJ/kg(DA)]";

// The line of constant absolute humidity xg (g/kg(DA)) at the pressure ratio r: from the right
// edge of the frame to the saturation curve at the dew point. nullopt when the humidity has no
// dew point in the search range (xg ≤ 0.024 g/kg or beyond the saturation at the boiling point):
// such a line has no end on the chart, so it is left out rather than drawn to an invented point.
// Never the case for 1 … 53 g/kg in the accepted pressure range.
struct HumidityLine {
    PointMm edge;
    PointMm saturation;
};
[[nodiscard]] std::optional<HumidityLine> humidityLine(double xg,
                                                       psychro::PressureRatio pressureRatio);

// Saturation humidity at t °C in g/kg(DA): 1000·0.622·ps / (P − ps), P = 1.03323·r. Negative
// above the boiling point of P.
[[nodiscard]] double saturationHumidityG(double t, psychro::PressureRatio pressureRatio);

// Humidity at relative humidity phi (a fraction, 0 … 1) and t °C, g/kg(DA):
// 1000·0.622·phi·ps / (P − phi·ps), P = 1.03323·r.
[[nodiscard]] double humidityAtRelative(double phi, double t, psychro::PressureRatio pressureRatio);

// Dry-bulb temperature (°C) of air with specific volume v (m³/kg(DA)) holding xg g/kg(DA):
// t = 100·v·r / (0.455·(0.622 + xg/1000)) − 273.15.
[[nodiscard]] double temperatureAtVolume(double v, double xg, psychro::PressureRatio pressureRatio);

}  // namespace chart
