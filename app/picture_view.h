#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "chart/chart_frame.h"
#include "render/picture_painter.h"
#include "render/picture_plan.h"

class QScrollBar;

namespace chart {
class Picture;
}

namespace app {

// The form's font size, points at natural size, of the controls placed on the surface.
inline constexpr double kFormFontPoints = 9.0;

// The chart surface `Picture1`: shows the 267 × 189 mm picture and reports pointer moves in
// picture millimetres. Child controls placed on it in twips (the readout frame, the pressure
// label) keep their millimetre places on the surface and scale with it.
//
// At first the whole picture is scaled uniformly to the widget ("fit to window"). It can also be
// shown at a zoom of its own, 1 being natural size (96 logical pixels per inch); then scroll bars
// and a middle-button drag move it when it is larger than the widget, and Ctrl+wheel zooms about
// the pointer.
//
// The rendered picture is kept in an image of the widget's size at the device's pixel ratio, so
// that a paint event only copies what it exposes; the image never grows beyond the widget,
// whatever the zoom. It is rendered anew when the picture has been cleared, or the scale or the
// pixel ratio has changed; items appended to the picture since the last paint (the marks that
// dialogs add) are painted onto it by themselves; a scroll, or a resize at a zoom of its own,
// moves what it shows and renders only what comes into view. A zoom step first shows the kept
// image scaled and renders sharp once the steps pause.
class PictureView : public QWidget {
    Q_OBJECT
  public:
    static constexpr double kMinZoom = 0.25;
    static constexpr double kMaxZoom = 8.0;
    static constexpr double kZoomStep = 1.25;
    // How long zoom steps may pause before the picture is rendered sharp at the new scale.
    static constexpr int kSettleMs = 150;

    PictureView(const chart::Picture& picture, QWidget* parent = nullptr);

    // Device-independent pixels per picture millimetre at the current size and zoom.
    [[nodiscard]] double pixelsPerMm() const;
    // pixelsPerMm() relative to natural size.
    [[nodiscard]] double zoom() const;
    [[nodiscard]] bool fitsWindow() const { return fit_; }

    // The whole surface scaled to the widget, as at start-up; the scale follows the widget's size.
    void fitToWindow();
    // A zoom of its own, bounded to kMinZoom … kMaxZoom, keeping the picture point under `anchor`
    // (widget pixels) where it is; without an anchor, the middle of what is shown.
    void setZoom(double zoom, std::optional<QPointF> anchor = std::nullopt);
    void zoomIn() { setZoom(zoom() * kZoomStep); }
    void zoomOut() { setZoom(zoom() / kZoomStep); }

    // Widget pixels by which the surface is scrolled to the left and up (0, 0 at fit to window).
    [[nodiscard]] QPoint scrollOffset() const { return offset_; }
    // Scrolls so that `offset` is the scroll offset, as far as the surface reaches.
    void scrollTo(QPoint offset);
    // The part of the widget that shows the surface (the widget less its scroll bars).
    [[nodiscard]] QRect viewport() const;

    // The picture point (mm) under widget position `at`, and the widget position of a point.
    [[nodiscard]] QPointF pictureAt(QPointF at) const;
    [[nodiscard]] QPointF widgetAt(QPointF mm) const;

    // A cross-hair drawn over the picture through `mm` (not part of the picture), or none.
    void setCrosshair(std::optional<QPointF> mm);
    // Scrolls, as far as the surface reaches, so that the picture point `mm` is in view with a
    // margin around it.
    void ensureVisible(QPointF mm);
    [[nodiscard]] std::optional<QPointF> crosshair() const { return crosshair_; }

    // Renders a zoom that is still shown from the scaled image sharp at the next paint.
    void settle();

    // Keeps `child` (any descendant) at `twips`, relative to its parent, with its font at
    // `fontPoints` at natural size; both scale with the picture. Placing a child again moves it.
    void placeInTwips(QWidget* child, QRectF twips, double fontPoints);
    // Keeps `child`, placed on the surface itself, in view at every zoom and scroll of its own:
    // there it has the size (and the contents) the start view gives it and stands as far from
    // `corner` of the part of the surface in view as it stands from that corner of the surface
    // fitted to the window. Fitted to the window it stands at its place on the surface.
    void keepInView(QWidget* child, Qt::Corner corner);

    [[nodiscard]] QSize sizeHint() const override;

    // Shows the picture as it is now, repainting only what changed: call after drawing into it.
    void refresh();
    // Shows the picture after its last items were cut off back to where they began (an undo of
    // the last marks): the image kept from before they were painted is shown again when it
    // still fits, rather than the whole picture rendered anew. The images from before the last
    // few additions are kept (as many as kBeforeBytes holds, at least one), so that undos in a
    // row cost no more than one.
    void refreshCut();
    static constexpr qsizetype kBeforeBytes = qsizetype{48} << 20;

