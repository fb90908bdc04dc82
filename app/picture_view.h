#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QWidget>
#include <cstddef>
#include <vector>

#include "chart/chart_frame.h"
#include "render/picture_plan.h"

namespace chart {
class Picture;
}

namespace app {

// The chart surface `Picture1`: shows the whole 267 × 189 mm picture scaled uniformly to the
// widget, and reports pointer moves in picture millimetres. Child controls placed on it in
// twips (the readout frame, the pressure label) keep their millimetre places and scale with it.
//
// The rendered picture is kept in an image at the device's pixel ratio, so that a paint event
// only copies what it exposes. The image is rendered anew when the picture has been cleared,
// the size or the pixel ratio has changed; items appended to the picture since the last paint
// (the marks that dialogs add) are painted onto it by themselves.
class PictureView : public QWidget {
    Q_OBJECT
  public:
    PictureView(const chart::Picture& picture, QWidget* parent = nullptr);

    // Device-independent pixels per picture millimetre at the current size.
    [[nodiscard]] double pixelsPerMm() const;

    // Keeps `child` (any descendant) at `twips`, relative to its parent, with its font at
    // `fontPoints` at natural size; both scale with the picture.
    void placeInTwips(QWidget* child, QRectF twips, double fontPoints);

    [[nodiscard]] QSize sizeHint() const override;

    // Shows the picture as it is now, repainting only what changed: call after drawing into it.
    void refresh();

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
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    struct Placement {
        QWidget* widget;
        QRectF twips;
        double fontPoints;
    };
    void layOutChildren();
    // Brings the kept image up to date for a device of pixel ratio `ratio`.
    void keepUpToDate(double ratio);
    // Paints plan steps [firstStep, end) onto the kept image; from step 0 on a blank surface.
    void paintSteps(std::size_t firstStep);

    const chart::Picture& picture_;
    std::vector<Placement> placements_;
    render::PicturePlan plan_;
    QImage kept_;
    std::size_t paintedSteps_ = 0;  // plan steps that the kept image shows
    bool stale_ = true;             // the kept image must be rendered anew
    std::vector<chart::PointMm> highlight_;
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
