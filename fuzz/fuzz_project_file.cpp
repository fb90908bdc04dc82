// The project-file reader with any bytes: a refusal, or a whole work whose every mark lies
// within the chart's reach, every number finite, every entry whole, beside a data part within
// its bounds whose every row is finite air and every zone valid; written again and read back,
// both are themselves (so no half-read file ever reaches the chart).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "chart/marked_work.h"
#include "chart/picture.h"
#include "data/data_archive.h"
#include "files/project_document.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = files::readProject(bytes);
    if (!read) {
        return 0;
    }
    for (const chart::Entry& e : read->work.entries) {
        FUZZ_CHECK(e.states.size() == chart::stateCount(e.kind), std::string(bytes));
        FUZZ_CHECK(!chart::needsLine(e.kind) || e.lineFrom.has_value(), std::string(bytes));
        for (const chart::MarkedState& s : e.states) {
            FUZZ_CHECK(chart::withinReach(s.at), std::string(bytes));
            FUZZ_CHECK(std::isfinite(s.x) && std::isfinite(s.i), std::string(bytes));
        }
        for (const auto& v : e.inputs) {
            FUZZ_CHECK(std::isfinite(v.value), v.name);
        }
        for (const auto& v : e.results) {
            FUZZ_CHECK(std::isfinite(v.value), v.name);
        }
    }
    FUZZ_CHECK(read->data.layers.size() <= data::kArchiveMaxLayers, std::string(bytes));
    FUZZ_CHECK(read->data.zones.size() <= data::kArchiveMaxZones, std::string(bytes));
    for (const data::DataLayer& layer : read->data.layers) {
        const data::DataSet& set = *layer.set;
        FUZZ_CHECK(set.times.empty() || set.times.size() == set.states.size(), std::string(bytes));
        for (const data::DataState& s : set.states) {
            FUZZ_CHECK(std::isfinite(s.t) && std::isfinite(s.x) && s.x >= 0.0F, std::string(bytes));
        }
    }
    for (const data::Zone& zone : read->data.zones) {
        FUZZ_CHECK(data::zoneValid(zone), std::string(bytes));
    }
    const auto again = files::readProject(files::projectText(read->work, read->data));
    FUZZ_CHECK(
        again.has_value() && again->work == read->work && data::sameData(again->data, read->data),
        std::string(bytes));
    chart::Picture picture;
    chart::MarkedWork marksOnly = read->work;
    marksOnly.chartDrawn = false;  // the chart itself is the chart drawing's to test
    chart::drawWork(picture, marksOnly, psychro::PressureRatio::standard(),
                    chart::Units::Engineering);
    return 0;
}
