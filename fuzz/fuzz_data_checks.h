#pragma once

#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

#include "data/readers.h"
#include "fuzz_checks.h"

// What the targets of both data readers check of a read: a refusal, or a set whose every state
// is air on the chart (t in −50 … 100 °C, x finite and not negative), one time per state where
// there are times, and a report whose counts agree with the states kept. `read` is made with a
// progress hook (progressHook) that never stops it, `plain` without one: they agree.
namespace fuzz {

// A hook that checks it hears of a growing count of bytes within the text, and never stops.
class ProgressCheck {
  public:
    explicit ProgressCheck(std::string_view text) : text_(text) {}
    [[nodiscard]] data::ReadProgress hook() {
        return [this](std::size_t done, std::size_t total) {
            FUZZ_CHECK(done >= heard_ && done <= total, std::string(text_));
            heard_ = done;
            return true;
        };
    }

  private:
    std::string_view text_;
    std::size_t heard_ = 0;
};

template <typename Read>
void checkDataRead(std::string_view text, const Read& read, const Read& plain) {
    const std::string shown(text);
    FUZZ_CHECK(read.has_value() == plain.has_value(), shown);
    if (!read) {
        FUZZ_CHECK(read.error().failure == plain.error().failure, shown);
        return;
    }
    FUZZ_CHECK(read->set.rows() == plain->set.rows(), shown);
    const data::DataSet& set = read->set;
    FUZZ_CHECK(read->report.rowsRead == set.rows() && set.rows() != 0, shown);
    FUZZ_CHECK(set.times.empty() || set.times.size() == set.rows(), shown);
    FUZZ_CHECK(set.pressures.size() <= 1 || set.pressures.size() == set.rows(), shown);
    FUZZ_CHECK(read->report.firstRefused.size() <= data::kKeptRefusals, shown);
    // Every row was air at the pressure it was read at (the standard one here, or its own).
    for (const data::DataState& s : data::placedStates(set, psychro::PressureRatio::standard())) {
        FUZZ_CHECK(s.t >= -50.01F && s.t <= 100.01F && std::isfinite(s.x) && s.x >= 0.0F, shown);
    }
}

}  // namespace fuzz
