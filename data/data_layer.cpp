#include "data/data_layer.h"

#include <algorithm>
#include <cmath>

#include "chart/picture.h"

namespace data {
namespace {

constexpr int kCellTLow = -20;
constexpr int kCellTHigh = 60;
constexpr int kCellXgHigh = 60;

chart::PointMm at(double t, double xg) {
    return chart::statePoint(chart::enthalpyAt(t, xg), xg);
}

}  // namespace

HourCells hourCells(const std::vector<DataState>& placed) {
    constexpr int columns = kCellTHigh - kCellTLow;
    std::vector<std::uint32_t> grid(static_cast<std::size_t>(columns * kCellXgHigh), 0U);
    for (const DataState& s : placed) {
        const double t = std::floor(s.t);
        const double xg = std::floor(1000.0 * static_cast<double>(s.x));
        if (t >= kCellTLow && t < kCellTHigh && xg >= 0.0 && xg < kCellXgHigh) {
            ++grid[static_cast<std::size_t>((static_cast<int>(t) - kCellTLow) * kCellXgHigh +
                                            static_cast<int>(xg))];
        }
    }
    HourCells out;
    for (int c = 0; c < columns; ++c) {
        for (int xg = 0; xg < kCellXgHigh; ++xg) {
            const std::uint32_t count = grid[static_cast<std::size_t>(c * kCellXgHigh + xg)];
            if (count == 0) {
                continue;
            }
            const int t = c + kCellTLow;
            out.cells.push_back(
                {t, xg, count, {at(t, xg), at(t + 1, xg), at(t + 1, xg + 1), at(t, xg + 1)}});
            out.most = std::max(out.most, count);
        }
    }
    return out;
}

PointMask pointMask(const std::vector<DataState>& placed, double dotsPerMm, int radiusPx) {
    PointMask mask;
    if (!(dotsPerMm > 0.0) || dotsPerMm > 100.0 || radiusPx < 0 || radiusPx > 50) {
        return mask;
    }
    mask.width = static_cast<int>(std::ceil(chart::kPictureWidth * dotsPerMm));
    mask.height = static_cast<int>(std::ceil(chart::kPictureHeight * dotsPerMm));
    mask.hit.assign(static_cast<std::size_t>(mask.width) * static_cast<std::size_t>(mask.height),
                    0U);
    for (const DataState& s : placed) {
        const chart::PointMm p = at(s.t, 1000.0 * static_cast<double>(s.x));
        const double px = std::floor(p.X * dotsPerMm);
        const double py = std::floor(p.Y * dotsPerMm);
        if (!(px >= -radiusPx && px < mask.width + radiusPx && py >= -radiusPx &&
              py < mask.height + radiusPx)) {
            continue;
        }
        const int cx = static_cast<int>(px);
        const int cy = static_cast<int>(py);
        for (int y = std::max(0, cy - radiusPx); y <= std::min(mask.height - 1, cy + radiusPx);
             ++y) {
            std::uint8_t* row = mask.hit.data() +
                                static_cast<std::size_t>(y) * static_cast<std::size_t>(mask.width);
            for (int x = std::max(0, cx - radiusPx); x <= std::min(mask.width - 1, cx + radiusPx);
                 ++x) {
                row[x] = 1U;
            }
        }
    }
    return mask;
}

std::vector<chart::PointMm> zonePolygon(const std::vector<ZonePoint>& outline) {
    std::vector<chart::PointMm> polygon;
    polygon.reserve(outline.size());
    for (const ZonePoint& p : outline) {
        polygon.push_back(at(p.t, 1000.0 * p.x));
    }
    return polygon;
}

void drawZones(chart::Picture& picture, const std::vector<Zone>& zones,
               psychro::PressureRatio pressure) {
    const int width = picture.lineWidth();
    picture.setLineWidth(3);
    for (const Zone& zone : zones) {
        const std::vector<chart::PointMm> polygon = zonePolygon(zoneOutline(zone, pressure));
        if (polygon.size() < 2) {
            continue;
        }
        for (std::size_t k = 0; k < polygon.size(); ++k) {
            picture.line(polygon[k], polygon[(k + 1) % polygon.size()], kZoneColour);
        }
        const auto top = std::min_element(polygon.begin(), polygon.end(),
                                          [](auto a, auto b) { return a.Y < b.Y; });
        picture.setTextPosition({top->X, top->Y - 4.0});
        picture.print(zoneName(zone));
    }
    picture.setLineWidth(width);
}

}  // namespace data
