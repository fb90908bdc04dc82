// The project-file reader with any bytes: a refusal, or a whole work whose every mark lies
// within the chart's reach, every number finite, every entry whole; written again and read
// back, it is itself (so no half-read file ever reaches the chart).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "chart/marked_work.h"
#include "chart/picture.h"
#include "chart/project_file.h"
#include "data/work_drawing.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = chart::readProject(bytes);
    if (!read) {
        return 0;
    }
    for (const chart::Entry& e : read->entries) {
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
    const auto again = chart::readProject(chart::writeProject(*read));
    FUZZ_CHECK(again.has_value() && *again == *read, std::string(bytes));
    chart::Picture picture;
    chart::MarkedWork marksOnly = *read;
    marksOnly.chartDrawn = false;  // the chart itself is the chart drawing's to test
    (void)data::drawWork(picture, marksOnly, {}, chart::Settings::standard());
    return 0;
}
