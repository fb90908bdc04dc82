// The CSV reader with any bytes: a refusal, or a set whose every state is air on the chart
// (t in −50 … 100 °C, x finite and not negative), one time per state where there are times, and a
// report whose counts agree with the states kept. A progress hook hears of a growing count of
// bytes within the text, and one that never stops the read changes nothing.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/readers.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    std::size_t heard = 0;
    const data::ReadProgress progress = [&](std::size_t done, std::size_t total) {
        FUZZ_CHECK(done >= heard && done <= total, std::string(text));
        heard = done;
        return true;
    };
    const auto read = data::readCsv(text, {psychro::PressureRatio::standard(), {}, {}, progress});
    const auto plain = data::readCsv(text, {psychro::PressureRatio::standard(), {}, {}});
    FUZZ_CHECK(read.has_value() == plain.has_value(), std::string(text));
    if (!read) {
        FUZZ_CHECK(read.error().failure == plain.error().failure, std::string(text));
        return 0;
    }
    FUZZ_CHECK(read->set.states.size() == plain->set.states.size(), std::string(text));
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
