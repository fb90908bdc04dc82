#include "app/picture_view.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QRegion>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <functional>
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

// Where the surface's corner stands, in mm of a painter scaled to `scale`, when the surface is
// scrolled by `offset` pixels.
QPointF cornerOf(QPoint offset, double scale) {
    return offset.isNull() ? QPointF() : QPointF(-offset.x() / scale, -offset.y() / scale);
}

// A rectangle of widget pixels in the device pixels of an image of pixel ratio `ratio`.
QRectF deviceRect(const QRect& r, double ratio) {
    return {r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio};
}

}  // namespace

PictureView::PictureView(const chart::Picture& picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {
    setObjectName(QStringLiteral("Picture1"));
    setMouseTracking(true);
    setMinimumSize(267, 189);
    // Every paint covers what it exposes with the kept image.
    setAttribute(Qt::WA_OpaquePaintEvent);

    horizontal_ = new QScrollBar(Qt::Horizontal, this);
    vertical_ = new QScrollBar(Qt::Vertical, this);
    horizontal_->setObjectName(QStringLiteral("Picture1HorizontalScrollBar"));
    vertical_->setObjectName(QStringLiteral("Picture1VerticalScrollBar"));
    for (QScrollBar* bar : {horizontal_, vertical_}) {
        bar->setFocusPolicy(Qt::NoFocus);  // the arrow keys belong to the window
        bar->setSingleStep(20);
        bar->hide();
    }
    connect(horizontal_, &QScrollBar::valueChanged, this, [this](int x) {
        scrollTo({x, offset_.y()});
    });
    connect(vertical_, &QScrollBar::valueChanged, this, [this](int y) {
        scrollTo({offset_.x(), y});
    });

    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] { update(); });
}

double PictureView::pixelsPerMm() const {
    return fit_ ? fittedPixelsPerMm() : zoom_ * chart::kPixelsPerMm;
}

double PictureView::fittedPixelsPerMm() const {
    return std::min(width() / chart::kPictureWidth, height() / chart::kPictureHeight);
}

double PictureView::zoom() const {
    return pixelsPerMm() / chart::kPixelsPerMm;
}

QSize PictureView::sizeHint() const {
    return {static_cast<int>(std::ceil(chart::kPictureWidth * chart::kPixelsPerMm)),
            static_cast<int>(std::ceil(chart::kPictureHeight * chart::kPixelsPerMm))};
}

QSize PictureView::surfaceSize() const {
    const double scale = pixelsPerMm();
    return {static_cast<int>(std::ceil(chart::kPictureWidth * scale)),
            static_cast<int>(std::ceil(chart::kPictureHeight * scale))};
}

QRect PictureView::viewport() const {
    return {0, 0, width() - (vertical_->isHidden() ? 0 : vertical_->width()),
            height() - (horizontal_->isHidden() ? 0 : horizontal_->height())};
}

QPoint PictureView::clamped(QPoint offset) const {
    const QSize surface = surfaceSize();
    const QRect port = viewport();
    return {std::clamp(offset.x(), 0, std::max(0, surface.width() - port.width())),
            std::clamp(offset.y(), 0, std::max(0, surface.height() - port.height()))};
}

QPointF PictureView::pictureAt(QPointF at) const {
    const double scale = pixelsPerMm();
    return {(at.x() + offset_.x()) / scale, (at.y() + offset_.y()) / scale};
}

QPointF PictureView::widgetAt(QPointF mm) const {
    const double scale = pixelsPerMm();
    return {mm.x() * scale - offset_.x(), mm.y() * scale - offset_.y()};
}

void PictureView::placeInTwips(QWidget* child, QRectF twips, double fontPoints) {
    const auto placed = std::ranges::find(placements_, child, &Placement::widget);
    if (placed != placements_.end()) {
        *placed = {child, twips, fontPoints};
    } else {
        placements_.push_back({child, twips, fontPoints});
    }
    layOutChildren();
}

void PictureView::keepInView(QWidget* child, Qt::Corner corner) {
    const auto kept = std::ranges::find(keptInView_, child, &KeptInView::widget);
    if (kept != keptInView_.end()) {
        kept->corner = corner;
    } else {
        keptInView_.push_back({child, corner});
    }
    layOutChildren();
}

