#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

#include "chart/chart_frame.h"
#include "data/data_layer.h"
#include "data/data_set.h"

class QPainter;

// A data set painted under the chart's lines: its points or its hours per cell with their
// legend. Built once; painting replays what was built
// (the points as an image made once for a resolution), never the rows one by one.
namespace render {

class DataLayerPainter {
  public:
    // The rows placed on the chart drawn at `pressure`; `note`: what the legend says after the
    // set's name (the months and hours it keeps).
    DataLayerPainter(const data::DataSet& set, data::LayerStyle style, QColor colour,
                     psychro::PressureRatio pressure, QString note);

    // Paints on a painter whose units are picture millimetres, `dotsPerMm` device pixels each.
    // The points' image is made for that resolution, at most 300 dots per inch, and kept. The
    // legend stands `legendShiftMm` below its place (under the legends of the sets painted
    // before); returns the shift for the next set's legend.
    double paint(QPainter& painter, double dotsPerMm, double legendShiftMm = 0.0);

    // The points style's image for a resolution (transparent, the dots in the set's colour).
    [[nodiscard]] QImage pointsImage(double dotsPerMm);

  private:
    void paintCells(QPainter& painter) const;
    // Returns the legend's height in mm.
    double paintLegend(QPainter& painter, double shiftMm) const;

    const data::DataSet& set_;
    data::LayerStyle style_;
    QColor colour_;
    std::vector<data::DataState> placed_;  // the points style's
    QString note_;
    data::HourCells cells_;
    QImage points_;
    double pointsDotsPerMm_ = 0.0;
};

// The shade of a cell holding `count` of at most `most`: from a pale yellow for one row to a
// deep red for the most.
[[nodiscard]] QColor cellShade(std::uint32_t count, std::uint32_t most);

}  // namespace render
