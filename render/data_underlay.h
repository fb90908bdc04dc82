#pragma once

#include <memory>
#include <vector>

#include "data/data_part.h"
#include "render/data_layer_painter.h"
#include "render/picture_painter.h"

// The shown data sets of a piece of work, painted under its chart on screen, on paper and in
// every exported sheet. Each shown set has a painter of its own over the rows its month and
// hour filter keeps; a painter is kept while its set, look and filter stay the same, so that a
// repaint replays what was built (the points' image, the cells) and never walks the rows.
namespace render {

class DataUnderlay {
  public:
    // Brings the painters up to `part`'s shown layers, their rows placed on the chart drawn at
    // `pressure` (placed anew when it changes); false when nothing changed.
    bool follow(const data::DataPart& part, psychro::PressureRatio pressure);
    // Paints the shown layers in order, their legends one under another; empty when none is
    // shown. It holds the painters it needs, so it stays valid whatever follows.
    [[nodiscard]] Underlay underlay() const;

  private:
    struct Painted {
        data::DataLayer layer;
        double pressure;
        std::shared_ptr<const data::DataSet> shown;  // the rows the filter keeps
        std::shared_ptr<DataLayerPainter> painter;
    };
    std::vector<Painted> painted_;
};

}  // namespace render
