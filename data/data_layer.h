#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "chart/chart_frame.h"
#include "chart/picture.h"
#include "data/data_set.h"
#include "data/zones.h"

// What a data set puts on the chart, in picture millimetres, ready for a painter: the cells of
// hours (1 °C × 1 g/kg(DA)) with their counts, the dots of the points style rasterised once into
// a mask, and the zones' outlines.
namespace data {

enum class LayerStyle { Points, Hours };

// The cell of dry bulb t … t+1 °C and humidity xg … xg+1 g/kg(DA), its count and its four
// corners on the chart (the rows placed at the chart's pressure, placedStates) (t, xg), (t+1, xg),
// (t+1, xg+1), (t, xg+1). Cells cover −20 … 60 °C and 0 … 60 g/kg(DA), beyond the chart's drawn
// range; rows outside are left out of the cells (they are still counted in the zones).
struct HourCell {
    int t;
    int xg;
    std::uint32_t count;
    std::array<chart::PointMm, 4> corners;
};

struct HourCells {
    std::vector<HourCell> cells;  // those with a count, by t then xg
    std::uint32_t most = 0;       // the largest count
};

[[nodiscard]] HourCells hourCells(const std::vector<DataState>& placed);

// The points style at a resolution: a mask of width × height pixels (row by row, 1 where a dot
// lies) for the picture surface at `dotsPerMm`, each state a square dot of side 2·radius + 1
// pixels centred on its chart point. States off the surface are left out.
struct PointMask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> hit;
};

[[nodiscard]] PointMask pointMask(const std::vector<DataState>& placed, double dotsPerMm,
                                  int radiusPx);

// A zone's outline mapped to the chart: the polygon of its points' (i, x).
[[nodiscard]] std::vector<chart::PointMm> zonePolygon(const std::vector<ZonePoint>& outline);

// The zones drawn on the chart's picture (over its lines, under the marks that follow): each
// outline as a closed run of lines of width 3 px in dark magenta (palette 5), its name in the
// picture's font 4 mm above the outline's highest point. Zones that are not valid are left out.
inline constexpr int kZoneColour = 5;
void drawZones(chart::Picture& picture, const std::vector<Zone>& zones,
               psychro::PressureRatio pressure);

}  // namespace data
