#pragma once

#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstddef>
#include <variant>
#include <vector>

#include "chart/paint_runs.h"

class QPainter;

namespace chart {
class Picture;
}

namespace render {

// What a replay of a display list paints, worked out once from the list: the steps of
// chart::PaintRuns (runs of line steps joined and thinned, repeated texts left out) with each
// run painted as its few straight segments with one pen, and each text's font and glyphs.
// The plan follows a picture that only grows: items appended later become steps appended at
// the end, so a view can paint just those onto what it has already painted.
class PicturePlan {
  public:
    struct Polyline {
        std::vector<QPointF> points;  // mm
        int colour;
        int widthPx;
        bool dashed = false;
    };
    struct Circle {
        QPointF centre;
        double radius;  // mm
        int colour;
        int widthPx;
    };
    struct Text {
        QPointF position;  // top-left corner of the cell, mm
        QString text;
        double emMm;
        int angleDeg;
        // The glyphs as last laid out for a raster device: shaping a text costs more than
        // painting its glyphs. A view paints at one size many times, and the font's em is set
        // in whole pixels, so a live resize mostly meets the same layout again.
        struct Glyphs {
            double emDots = -1.0;
            int pixelSize = 0;  // of the font the runs were laid out in
            int dotsPerInch = 0;
            QList<QGlyphRun> runs;
            double ascent = 0.0;
        };
        mutable Glyphs glyphs;
    };
    using Step = std::variant<Polyline, Circle, Text>;

    PicturePlan() = default;
    explicit PicturePlan(const chart::Picture& picture) { update(picture); }

    // Brings the plan up to date with `picture` and returns the index of the first step that a
    // painter has not seen yet. Items appended since the last update become new steps; where
    // the picture was cleared, or the first appended item continues the last polyline (which
    // has been painted already), the plan is made anew and the answer is 0.
    std::size_t update(const chart::Picture& picture);

    [[nodiscard]] const std::vector<Step>& steps() const { return steps_; }

    // Paints steps [firstStep, end) on a painter in picture millimetres.
    void paint(QPainter& painter, std::size_t firstStep = 0) const;

    // A rectangle (mm) that holds all the ink of steps [firstStep, end), antialiased edges
    // included at any scale of at least one pixel per millimetre.
    [[nodiscard]] QRectF inkBounds(std::size_t firstStep) const;

  private:
    void append(std::vector<chart::PaintStep> steps);
    // The ink rectangle of one step, worked out once.
    [[nodiscard]] const QRectF& inkOf(std::size_t step) const;

    std::vector<Step> steps_;
    mutable std::vector<QRectF> ink_;  // of steps_[0 … ink_.size())
    chart::PaintRuns runs_;
};

}  // namespace render
