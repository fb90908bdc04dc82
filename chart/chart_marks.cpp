#include "chart/chart_marks.h"

#include "chart/number_text.h"
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

void markNumberedPoint(Picture& picture, PointMm at, double number,
                       std::optional<PointMm> joinFrom) {
    markState(picture, at);
    if (joinFrom) {
        processLine(picture, *joinFrom, at);
    }
    picture.setTextPosition({at.X, at.Y + kLabelDrop});
    picture.print(generalText(number) + "点");
}

PointMm singlePrecision(double X, double Y) {
    return {static_cast<float>(X), static_cast<float>(Y)};
}

}  // namespace chart
