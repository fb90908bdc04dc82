#include "render/data_underlay.h"

#include <QColor>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace render {

bool DataUnderlay::follow(const data::DataPart& part, psychro::PressureRatio pressure) {
    std::vector<Painted> next;
    for (const data::DataLayer& layer : part.layers) {
        if (!layer.shown || !layer.set) {
            continue;
        }
        const auto same = std::find_if(painted_.begin(), painted_.end(), [&](const Painted& p) {
            return p.layer == layer && p.pressure == pressure.value();
        });
        if (same != painted_.end()) {
            next.push_back(*same);
            continue;
        }
        auto shown =
            layer.filter.keepsAll()
                ? layer.set
                : std::make_shared<const data::DataSet>(data::filtered(*layer.set, layer.filter));
        const QColor colour(static_cast<QRgb>(0xFF000000U | layer.colour));
        auto painter = std::make_shared<DataLayerPainter>(
            *shown, layer.style, colour, pressure,
            QString::fromStdString(data::filterText(layer.filter)));
        next.push_back({layer, pressure.value(), std::move(shown), std::move(painter)});
    }
    const bool changed =
        next.size() != painted_.size() ||
        !std::equal(next.begin(), next.end(), painted_.begin(),
                    [](const Painted& a, const Painted& b) { return a.painter == b.painter; });
    painted_ = std::move(next);
    return changed;
}

Underlay DataUnderlay::underlay() const {
    if (painted_.empty()) {
        return {};
    }
    return [painted = painted_](QPainter& painter, double dotsPerMm) {
        double legendTop = 0.0;
        for (const Painted& p : painted) {
            legendTop = p.painter->paint(painter, dotsPerMm, legendTop);
        }
    };
}

}  // namespace render
