#include "app/picture_view.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/picture.h"
#include "chart/units_of_length.h"
#include "render/picture_painter.h"

namespace app {
namespace {

using chart::kTwipsPerInch;
using chart::kTwipsPerMm;
using render::kSurface;

// The pixel ratio of the device that `painter` paints on: the window's backing store, or the
// image or pixmap a grab renders into.
double ratioOf(const QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    const QPaintDevice* device = engine != nullptr ? engine->paintDevice() : nullptr;
    return device != nullptr ? device->devicePixelRatio() : painter.device()->devicePixelRatio();
}

}  // namespace

PictureView::PictureView(const chart::Picture& picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {
    setObjectName(QStringLiteral("Picture1"));
    setMouseTracking(true);
    setMinimumSize(267, 189);
    // Every paint covers what it exposes with the kept image.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

double PictureView::pixelsPerMm() const {
    return std::min(width() / chart::kPictureWidth, height() / chart::kPictureHeight);
}

QSize PictureView::sizeHint() const {
    return {static_cast<int>(std::ceil(chart::kPictureWidth * chart::kPixelsPerMm)),
            static_cast<int>(std::ceil(chart::kPictureHeight * chart::kPixelsPerMm))};
}

void PictureView::placeInTwips(QWidget* child, QRectF twips, double fontPoints) {
    placements_.push_back({child, twips, fontPoints});
    layOutChildren();
}

void PictureView::refresh() {
    if (stale_ || kept_.isNull() || !isVisible()) {
        update();
        return;
    }
    const std::size_t painted = paintedSteps_;
    const std::size_t firstNew = plan_.update(picture_);
    if (firstNew != painted) {
        // Cleared, or a line continued: the whole picture is painted again at the next paint.
        stale_ = true;
        update();
        return;
    }
    if (firstNew == plan_.steps().size()) {
        return;
    }
    paintSteps(firstNew);
    const double scale = pixelsPerMm();
    const QRectF mm = plan_.inkBounds(firstNew) & kSurface;
    update(QRectF(mm.x() * scale, mm.y() * scale, mm.width() * scale, mm.height() * scale)
               .toAlignedRect());
}

void PictureView::keepUpToDate(double ratio) {
    const QSize deviceSize(static_cast<int>(std::ceil(width() * ratio)),
                           static_cast<int>(std::ceil(height() * ratio)));
    const std::size_t painted = paintedSteps_;
    const std::size_t firstNew = plan_.update(picture_);
    if (stale_ || firstNew != painted || kept_.size() != deviceSize ||
        kept_.devicePixelRatio() != ratio) {
        if (kept_.size() != deviceSize) {
            kept_ = QImage(deviceSize, QImage::Format_RGB32);
        }
        kept_.setDevicePixelRatio(ratio);
        paintSteps(0);
        stale_ = false;
    } else if (firstNew < plan_.steps().size()) {
        paintSteps(firstNew);
    }
}

void PictureView::paintSteps(std::size_t firstStep) {
    if (firstStep == 0) {
        kept_.fill(Qt::white);
    }
    QPainter painter(&kept_);
    const double scale = pixelsPerMm();
    if (firstStep == 0) {
        // Right of and below the surface the window shows through; each pixel is filled once.
        painter.save();
        painter.scale(scale, scale);
        const double far = std::max(width(), height()) / scale + 1.0;
        const QColor window = palette().color(QPalette::Window);
        painter.fillRect(QRectF(kSurface.right(), 0.0, far, far), window);
        painter.fillRect(QRectF(0.0, kSurface.bottom(), far, far), window);
        painter.restore();
    }
    render::paintSurface(painter, plan_, scale, {}, firstStep);
    paintedSteps_ = plan_.steps().size();
}

void PictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const double ratio = ratioOf(painter);
    keepUpToDate(ratio);
    const QRect exposed = event->rect();
    painter.drawImage(exposed, kept_,
                      QRectF(exposed.x() * ratio, exposed.y() * ratio, exposed.width() * ratio,
                             exposed.height() * ratio));
    if (!highlight_.empty()) {
        constexpr double kRingRadius = 2.5;  // mm, well clear of the 0.7 mm mark
        const double scale = pixelsPerMm();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0, 120, 215), 2.0));
        painter.setBrush(Qt::NoBrush);
        for (const chart::PointMm& p : highlight_) {
            painter.drawEllipse(QPointF(p.X * scale, p.Y * scale), kRingRadius * scale,
                                kRingRadius * scale);
        }
    }
}

void PictureView::setHighlight(std::vector<chart::PointMm> marks) {
    highlight_ = std::move(marks);
    update();
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    const double scale = pixelsPerMm();
    const QPointF at = event->position();
    emit pointerMoved(static_cast<float>(at.x() / scale), static_cast<float>(at.y() / scale));
}

void PictureView::resizeEvent(QResizeEvent*) {
    layOutChildren();
}

void PictureView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        stale_ = true;
    }
    QWidget::changeEvent(event);
}

void PictureView::layOutChildren() {
    const double perTwip = pixelsPerMm() / kTwipsPerMm;
    for (const Placement& p : placements_) {
        const QRectF r(p.twips.x() * perTwip, p.twips.y() * perTwip, p.twips.width() * perTwip,
                       p.twips.height() * perTwip);
        p.widget->setGeometry(r.toRect());
        QFont font = p.widget->font();
        const double pixels = p.fontPoints * chart::kMmPerPoint * pixelsPerMm();
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
        p.widget->setFont(font);
    }
}

FormArea::FormArea(PictureView* view, QPointF twips, QWidget* parent)
    : QWidget(parent), view_(view), twips_(twips) {
    view_->setParent(this);
    view_->move(offset());
}

QPoint FormArea::offset() const {
    return {static_cast<int>(std::lround(twips_.x() * logicalDpiX() / kTwipsPerInch)),
            static_cast<int>(std::lround(twips_.y() * logicalDpiY() / kTwipsPerInch))};
}

QSize FormArea::sizeHint() const {
    const QPoint at = offset();
    return view_->sizeHint() + QSize(at.x(), at.y());
}

QSize FormArea::minimumSizeHint() const {
    const QPoint at = offset();
    return view_->minimumSize() + QSize(at.x(), at.y());
}

void FormArea::resizeEvent(QResizeEvent*) {
    const QPoint at = offset();
    view_->setGeometry(QRect(at, size() - QSize(at.x(), at.y())));
}

}  // namespace app
