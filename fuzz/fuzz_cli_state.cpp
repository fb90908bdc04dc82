// A line of `milten-cli state` input (NAME=VALUE items from standard input): a reasoned
// refusal, or a complete state within reach of the chart whose table texts are plain numbers
// and whose CSV/JSON numbers read back to themselves.
#include <QString>

#include "cli/state_query.h"
#include "fuzz_cli_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString line =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::string detail = line.toStdString();
    const auto pair = cli::readPair(cli::splitItems(line));
    if (!pair) {
        FUZZ_CHECK(!cli::pairErrorMessage(pair.error()).isEmpty(), detail);
        return 0;
    }
    const auto state = cli::solveState(*pair, chart::Settings::standard());
    if (!state) {
        FUZZ_CHECK(!state.error().isEmpty(), detail);
        return 0;
    }
    fuzz::checkFullState(*state, detail);
    return 0;
}
