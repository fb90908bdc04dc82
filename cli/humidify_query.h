#pragma once

#include <array>

#include "cli/output_format.h"
#include "cli/state_query.h"
#include "psychro/humidifying.h"

// Sizing a humidifier from the command line, by the humidifying dialog's computation.
namespace cli {

// The humidifier and the humidity to reach, the same for every state of a batch.
struct HumidifierSettings {
    psychro::Humidifier kind;
    double waterTemperature;  // °C, of the steam or of the spray water
    double airKgPerHour;      // G, kg/h
    double targetPhi;         // relative humidity after humidifying, %
};

// The humidify row for the air the pair gives: the water L (kg/h) and the complete state after
// humidifying, or the Japanese message why there is none: the state's own message, the
// humidifying dialog's refusals, and its "cannot compute" for a state after that lies beyond
// the chart's reach. The state is read and humidified with the units and pressure of `display`.
[[nodiscard]] Row humidifyRow(const HumidifierSettings& settings,
                              const std::array<Given, 2>& before, const chart::Settings& display);

}  // namespace cli
