#include "app/picture_painter.h"

#include <QPainter>
#include <cmath>

#include "app/picture_plan.h"
#include "chart/picture.h"

namespace app {

void paintPicture(QPainter& painter, const chart::Picture& picture) {
    PicturePlan(picture).paint(painter);
}

QImage pictureImage(const chart::Picture& picture, double dotsPerInch) {
    const double dotsPerMm = dotsPerInch / 25.4;
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
    QPainter painter(&image);
    painter.scale(dotsPerMm, dotsPerMm);
    painter.setClipRect(QRectF(0.0, 0.0, chart::kPictureWidth, chart::kPictureHeight));
    paintPicture(painter, picture);
    return image;
}

}  // namespace app
