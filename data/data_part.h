#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/data_layer.h"
#include "data/data_set.h"
#include "data/readers.h"
#include "data/zones.h"

// The measured and weather data of a piece of work: the data sets laid under the chart and the
// zones counted over them. A set's rows are read once and never change; every copy of the work
// and every step of its history shares them.
namespace data {

// Colours that tell data sets apart, to colour-blind eyes too: Okabe and Ito's palette without
// its black (the chart's own lines are black), its yellow last, being the palest on white.
inline constexpr std::array<std::uint32_t, 7> kSetColours{0x0072B2, 0xE69F00, 0x009E73, 0xD55E00,
                                                          0xCC79A7, 0x56B4E9, 0xF0E442};

struct DataLayer {
    std::shared_ptr<const DataSet> set;  // never null
    std::string path;                    // the file it was read from, UTF-8; may have moved
    LayerStyle style = LayerStyle::Points;
    std::uint32_t colour = kSetColours[0];  // 0xRRGGBB
    bool shown = true;
    TimeFilter filter;  // the months and hours shown and counted (dated sets)
    // A CSV/TSV set: what it was read with (for 列の指定...), and whether its date column held
    // no date it could read. Not kept in the project file.
    std::optional<CsvChoice> readWith{};
    bool datesUnread = false;

    bool operator==(const DataLayer&) const = default;
};

struct DataPart {
    std::vector<DataLayer> layers;
    std::vector<Zone> zones;

    [[nodiscard]] bool empty() const { return layers.empty() && zones.empty(); }
    bool operator==(const DataPart&) const = default;
};

// The colour for a set joining `part`: the first of kSetColours no set has, else the palette
// round again.
[[nodiscard]] inline std::uint32_t nextSetColour(const DataPart& part) {
    for (const std::uint32_t colour : kSetColours) {
        if (std::none_of(part.layers.begin(), part.layers.end(),
                         [colour](const DataLayer& l) { return l.colour == colour; })) {
            return colour;
        }
    }
    return kSetColours[part.layers.size() % kSetColours.size()];
}

}  // namespace data
