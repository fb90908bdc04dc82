#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/data_layer.h"
#include "data/data_set.h"
#include "data/zones.h"

// The measured and weather data of a piece of work: the data sets laid under the chart and the
// zones counted over them. A set's rows are read once and never change; every copy of the work
// and every step of its history shares them.
namespace data {

struct DataLayer {
    std::shared_ptr<const DataSet> set;  // never null
    std::string path;                    // the file it was read from, UTF-8; may have moved
    LayerStyle style = LayerStyle::Points;
    std::uint32_t colour = 0x1F77B4;  // 0xRRGGBB
    bool shown = true;
    TimeFilter filter;  // the months and hours shown and counted (dated sets)

    bool operator==(const DataLayer&) const = default;
};

struct DataPart {
    std::vector<DataLayer> layers;
    std::vector<Zone> zones;

    [[nodiscard]] bool empty() const { return layers.empty() && zones.empty(); }
    bool operator==(const DataPart&) const = default;
};

}  // namespace data
