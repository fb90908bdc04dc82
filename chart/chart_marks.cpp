#include "chart/chart_marks.h"

#include "chart/picture.h"

namespace chart {

void markState(Picture& picture, PointMm at, const std::string& label) {
    picture.circle(at, kMarkRadius, kLightRed);
    if (!label.empty()) {
        picture.setTextPosition({at.X, at.Y + kLabelDrop});
        picture.print(label);
    }
}

void processLine(Picture& picture, PointMm from, PointMm to) {
    picture.line(from, to, kLightRed);
}

void markPointTwo(Picture& picture, PointMm point1, PointMm point2) {
    markState(picture, point2, "点２");
    processLine(picture, point1, point2);
}

PointMm singlePrecision(double X, double Y) {
    return {static_cast<float>(X), static_cast<float>(Y)};
}

}  // namespace chart
