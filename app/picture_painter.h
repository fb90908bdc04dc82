#pragma once

class QPainter;

namespace chart {
class Picture;
}

namespace app {

// Replays `picture` on a painter whose coordinates are picture millimetres (the caller has
// scaled it). Pixel widths and heights of the display list convert at 96 pixels per inch, so
// the drawing keeps its proportions on the screen at any zoom and on the printer.
void paintPicture(QPainter& painter, const chart::Picture& picture);

}  // namespace app
