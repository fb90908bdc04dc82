#pragma once

#include <QRectF>
#include <QWidget>
#include <vector>

namespace chart {
class Picture;
}

namespace app {

// The chart surface `Picture1`: shows the whole 267 × 189 mm picture scaled uniformly to the
// widget, and reports pointer moves in picture millimetres. Child controls placed on it in
// twips (the readout frame, the pressure label) keep their millimetre places and scale with it.
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

  signals:
    // The pointer moved to (X, Y) picture millimetres, in single precision.
    void pointerMoved(float X, float Y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Placement {
        QWidget* widget;
        QRectF twips;
        double fontPoints;
    };
    void layOutChildren();

    const chart::Picture& picture_;
    std::vector<Placement> placements_;
};

}  // namespace app
