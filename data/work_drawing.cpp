#include "data/work_drawing.h"

#include "chart/chart_drawing.h"
#include "data/data_layer.h"

namespace data {

std::vector<chart::PictureMark> drawWork(chart::Picture& picture, const chart::MarkedWork& work,
                                         const std::vector<Zone>& zones,
                                         const chart::Settings& settings) {
    if (work.chartDrawn) {
        chart::drawChart(picture, settings.atmosphere.ratio, settings.units);  // clears first
    } else {
        picture.clear();
    }
    drawZones(picture, zones, settings.atmosphere.ratio);
    std::vector<chart::PictureMark> starts;
    starts.reserve(work.entries.size());
    for (const chart::Entry& entry : work.entries) {
        starts.push_back(picture.mark());
        chart::drawEntry(picture, entry);
    }
    return starts;
}

}  // namespace data