    // What is painted under the picture, over its white ground (the data sets); none when
    // empty. The picture is rendered anew with it.
    void setUnderlay(render::Underlay underlay);

    // Rings drawn over the picture around the given marks (picture mm), to point them out;
    // the picture itself is untouched. Empty: none.
    void setHighlight(std::vector<chart::PointMm> marks);
    [[nodiscard]] const std::vector<chart::PointMm>& highlight() const { return highlight_; }

  signals:
    // The pointer moved to (X, Y) picture millimetres, in single precision.
    void pointerMoved(float X, float Y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    struct Placement {
        QWidget* widget;
        QRectF twips;
        double fontPoints;
    };
    // Places the children for the current scale (with their fonts when `fonts`) and offset.
    void layOutChildren(bool fonts = true);
    // The child kept in view that `widget` is or lies in, or nullptr.
    [[nodiscard]] QWidget* keptInViewHolding(const QWidget* widget) const;
    // Device-independent pixels per picture millimetre fitted to the window.
    [[nodiscard]] double fittedPixelsPerMm() const;
    // Shows or hides the scroll bars for the current scale and keeps the offset within reach.
    void layOutScrollBars();
    [[nodiscard]] QPoint clamped(QPoint offset) const;
    [[nodiscard]] QSize surfaceSize() const;  // of the surface at the current scale, pixels

    // Whether a paint shows the kept image scaled, waiting for the sharp render.
    [[nodiscard]] bool previewing(double ratio) const;
    void paintPreview(QPainter& painter, const QRect& exposed);
    void paintCrosshair(QPainter& painter, const QRect& exposed) const;
    void paintHighlight(QPainter& painter) const;
    [[nodiscard]] QRegion crosshairRegion() const;

    // Brings the kept image up to date for a device of pixel ratio `ratio`.
    void keepUpToDate(double ratio);
    // Renders the whole kept image anew at the current scale and offset.
    void renderWhole(double ratio);
    // Renders the part `area` (widget pixels) of the kept image anew; all of it when empty.
    void renderArea(const QRegion& area);
    // The kept image is a ring: widget point p is kept at p + ring_, wrapped around its size.
    // Calls `part` with each piece of `area` (widget pixels) that lies in one piece in the image
    // and the shift from the widget to the image there.
    void forEachKeptPart(const QRect& area, const std::function<void(QRect, QPoint)>& part) const;
    [[nodiscard]] QSize keptSize() const;  // widget pixels
    // Paints plan steps [firstStep, end) onto the kept image.
    void paintSteps(std::size_t firstStep);

    const chart::Picture& picture_;
    std::vector<Placement> placements_;
    struct KeptInView {
        QWidget* widget;
        Qt::Corner corner;
    };
    std::vector<KeptInView> keptInView_;
    render::PicturePlan plan_;
    QImage kept_;
    std::size_t paintedSteps_ = 0;  // plan steps that the kept image shows
    std::size_t planItems_ = 0;     // picture items the plan was last brought up to
    // The kept image as it was before items were painted onto it, and what it held.
    struct Before {
        QImage image;
        std::size_t items;
        double scale;
        QPoint offset;
        QSize area;
        QPoint ring;
    };
    std::vector<Before> before_;  // from before the last additions, the latest last
    bool stale_ = true;           // the kept image must be rendered anew
    double keptScale_ = 0.0;      // pixels per mm of the kept image
    QPoint keptOffset_;           // scroll offset of the kept image
    QSize keptArea_;              // widget size the kept image holds
    QPoint ring_;                 // where widget point (0, 0) is kept

    bool fit_ = true;
    double zoom_ = 1.0;  // when not fit_
    QPoint offset_;
    QScrollBar* horizontal_ = nullptr;
    QScrollBar* vertical_ = nullptr;
    QTimer settle_;
    std::optional<QPoint> dragFrom_;  // where a middle-button drag started
    QPoint dragOffset_;
    std::optional<QPointF> crosshair_;
    std::vector<chart::PointMm> highlight_;
    render::Underlay underlay_;
};

// A form's client area holding a picture view at a fixed place, given in twips of the screen
// (1440 per logical inch); the view takes the rest of the area.
class FormArea : public QWidget {
    Q_OBJECT
  public:
    FormArea(PictureView* view, QPointF twips, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    [[nodiscard]] QPoint offset() const;

    PictureView* view_;
    QPointF twips_;
};

}  // namespace app
