#pragma once

#include <cmath>
#include <cstdlib>
#include <string>

#include "chart/chart_frame.h"
#include "chart/number_text.h"
#include "cli/output_format.h"
#include "cli/state_query.h"
#include "fuzz_checks.h"

// What every complete state milten-cli writes must be, in each of its formats.
namespace fuzz {

// A number written in CSV and JSON: finite, its shortest text reading back to itself.
inline void checkShortest(double v, const std::string& detail) {
    FUZZ_CHECK(std::isfinite(v), detail);
    const std::string shortest = cli::shortestText(v);
    FUZZ_CHECK(std::strtod(shortest.c_str(), nullptr) == v, detail + " -> " + shortest);
}

// A complete state within reach of the chart whose table texts are plain numbers and whose
// CSV/JSON numbers read back to themselves.
inline void checkFullState(const cli::FullState& state, const std::string& detail) {
    const double values[] = {state.x, state.i,   state.t, state.tw,
                             state.v, state.phi, state.X, state.Y};
    for (double v : values) {
        checkShortest(v, detail);
    }
    FUZZ_CHECK(chart::withinReach({state.X, state.Y}), detail);
    // The table rounds as the program shows each property; a value it can round has at most 16
    // digits (a state far from any air, t = 1.8e11 with i = 8, may still show t = -2.3e13).
    const std::string table[] = {
        chart::generalText(chart::roundHalfUp(state.x, 5)),
        chart::generalText(chart::roundHalfUp(state.i, 2)),
        chart::generalText(chart::roundHalfEven(state.t, 2)),
        chart::generalText(chart::roundHalfEven(state.tw, 2)),
        chart::generalText(chart::roundHalfEven(state.v, 3)),
        chart::generalText(chart::roundHalfEven(state.phi, 2)),
    };
    for (const std::string& text : table) {
        FUZZ_CHECK(isPlainNumber(text) && text.size() <= 18, detail + " -> " + text);
    }
}

}  // namespace fuzz