QWidget* PictureView::keptInViewHolding(const QWidget* widget) const {
    for (const KeptInView& kept : keptInView_) {
        if (kept.widget == widget || kept.widget->isAncestorOf(widget)) {
            return kept.widget;
        }
    }
    return nullptr;
}

void PictureView::fitToWindow() {
    fit_ = true;
    layOutScrollBars();
    layOutChildren();
    settle_.start();
    update();
}

void PictureView::setZoom(double zoom, std::optional<QPointF> anchor) {
    const QPointF at = anchor.value_or(QRectF(viewport()).center());
    const QPointF mm = pictureAt(at);
    fit_ = false;
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    layOutScrollBars();
    const double scale = pixelsPerMm();
    offset_ = clamped(QPoint(static_cast<int>(std::lround(mm.x() * scale - at.x())),
                             static_cast<int>(std::lround(mm.y() * scale - at.y()))));
    layOutScrollBars();  // the bars show the new offset
    layOutChildren();
    settle_.start();
    update();
}

void PictureView::settle() {
    settle_.stop();
    update();
}

void PictureView::scrollTo(QPoint offset) {
    offset = clamped(offset);
    if (offset == offset_) {
        return;
    }
    const QPoint by = offset_ - offset;
    offset_ = offset;
    {
        const QSignalBlocker blockHorizontal(horizontal_);
        const QSignalBlocker blockVertical(vertical_);
        horizontal_->setValue(offset.x());
        vertical_->setValue(offset.y());
    }
    // Qt moves the shown pixels and the children on the surface with them, and a paint event
    // covers what comes into view; the scroll bars go back to their edges.
    const QRect horizontal = horizontal_->geometry();
    const QRect vertical = vertical_->geometry();
    scroll(by.x(), by.y());
    horizontal_->setGeometry(horizontal);
    vertical_->setGeometry(vertical);
    layOutChildren(false);
}

void PictureView::layOutScrollBars() {
    if (fit_) {
        horizontal_->hide();
        vertical_->hide();
        offset_ = {};
        return;
    }
    const QSize surface = surfaceSize();
    const int across = vertical_->sizeHint().width();
    const int down = horizontal_->sizeHint().height();
    bool wide = surface.width() > width();
    bool tall = surface.height() > height();
    wide = wide || (tall && surface.width() > width() - across);
    tall = tall || (wide && surface.height() > height() - down);
    const QSize port(width() - (tall ? across : 0), height() - (wide ? down : 0));
    horizontal_->setGeometry(0, height() - down, port.width(), down);
    vertical_->setGeometry(width() - across, 0, across, port.height());
    horizontal_->setVisible(wide);
    vertical_->setVisible(tall);
    offset_ = clamped(offset_);
    const QSignalBlocker blockHorizontal(horizontal_);
    const QSignalBlocker blockVertical(vertical_);
    horizontal_->setRange(0, std::max(0, surface.width() - port.width()));
    horizontal_->setPageStep(port.width());
    horizontal_->setValue(offset_.x());
    vertical_->setRange(0, std::max(0, surface.height() - port.height()));
    vertical_->setPageStep(port.height());
    vertical_->setValue(offset_.y());
    horizontal_->raise();
    vertical_->raise();
}

void PictureView::setCrosshair(std::optional<QPointF> mm) {
    if (crosshair_.has_value() == mm.has_value() && (!mm || *crosshair_ == *mm)) {
        return;
    }
    QRegion dirty = crosshairRegion();
    crosshair_ = mm;
    dirty += crosshairRegion();
    update(dirty);
}

