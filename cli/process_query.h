#pragma once

#include <array>

#include "cli/output_format.h"
#include "cli/state_query.h"

// Mixing, cooling and heating from the command line, by the computation of the mixing and
// cooling dialog and of the heating dialog (psychro/processes.h). The states are read and
// completed with the units and pressure of `display` (solveState); loads are in kcal/h.
namespace cli {

// The two air quantities of a mixing, kg/h; the first kept in single precision as the dialog
// keeps its point 1 (psychro::keptAirQuantity).
struct MixSettings {
    float firstKgPerHour;
    double secondKgPerHour;  // above 0
};

// The mixing point of the two states as a complete state, or the Japanese message why there is
// none: a state's own message, or the dialog's "cannot compute" for a mixing point beyond the
// chart's reach.
[[nodiscard]] Row mixRow(const MixSettings& settings, const TwoStates& states,
                         const chart::Settings& display);

// The cooling load (i1 − i2)·G kcal/h of G kg/h (kept in single precision, as the dialog keeps
// it with point 1) brought from the first state to the second, or the Japanese message why
// there is none: a state's own message, or "cannot compute" for a load too large to write.
[[nodiscard]] Row coolRow(float airKgPerHour, const TwoStates& states,
                          const chart::Settings& display);

// The air quantity and the temperature after heating.
struct HeatSettings {
    double airKgPerHour;      // G ≥ 0, kg/h
    double finalTemperature;  // t2, °C
};

// The heating load and the complete state after heating at the humidity of `before`, or the
// Japanese message why there is none: the state's own message, or "cannot compute" for a state
// after heating beyond the chart's reach or a load too large to write.
[[nodiscard]] Row heatRow(const HeatSettings& settings, const std::array<Given, 2>& before,
                          const chart::Settings& display);

}  // namespace cli
