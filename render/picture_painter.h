#pragma once

#include <QImage>

class QPainter;

namespace chart {
class Picture;
}

namespace app {

// Replays `picture` on a painter whose coordinates are picture millimetres (the caller has
// scaled it). Pixel widths and heights of the display list convert at 96 pixels per inch, so
// the drawing keeps its proportions on the screen at any zoom and on the printer.
void paintPicture(QPainter& painter, const chart::Picture& picture);

// The whole 267 × 189 mm surface as an image at `dotsPerInch` (1010 × 715 pixels at 96): white
// background, the picture clipped to the surface. A null image when it is too large to allocate.
[[nodiscard]] QImage pictureImage(const chart::Picture& picture, double dotsPerInch = 96.0);

}  // namespace app