void PictureView::ensureVisible(QPointF mm) {
    constexpr double kMargin = 24.0;  // pixels
    const QPointF at = widgetAt(mm);
    const QRectF port = QRectF(viewport()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const double dx = at.x() < port.left()    ? at.x() - port.left()
                      : at.x() > port.right() ? at.x() - port.right()
                                              : 0.0;
    const double dy = at.y() < port.top()      ? at.y() - port.top()
                      : at.y() > port.bottom() ? at.y() - port.bottom()
                                               : 0.0;
    scrollTo(offset_ +
             QPoint(static_cast<int>(std::lround(dx)), static_cast<int>(std::lround(dy))));
}

QRegion PictureView::crosshairRegion() const {
    if (!crosshair_) {
        return {};
    }
    const QPointF at = widgetAt(*crosshair_);
    const QSize surface = surfaceSize();
    const int x = static_cast<int>(std::floor(at.x()));
    const int y = static_cast<int>(std::floor(at.y()));
    QRegion region(QRect(-offset_.x(), y - 1, surface.width(), 3));
    region += QRect(x - 1, -offset_.y(), 3, surface.height());
    return region & rect();
}

void PictureView::paintCrosshair(QPainter& painter, const QRect& exposed) const {
    const QPointF at = widgetAt(*crosshair_);
    const QRectF surface(QPointF(-offset_), QSizeF(surfaceSize()));
    painter.save();
    painter.setClipRect(exposed);
    painter.setPen(QPen(QColor(0, 0, 160), 0));  // one device pixel at any zoom
    painter.drawLine(QPointF(surface.left(), at.y()), QPointF(surface.right(), at.y()));
    painter.drawLine(QPointF(at.x(), surface.top()), QPointF(at.x(), surface.bottom()));
    painter.restore();
}

void PictureView::setUnderlay(render::Underlay underlay) {
    underlay_ = std::move(underlay);
    stale_ = true;
    before_.clear();
    update();
}

void PictureView::refresh() {
    if (stale_ || kept_.isNull() || !isVisible() || settle_.isActive() ||
        keptScale_ != pixelsPerMm() || keptOffset_ != offset_) {
        // A paint renders what is needed; a zoom waiting for its sharp render gets it now.
        settle_.stop();
        update();
        return;
    }
    const std::size_t painted = paintedSteps_;
    const std::size_t itemsBefore = planItems_;
    const std::size_t firstNew = plan_.update(picture_);
    planItems_ = picture_.items().size();
    if (firstNew != painted) {
        // Cleared, or a line continued: the whole picture is painted again at the next paint.
        stale_ = true;
        before_.clear();
        update();
        return;
    }
    if (firstNew == plan_.steps().size()) {
        return;
    }
    before_.push_back({kept_, itemsBefore, keptScale_, keptOffset_, keptArea_, ring_});
    qsizetype bytes = 0;
    for (const Before& b : before_) {
        bytes += b.image.sizeInBytes();
    }
    auto oldest = before_.begin();
    for (; bytes > kBeforeBytes && oldest + 1 != before_.end(); ++oldest) {
        bytes -= oldest->image.sizeInBytes();
    }
    before_.erase(before_.begin(), oldest);
    paintSteps(firstNew);
    const double scale = pixelsPerMm();
    const QRectF mm = plan_.inkBounds(firstNew) & kSurface;
    update(QRectF(mm.x() * scale, mm.y() * scale, mm.width() * scale, mm.height() * scale)
               .translated(-offset_)
               .toAlignedRect());
}

void PictureView::refreshCut() {
    // The images from before items that are gone now are of no more use.
    while (!before_.empty() && before_.back().items > picture_.items().size()) {
        before_.pop_back();
    }
    std::optional<Before> before;
    if (!before_.empty()) {
        before = std::move(before_.back());
        before_.pop_back();
    }
    const bool fits = before && !stale_ && !kept_.isNull() && isVisible() && !settle_.isActive() &&
                      before->items == picture_.items().size() && before->scale == pixelsPerMm() &&
                      before->scale == keptScale_ && before->offset == offset_ &&
                      before->offset == keptOffset_ && before->area == keptArea_ &&
                      before->ring == ring_ && before->image.size() == kept_.size() &&
                      before->image.devicePixelRatio() == kept_.devicePixelRatio();
    if (!fits) {
        before_.clear();
        refresh();
        return;
    }
    plan_.update(picture_);  // cut: made anew, nothing painted
    planItems_ = picture_.items().size();
    kept_ = std::move(before->image);
    paintedSteps_ = plan_.steps().size();
    update();
}

bool PictureView::previewing(double ratio) const {
    return settle_.isActive() && !stale_ && !kept_.isNull() && kept_.devicePixelRatio() == ratio &&
           keptScale_ != pixelsPerMm();
}

QSize PictureView::keptSize() const {
    const double ratio = kept_.devicePixelRatio();
    return {static_cast<int>(std::lround(kept_.width() / ratio)),
            static_cast<int>(std::lround(kept_.height() / ratio))};
}

void PictureView::forEachKeptPart(const QRect& area,
                                  const std::function<void(QRect, QPoint)>& part) const {
    const QSize size = keptSize();
    for (const int j : {0, 1}) {
        for (const int i : {0, 1}) {
            const QPoint shift(ring_.x() - i * size.width(), ring_.y() - j * size.height());
            const QRect piece = area & QRect(-shift, size);
            if (!piece.isEmpty()) {
                part(piece, shift);
            }
        }
    }
}

void PictureView::keepUpToDate(double ratio) {
    const double scale = pixelsPerMm();
    const QSize deviceSize(static_cast<int>(std::ceil(width() * ratio)),
                           static_cast<int>(std::ceil(height() * ratio)));
    const std::size_t painted = paintedSteps_;
    const std::size_t firstNew = plan_.update(picture_);
    planItems_ = picture_.items().size();
    const bool moved = keptArea_ != size() || keptOffset_ != offset_;
    // What the image holds can be moved by whole device pixels when the scale stays; a window
    // that fits the picture renders it whole at every size. An image grown to a larger window
    // is let go when the window shrinks to half its area.
    const bool movable = !fit_ && ratio == std::floor(ratio) &&
                         qint64{kept_.width()} * kept_.height() <=
                             2 * qint64{deviceSize.width()} * deviceSize.height();
    if (stale_ || firstNew != painted || kept_.isNull() || kept_.devicePixelRatio() != ratio ||
        keptScale_ != scale || (moved && !movable)) {
        renderWhole(ratio);
        return;
    }
    if (firstNew < plan_.steps().size()) {
        paintSteps(firstNew);  // where the image stands now, before it moves
    }
    if (!moved) {
        return;
    }
    if (kept_.width() < deviceSize.width() || kept_.height() < deviceSize.height()) {
        // Grown: what is kept is copied into a larger image, unwrapped.
        QImage grown(deviceSize.expandedTo(kept_.size()), QImage::Format_RGB32);
        grown.setDevicePixelRatio(ratio);
        QPainter painter(&grown);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        forEachKeptPart(QRect(QPoint(), keptArea_), [&](QRect piece, QPoint shift) {
            painter.drawImage(piece.topLeft(), kept_, deviceRect(piece.translated(shift), ratio));
        });
        painter.end();
        kept_ = std::move(grown);
        ring_ = {};
    }
    // A scroll moves where the ring starts instead of the pixels; what was not in view before is
    // rendered.
    const QPoint by = keptOffset_ - offset_;
    const QSize ringSize = keptSize();
    ring_ = {((ring_.x() - by.x()) % ringSize.width() + ringSize.width()) % ringSize.width(),
             ((ring_.y() - by.y()) % ringSize.height() + ringSize.height()) % ringSize.height()};
    const QRegion before = QRegion(QRect(by, keptArea_)) & rect();
    keptOffset_ = offset_;
    keptArea_ = size();
    if (const QRegion fresh = QRegion(rect()) - before; !fresh.isEmpty()) {
        renderArea(fresh);
    }
}

void PictureView::renderWhole(double ratio) {
    const QSize deviceSize(static_cast<int>(std::ceil(width() * ratio)),
                           static_cast<int>(std::ceil(height() * ratio)));
    if (kept_.size() != deviceSize) {
        kept_ = QImage(deviceSize, QImage::Format_RGB32);
    }
    kept_.setDevicePixelRatio(ratio);
    keptScale_ = pixelsPerMm();
    keptOffset_ = offset_;
    keptArea_ = size();
    ring_ = {};
    kept_.fill(Qt::white);
    before_.clear();
    renderArea({});
    stale_ = false;
}

void PictureView::renderArea(const QRegion& area) {
    QPainter painter(&kept_);
    const double scale = keptScale_;
    const QPointF corner = cornerOf(keptOffset_, scale);
    const QColor window = palette().color(QPalette::Window);
    const double far =
        (std::max(width(), height()) + std::max(keptOffset_.x(), keptOffset_.y())) / scale + 1.0;
    const auto renderPiece = [&](const QRegion& piece, QPoint shift) {
        painter.save();
        if (!shift.isNull()) {
            painter.translate(shift);
        }
        if (!piece.isEmpty()) {
            painter.setClipRegion(piece);
            painter.fillRect(piece.boundingRect(), Qt::white);
        }
        // Right of and below the surface the window shows through; each pixel is filled once.
        painter.save();
        painter.scale(scale, scale);
        if (!corner.isNull()) {
            painter.translate(corner);
        }
        painter.fillRect(QRectF(kSurface.right(), 0.0, far, far), window);
        painter.fillRect(QRectF(0.0, kSurface.bottom(), far, far), window);
        if (underlay_) {
            painter.save();
            painter.setClipRect(kSurface, Qt::IntersectClip);
            underlay_(painter, scale * kept_.devicePixelRatio());
            painter.restore();
        }
        painter.restore();
        render::paintSurface(painter, plan_, scale, corner);
        painter.restore();
    };
    if (area.isEmpty()) {
        renderPiece({}, ring_);  // all of it: the ring starts at the corner
    } else {
        forEachKeptPart(area.boundingRect(), [&](QRect piece, QPoint shift) {
            if (const QRegion part = area & piece; !part.isEmpty()) {
                renderPiece(part, shift);
            }
        });
    }
    paintedSteps_ = plan_.steps().size();
}

void PictureView::paintSteps(std::size_t firstStep) {
    QPainter painter(&kept_);
    forEachKeptPart(QRect(QPoint(), keptArea_), [&](QRect piece, QPoint shift) {
        painter.save();
        if (!shift.isNull()) {
            // Only the ring's first part may spill over: the others would paint over it.
            painter.translate(shift);
            painter.setClipRect(piece);
        }
        render::paintSurface(painter, plan_, keptScale_, cornerOf(keptOffset_, keptScale_),
                             firstStep);
        painter.restore();
    });
    paintedSteps_ = plan_.steps().size();
}

void PictureView::paintPreview(QPainter& painter, const QRect& exposed) {
    const double scale = pixelsPerMm();
    const double ratio = kept_.devicePixelRatio();
    painter.fillRect(exposed, palette().color(QPalette::Window));
    const QRectF surface(QPointF(-offset_),
                         QSizeF(kSurface.width() * scale, kSurface.height() * scale));
    painter.fillRect(surface & QRectF(exposed), Qt::white);
    // What the image kept at widget point p shows the picture point (p + keptOffset) /
    // keptScale, which is now at (p + keptOffset) · scale / keptScale − offset.
    painter.save();
    painter.setClipRect(exposed);
    painter.translate(-offset_);
    painter.scale(scale / keptScale_, scale / keptScale_);
    painter.translate(keptOffset_);
    forEachKeptPart(QRect(QPoint(), keptArea_), [&](QRect piece, QPoint shift) {
        painter.drawImage(QPointF(piece.topLeft()), kept_,
                          deviceRect(piece.translated(shift), ratio));
    });
    painter.restore();
}

void PictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const double ratio = ratioOf(painter);
    const QRect exposed = event->rect();
    if (previewing(ratio)) {
        paintPreview(painter, exposed);
    } else {
        keepUpToDate(ratio);
        // Rectangle by rectangle: a scroll exposes a strip, a moved child what it uncovers.
        for (const QRect& r : event->region()) {
            forEachKeptPart(r, [&](QRect piece, QPoint shift) {
                painter.drawImage(piece, kept_, deviceRect(piece.translated(shift), ratio));
            });
        }
    }
    if (crosshair_) {
        paintCrosshair(painter, exposed);
    }
    if (!highlight_.empty()) {
        paintHighlight(painter);
    }
}

