#pragma once

#include <functional>

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <cstddef>

#include "chart/picture.h"
#include "chart/sheet.h"
#include "chart/units_of_length.h"

class QPainter;

namespace render {

class PicturePlan;

// The picture surface, 267 × 189 mm, in picture millimetres.
inline constexpr QRectF kSurface(0.0, 0.0, chart::kPictureWidth, chart::kPictureHeight);

// Replays `picture` on a painter whose coordinates are picture millimetres (the caller has
// scaled it). Pixel widths and heights of the display list convert at 96 pixels per inch, so
// the drawing keeps its proportions on the screen at any zoom and on the printer.
void paintPicture(QPainter& painter, const chart::Picture& picture);

// How the screen, the printer and the files place the surface: the painter is scaled to
// `dotsPerMm` of its units per millimetre, moved so that the surface's top-left corner stands at
// `cornerMm` (millimetres of the scaled painter), clipped to the surface within any clip the
// caller set, and the plan's steps [firstStep, end) are painted. The painter is left so
// transformed and clipped (a caller that paints more saves and restores it around the call).
void paintSurface(QPainter& painter, const PicturePlan& plan, double dotsPerMm,
                  QPointF cornerMm = {}, std::size_t firstStep = 0);
void paintSurface(QPainter& painter, const chart::Picture& picture, double dotsPerMm,
                  QPointF cornerMm = {});

// The whole 267 × 189 mm surface as an image at `dotsPerInch` (1010 × 715 pixels at 96): white
// background, the picture clipped to the surface. A null image when it is too large to allocate.
[[nodiscard]] QImage pictureImage(const chart::Picture& picture,
                                  double dotsPerInch = chart::kPixelsPerInch);

// Paints a sheet: its chart as paintSurface places it (the surface's corner at `chartCornerMm`,
// clipped to the surface), then its pressure line, unclipped, with its top-left corner at
// `lineCornerMm` (millimetres of the scaled painter). The painter is left as it was given.
// What is painted under the chart, over its white ground (a data set's layer): called with the
// painter in picture millimetres, clipped to the surface, and its device dots per mm.
using Underlay = std::function<void(QPainter& painter, double dotsPerMm)>;

void paintSheet(QPainter& painter, const chart::Sheet& sheet, double dotsPerMm,
                QPointF chartCornerMm, QPointF lineCornerMm, const Underlay& underlay);

// Where the 267 × 189 mm surface stands on a page whose printable part is `areaMm`: centred in
// it, at natural size where it fits, else scaled down uniformly until it does. The corner is in
// page millimetres from the area's corner; the surface spans scale × its size from there.
struct SheetPlacement {
    QPointF cornerMm;
    double scale;
};
[[nodiscard]] SheetPlacement placeSheet(QSizeF areaMm);

// The sheet as an image of the surface, as pictureImage makes it, the pressure line at its top
// left.
[[nodiscard]] QImage sheetImage(const chart::Sheet& sheet, double dotsPerInch,
                                const Underlay& underlay);

}  // namespace render
