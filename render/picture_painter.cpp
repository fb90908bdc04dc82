#include "render/picture_painter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "render/picture_plan.h"

namespace render {

void paintPicture(QPainter& painter, const chart::Picture& picture) {
    PicturePlan(picture).paint(painter);
}

void paintSurface(QPainter& painter, const PicturePlan& plan, double dotsPerMm, QPointF cornerMm,
                  std::size_t firstStep) {
    painter.scale(dotsPerMm, dotsPerMm);
    painter.translate(cornerMm);
    // Only what lies on the surface is part of the picture; lines beyond it are cut off. Within
    // a clip the caller set (without one, this is the clip).
    painter.setClipRect(kSurface, Qt::IntersectClip);
    plan.paint(painter, firstStep);
}

void paintSurface(QPainter& painter, const chart::Picture& picture, double dotsPerMm,
                  QPointF cornerMm) {
    paintSurface(painter, PicturePlan(picture), dotsPerMm, cornerMm);
}

namespace {

// A white image of the surface at `dotsPerInch`, its resolution recorded; null when too large.
QImage blankSurface(double dotsPerInch) {
    const double dotsPerMm = dotsPerInch / chart::kMmPerInch;
    QImage image(static_cast<int>(std::ceil(chart::kPictureWidth * dotsPerMm)),
                 static_cast<int>(std::ceil(chart::kPictureHeight * dotsPerMm)),
                 QImage::Format_RGB32);
    if (image.isNull()) {  // too large to allocate
        return image;
    }
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerMm * 1000.0));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    return image;
}

}  // namespace

QImage pictureImage(const chart::Picture& picture, double dotsPerInch) {
    QImage image = blankSurface(dotsPerInch);
    if (!image.isNull()) {
        QPainter painter(&image);
        paintSurface(painter, picture, dotsPerInch / chart::kMmPerInch);
    }
    return image;
}

void paintSheet(QPainter& painter, const chart::Sheet& sheet, double dotsPerMm,
                QPointF chartCornerMm, QPointF lineCornerMm, const Underlay& underlay) {
    if (underlay) {
        painter.save();
        painter.scale(dotsPerMm, dotsPerMm);
        painter.translate(chartCornerMm);
        painter.setClipRect(kSurface, Qt::IntersectClip);
        underlay(painter, dotsPerMm);
        painter.restore();
    }
    painter.save();
    paintSurface(painter, sheet.chart, dotsPerMm, chartCornerMm);
    painter.restore();
    painter.save();
    painter.scale(dotsPerMm, dotsPerMm);
    painter.translate(lineCornerMm);
    paintPicture(painter, sheet.pressure);
    painter.restore();
}

SheetPlacement placeSheet(QSizeF areaMm) {
    const double scale = std::min(
        {1.0, areaMm.width() / chart::kPictureWidth, areaMm.height() / chart::kPictureHeight});
    return {QPointF((areaMm.width() - chart::kPictureWidth * scale) / 2.0,
                    (areaMm.height() - chart::kPictureHeight * scale) / 2.0),
            scale};
}

QImage sheetImage(const chart::Sheet& sheet, double dotsPerInch, const Underlay& underlay) {
    QImage image = blankSurface(dotsPerInch);
    if (!image.isNull()) {
        QPainter painter(&image);
        paintSheet(painter, sheet, dotsPerInch / chart::kMmPerInch, {}, {}, underlay);
    }
    return image;
}

}  // namespace render
