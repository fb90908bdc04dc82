#include "cli/humidify_query.h"

#include "chart/number_text.h"
#include "words/messages.h"

namespace cli {

Row humidifyRow(const HumidifierSettings& settings, const std::array<Given, 2>& before) {
    const auto state = solveState(before);
    if (!state) {
        return {std::nullopt, state.error()};
    }
    const auto after = psychro::humidify({state->x, state->i}, settings.airKgPerHour, settings.kind,
                                         settings.waterTemperature, settings.targetPhi);
    if (!after) {
        return {std::nullopt, message(words::humidifyErrorText(after.error()))};
    }
    const auto full = completeState({after->x, after->i});
    if (!full || !chart::roundable(after->L, 1)) {  // as the dialog refuses it
        return {std::nullopt, message(words::kNoResult)};
    }
    return {*full, {}, after->L};
}

}  // namespace cli
