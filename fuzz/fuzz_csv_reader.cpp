// The CSV reader with any bytes: a refusal, or a set whose every state is air on the chart
// (t in −50 … 100 °C, x finite and not negative), one time per state where there are times, and a
// report whose counts agree with the states kept.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/readers.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    const auto read = data::readCsv(text, {psychro::PressureRatio::standard(), {}, {}});
    if (!read) {
        return 0;
    }
    const data::DataSet& set = read->set;
    FUZZ_CHECK(read->report.rowsRead == set.states.size() && !set.states.empty(),
               std::string(text));
    FUZZ_CHECK(set.times.empty() || set.times.size() == set.states.size(), std::string(text));
    FUZZ_CHECK(read->report.firstRefused.size() <= data::kKeptRefusals, std::string(text));
    for (const data::DataState& s : set.states) {
        FUZZ_CHECK(s.t >= -50.0F && s.t <= 100.0F && std::isfinite(s.x) && s.x >= 0.0F,
                   std::string(text));
    }
    return 0;
}
