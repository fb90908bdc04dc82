#include "cli/humidify_query.h"

#include "chart/number_text.h"
#include "words/messages.h"

namespace cli {

Row humidifyRow(const HumidifierSettings& settings, const std::array<Given, 2>& before,
                const chart::Settings& display) {
    const auto state = solveState(before, display);
    if (!state) {
        return {std::nullopt, state.error()};
    }
    const auto after =
        psychro::humidify({state->x, state->i}, settings.airKgPerHour, settings.kind,
                          settings.waterTemperature, settings.targetPhi, display.atmosphere.ratio);
    if (!after) {
        return {
            std::nullopt,
            message(words::humidifyErrorMessage(after.error(), display.atmosphere.ratio).c_str())};
    }
    const auto full = completeState({after->x, after->i}, display.atmosphere.ratio);
    if (!full || !chart::roundable(after->L, 1)) {  // as the dialog refuses it
        return {std::nullopt, message(words::kNoResult)};
    }
    return {*full, {}, after->L};
}

}  // namespace cli