// Rings around the marks of the rows chosen in the state list, drawn over the picture only.
void PictureView::paintHighlight(QPainter& painter) const {
    constexpr double kRingRadius = 2.5;  // mm, well clear of the 0.7 mm mark
    const double radius = kRingRadius * pixelsPerMm();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 120, 215), 2.0));
    painter.setBrush(Qt::NoBrush);
    for (const chart::PointMm& p : highlight_) {
        painter.drawEllipse(widgetAt(QPointF(p.X, p.Y)), radius, radius);
    }
    painter.restore();
}

void PictureView::setHighlight(std::vector<chart::PointMm> marks) {
    highlight_ = std::move(marks);
    update();
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    if (dragFrom_ && (event->buttons() & Qt::MiddleButton)) {
        scrollTo(dragOffset_ - (event->position().toPoint() - *dragFrom_));
    }
    const QPointF at = pictureAt(event->position());
    emit pointerMoved(static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::MiddleButton || (horizontal_->isHidden() && vertical_->isHidden())) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragFrom_ = event->position().toPoint();
    dragOffset_ = offset_;
    setCursor(Qt::ClosedHandCursor);
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::MiddleButton || !dragFrom_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    dragFrom_.reset();
    unsetCursor();
}

void PictureView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        // One notch (120) is one zoom step; finer wheels take part of a step.
        const int notches = event->angleDelta().y();
        if (notches != 0) {
            setZoom(zoom() * std::pow(kZoomStep, notches / 120.0), event->position());
        }
    } else {
        if (horizontal_->isHidden() && vertical_->isHidden()) {
            event->ignore();
            return;
        }
        QPoint by = event->pixelDelta().isNull() ? event->angleDelta() / 2 : event->pixelDelta();
        if ((event->modifiers() & Qt::ShiftModifier) && by.x() == 0) {
            by = {by.y(), 0};
        }
        scrollTo(offset_ - by);
    }
    event->accept();
    // Another point of the picture is under the pointer now, though the pointer did not move.
    const QPointF at = pictureAt(event->position());
    emit pointerMoved(static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void PictureView::resizeEvent(QResizeEvent*) {
    layOutScrollBars();
    layOutChildren();
}

void PictureView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        stale_ = true;
    }
    QWidget::changeEvent(event);
}

