// A line of `milten-cli state` input (NAME=VALUE items from standard input): a reasoned
// refusal, or a complete state within reach of the chart whose table texts are plain numbers
// and whose CSV/JSON numbers read back to themselves.
#include <QString>
#include <cmath>

#include "chart/chart_frame.h"
#include "chart/number_text.h"
#include "cli/output_format.h"
#include "cli/state_query.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString line =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::string detail = line.toStdString();
    const auto pair = cli::readPair(cli::splitItems(line));
    if (!pair) {
        FUZZ_CHECK(!cli::pairErrorMessage(pair.error()).isEmpty(), detail);
        return 0;
    }
    const auto state = cli::solveState(*pair);
    if (!state) {
        FUZZ_CHECK(!state.error().isEmpty(), detail);
        return 0;
    }
    const double values[] = {state->x, state->i,   state->t, state->tw,
                             state->v, state->phi, state->X, state->Y};
    for (double v : values) {
        FUZZ_CHECK(std::isfinite(v), detail);
        // CSV and JSON write the shortest text that reads back to the value.
        const std::string shortest = cli::shortestText(v);
        FUZZ_CHECK(std::strtod(shortest.c_str(), nullptr) == v, detail + " -> " + shortest);
    }
    FUZZ_CHECK(chart::withinReach({state->X, state->Y}), detail);
    // The table rounds as the program shows each property; a value it can round has at most 16
    // digits (a state far from any air, t = 1.8e11 with i = 8, may still show t = -2.3e13).
    const std::string table[] = {
        chart::generalText(chart::roundHalfUp(state->x, 5)),
        chart::generalText(chart::roundHalfUp(state->i, 2)),
        chart::generalText(chart::roundHalfEven(state->t, 2)),
        chart::generalText(chart::roundHalfEven(state->tw, 2)),
        chart::generalText(chart::roundHalfEven(state->v, 3)),
        chart::generalText(chart::roundHalfEven(state->phi, 2)),
    };
    for (const std::string& text : table) {
        FUZZ_CHECK(fuzz::isPlainNumber(text) && text.size() <= 18, detail + " -> " + text);
    }
    return 0;
}
