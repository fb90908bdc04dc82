#include "cli/process_query.h"

#include "chart/number_text.h"
#include "psychro/processes.h"
#include "words/messages.h"

namespace cli {
namespace {

// The two states completed, or the first one's refusal.
std::expected<std::array<FullState, 2>, QString> solveBoth(const TwoStates& states,
                                                           const chart::Settings& display) {
    const auto first = solveState(states[0], display);
    if (!first) {
        return std::unexpected(first.error());
    }
    const auto second = solveState(states[1], display);
    if (!second) {
        return std::unexpected(second.error());
    }
    return std::array<FullState, 2>{*first, *second};
}

Row noResult() {
    return {std::nullopt, message(words::kNoResult)};
}

}  // namespace

Row mixRow(const MixSettings& settings, const TwoStates& states, const chart::Settings& display) {
    const auto both = solveBoth(states, display);
    if (!both) {
        return {std::nullopt, both.error()};
    }
    const auto& [first, second] = *both;
    const auto kept = psychro::keepStream({first.x, first.i}, settings.firstKgPerHour);
    if (!kept) {
        return noResult();
    }
    const psychro::Mixed mixed =
        psychro::mixStreams(*kept, {second.x, second.i}, settings.secondKgPerHour);
    const auto full = completeState({mixed.x, mixed.i}, display.atmosphere.ratio);
    if (!full) {
        return noResult();
    }
    return {*full, {}};
}

Row coolRow(float airKgPerHour, const TwoStates& states, const chart::Settings& display) {
    const auto both = solveBoth(states, display);
    if (!both) {
        return {std::nullopt, both.error()};
    }
    const auto& [first, second] = *both;
    const auto kept = psychro::keepStream({first.x, first.i}, airKgPerHour);
    if (!kept) {
        return noResult();
    }
    const double load = psychro::coolingLoad(*kept, second.i);
    if (!chart::roundable(load, 0)) {  // as the dialog refuses it
        return noResult();
    }
    return {std::nullopt, {}, std::nullopt, load};
}

Row heatRow(const HeatSettings& settings, const std::array<Given, 2>& before,
            const chart::Settings& display) {
    const auto state = solveState(before, display);
    if (!state) {
        return {std::nullopt, state.error()};
    }
    const psychro::Heated heated =
        psychro::heatTo({state->x, state->i}, settings.airKgPerHour, settings.finalTemperature);
    const auto full = completeState({state->x, heated.i}, display.atmosphere.ratio);
    if (!full || !chart::roundable(heated.Q, 0)) {
        return noResult();
    }
    // "Heating" below the dew point would leave more vapour than the air can hold.
    if (!psychro::isAirState({state->x, heated.i}, display.atmosphere.ratio)) {
        return {std::nullopt, message(words::kNoAirState)};
    }
    return {*full, {}, std::nullopt, heated.Q};
}

}  // namespace cli
