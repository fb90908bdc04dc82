#pragma once

#include <optional>
#include <string>

#include "chart/chart_frame.h"

namespace chart {

class Picture;

// How the dialogs mark air states on the chart: an unfilled light-red circle of radius 0.7 mm
// on the state, its label with the top-left corner 2 mm below the centre, and process lines
// between marked states in the same colour.
inline constexpr double kMarkRadius = 0.7;  // mm
inline constexpr double kLabelDrop = 2.0;   // mm from the centre down to the label's top

// The circle at `at`, and `label` below it unless the label is empty.
void markState(Picture& picture, PointMm at, const std::string& label = {});
// A process line from one marked state to another.
void processLine(Picture& picture, PointMm from, PointMm to);
// The end of a process: point 2 marked "点２" and the process line to it from point 1.
void markPointTwo(Picture& picture, PointMm point1, PointMm point2);

// A point marked by number, as the point dialog marks them: the circle, the line from
// `joinFrom` when given, then the label "N点" (in that drawing order).
void markNumberedPoint(Picture& picture, PointMm at, double number,
                       std::optional<PointMm> joinFrom);

// The point kept between button presses, and drawn, in single precision.
[[nodiscard]] PointMm singlePrecision(double X, double Y);

}  // namespace chart
