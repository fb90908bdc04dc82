#include "chart/picture.h"

#include <array>
#include <utility>

namespace chart {

Rgb paletteColour(int number) {
    static constexpr std::array<Rgb, 16> kPalette{{
        {0, 0, 0},
        {0, 0, 128},
        {0, 128, 0},
        {0, 128, 128},
        {128, 0, 0},
        {128, 0, 128},
        {128, 128, 0},
        {192, 192, 192},
        {128, 128, 128},
        {0, 0, 255},
        {0, 255, 0},
        {0, 255, 255},
        {255, 0, 0},
        {255, 0, 255},
        {255, 255, 0},
        {255, 255, 255},
    }};
    if (number < 0 || number >= static_cast<int>(kPalette.size())) {
        return kPalette[0];
    }
    return kPalette[static_cast<std::size_t>(number)];
}

void Picture::truncate(std::size_t count, int lineWidth, PointMm textPosition) {
    if (count >= items_.size()) {
        return;
    }
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(count), items_.end());
    ++revision_;
    lineWidth_ = lineWidth;
    textPosition_ = textPosition;
}

void Picture::clear() {
    items_.clear();
    ++revision_;
    lineWidth_ = 1;
    textPosition_ = {0.0, 0.0};
}

void Picture::line(PointMm from, PointMm to, int colour) {
    items_.emplace_back(LineItem{from, to, colour, lineWidth_});
}

void Picture::dashedLine(PointMm from, PointMm to, int colour) {
    items_.emplace_back(LineItem{from, to, colour, lineWidth_, true});
}

void Picture::circle(PointMm centre, double radius, int colour) {
    items_.emplace_back(CircleItem{centre, radius, colour, lineWidth_});
}

void Picture::print(std::string text) {
    items_.emplace_back(TextItem{textPosition_, std::move(text), 0.0, 0});
}

void Picture::printRotated(std::string text, double heightPx, int angleDeg) {
    items_.emplace_back(TextItem{textPosition_, std::move(text), heightPx, angleDeg});
}

}  // namespace chart
