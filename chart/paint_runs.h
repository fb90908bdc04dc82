#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "chart/chart_frame.h"
#include "chart/picture.h"

// What a replay of the display list paints, worked out from the list alone (no device):
// - each run of connected line steps of one colour and width (each step starting where the one
//   before it ended) becomes one polyline without the vertices that lie on it within
//   kRunToleranceMm. A volume line of the chart is some 400 steps of 0.13 mm; painted one by
//   one, each step antialiased by itself, every pixel along it is shared by two steps and the
//   line comes out paler than its colour. Joined and thinned it is a few long segments;
// - a text printed again at the same place in the same font is left out (an opaque surface
//   would be left unchanged by the repeat; antialiased edges would darken with every pass);
// - everything else is one step per item, in the list's order.
namespace chart {

// A vertex of a run is left out only where the thinned line passes it within this distance
// (mm); no point of the drawing moves by more than that.
inline constexpr double kRunToleranceMm = 0.004;

// Connected line steps of one colour and width as one polyline, mm.
struct LineRun {
    std::vector<PointMm> points;
    int colour;
    int widthPx;
    bool dashed = false;
};

using PaintStep = std::variant<LineRun, CircleItem, TextItem>;

// Whether `next` continues the run that `last` ends: the same colour, width and dash, and it starts
// exactly where `last` ended.
[[nodiscard]] bool continuesRun(const LineItem& last, const LineItem& next);

// The polyline through `points` without the vertices that lie within `toleranceMm` of the line
// that replaces them (Douglas–Peucker). The first and last points are always kept.
[[nodiscard]] std::vector<PointMm> thinnedRun(const std::vector<PointMm>& points,
                                              double toleranceMm = kRunToleranceMm);

// Follows a picture that only grows between clears: items appended since the last update
// become steps appended after those already handed out, so that a view paints just those onto
// what it has painted.
class PaintRuns {
  public:
    struct Update {
        // The steps handed out before are void: the picture was cleared, or its first new item
        // continues the last run (already painted as it was). `added` is then the whole picture.
        bool anew;
        std::vector<PaintStep> added;
    };

    [[nodiscard]] Update update(const Picture& picture);

  private:
    using TextKey = std::tuple<double, double, std::string, double, int>;

    std::vector<PaintStep> stepsFrom(const Picture& picture, std::size_t firstItem);

    std::set<TextKey> printed_;
    std::uint64_t revision_ = 0;
    std::size_t itemCount_ = 0;
};

}  // namespace chart
