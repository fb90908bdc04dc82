#include "app/picture_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/picture_painter.h"
#include "chart/picture.h"

namespace app {
namespace {

constexpr double kTwipsPerMm = 1440.0 / 25.4;
constexpr double kNaturalPixelsPerMm = 96.0 / 25.4;

}  // namespace

PictureView::PictureView(const chart::Picture& picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {
    setObjectName(QStringLiteral("Picture1"));
    setMouseTracking(true);
    setMinimumSize(267, 189);
}

double PictureView::pixelsPerMm() const {
    return std::min(width() / chart::kPictureWidth, height() / chart::kPictureHeight);
}

QSize PictureView::sizeHint() const {
    return {static_cast<int>(std::ceil(chart::kPictureWidth * kNaturalPixelsPerMm)),
            static_cast<int>(std::ceil(chart::kPictureHeight * kNaturalPixelsPerMm))};
}

void PictureView::placeInTwips(QWidget* child, QRectF twips, double fontPoints) {
    placements_.push_back({child, twips, fontPoints});
    layOutChildren();
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const double scale = pixelsPerMm();
    painter.scale(scale, scale);
    const QRectF surface(0.0, 0.0, chart::kPictureWidth, chart::kPictureHeight);
    painter.fillRect(surface, Qt::white);
    painter.setClipRect(surface);
    paintPicture(painter, picture_);
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    const double scale = pixelsPerMm();
    const QPointF at = event->position();
    emit pointerMoved(static_cast<float>(at.x() / scale), static_cast<float>(at.y() / scale));
}

void PictureView::resizeEvent(QResizeEvent*) {
    layOutChildren();
}

void PictureView::layOutChildren() {
    const double perTwip = pixelsPerMm() / kTwipsPerMm;
    for (const Placement& p : placements_) {
        const QRectF r(p.twips.x() * perTwip, p.twips.y() * perTwip, p.twips.width() * perTwip,
                       p.twips.height() * perTwip);
        p.widget->setGeometry(r.toRect());
        QFont font = p.widget->font();
        const double pixels = p.fontPoints * (25.4 / 72.0) * pixelsPerMm();
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
        p.widget->setFont(font);
    }
}

}  // namespace app
