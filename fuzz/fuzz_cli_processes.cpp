// A line of `milten-cli mix`, `cool` or `heat` input, with air quantities and a final
// temperature the command line accepted: a reasoned refusal, or a row whose load is a finite
// number written whole in the table, and whose state is one `state` could write.
#include <QString>
#include <cmath>
#include <string>

#include "chart/number_text.h"
#include "cli/process_query.h"
#include "fuzz_cli_checks.h"
#include "psychro/processes.h"

namespace {

// A load: finite, whole in the table as the dialogs write it, in full in CSV and JSON.
void checkLoad(const cli::Row& row, const std::string& detail) {
    FUZZ_CHECK(row.load.has_value(), detail);
    fuzz::checkShortest(*row.load, detail);
    const std::string text = chart::loadText(*row.load);
    FUZZ_CHECK(fuzz::isPlainNumber(text) && fuzz::decimalsOf(text) == 0 && text != "-0" &&
                   text.size() <= 17,
               detail + " -> " + text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int command = input.ConsumeIntegralInRange(0, 2);
    const double first = fuzz::rawDouble(input);
    const double second = fuzz::rawDouble(input);
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QString line = QString::fromUtf8(rest.data(), static_cast<qsizetype>(rest.size()));
    const std::string detail =
        std::to_string(command) + " " + fuzz::show(first, second) + " " + rest;

    if (command == 2) {  // heat --air=first --to=second
        if (!(first >= 0.0) || !std::isfinite(second)) {
            return 0;  // refused on the command line
        }
        const auto pair = cli::readPair(cli::splitItems(line));
        if (!pair) {
            return 0;  // the reader `state` uses, fuzzed there
        }
        const cli::Row row = cli::heatRow({first, second}, *pair, chart::Settings::standard());
        if (!row.error.isEmpty()) {
            return 0;
        }
        FUZZ_CHECK(row.state.has_value(), detail);
        fuzz::checkFullState(*row.state, detail);
        checkLoad(row, detail);
        return 0;
    }

    const auto states = cli::readTwoStates(line);
    if (!states) {
        const auto& error = states.error();
        FUZZ_CHECK(error.state >= 0 && error.state <= 2, detail);
        FUZZ_CHECK(!cli::twoStatesErrorMessage(error).isEmpty(), detail);
        return 0;
    }
    const auto kept = psychro::keptAirQuantity(first);
    if (!kept) {
        return 0;  // refused on the command line
    }
    if (command == 0) {  // mix --air1=first --air2=second
        if (!(second > 0.0)) {
            return 0;
        }
        const cli::Row row = cli::mixRow({*kept, second}, *states, chart::Settings::standard());
        if (row.error.isEmpty()) {
            FUZZ_CHECK(row.state.has_value(), detail);
            fuzz::checkFullState(*row.state, detail);
        }
        return 0;
    }
    const cli::Row row =
        cli::coolRow(*kept, *states, chart::Settings::standard());  // cool --air=first
    if (row.error.isEmpty()) {
        FUZZ_CHECK(!row.state.has_value(), detail);
        checkLoad(row, detail);
    }
    return 0;
}