void PictureView::layOutChildren(bool fonts) {
    // Zoomed, the children kept in view stand as they do fitted to the window, moved with the
    // corner they keep from the fitted surface's corner to that of the part in view.
    const double fitted = fittedPixelsPerMm();
    const QSize fittedSurface(static_cast<int>(std::lround(chart::kPictureWidth * fitted)),
                              static_cast<int>(std::lround(chart::kPictureHeight * fitted)));
    const QRect shown = viewport() & QRect(-offset_, surfaceSize());
    for (const KeptInView& kept : keptInView_) {
        const auto placed = std::ranges::find(placements_, kept.widget, &Placement::widget);
        if (fit_ || placed == placements_.end()) {
            continue;
        }
        const double perTwip = fitted / kTwipsPerMm;
        const QRect atFit =
            QRectF(placed->twips.x() * perTwip, placed->twips.y() * perTwip,
                   placed->twips.width() * perTwip, placed->twips.height() * perTwip)
                .toRect();
        const bool right =
            kept.corner == Qt::TopRightCorner || kept.corner == Qt::BottomRightCorner;
        const bool bottom =
            kept.corner == Qt::BottomLeftCorner || kept.corner == Qt::BottomRightCorner;
        const QPoint by(right ? shown.x() + shown.width() - fittedSurface.width() : shown.x(),
                        bottom ? shown.y() + shown.height() - fittedSurface.height() : shown.y());
        // Where the part in view is smaller than the fitted surface, the child's top-left stays
        // in it.
        const QPoint to = atFit.topLeft() + by;
        kept.widget->move(std::max(to.x(), shown.x()), std::max(to.y(), shown.y()));
        kept.widget->resize(atFit.size());
    }
    for (const Placement& p : placements_) {
        const bool onSurface = p.widget->parentWidget() == this;
        const bool kept = !fit_ && keptInViewHolding(p.widget) != nullptr;
        if (!fonts && (!onSurface || kept)) {
            continue;  // a scroll moves only what stands on the surface itself
        }
        const double scale = kept ? fittedPixelsPerMm() : pixelsPerMm();
        const double perTwip = scale / kTwipsPerMm;
        const QRectF r(p.twips.x() * perTwip, p.twips.y() * perTwip, p.twips.width() * perTwip,
                       p.twips.height() * perTwip);
        if (!(kept && onSurface)) {
            p.widget->setGeometry(r.toRect().translated(onSurface ? -offset_ : QPoint()));
        }
        if (!fonts) {
            continue;
        }
        QFont font = p.widget->font();
        const double pixels = p.fontPoints * chart::kMmPerPoint * scale;
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
