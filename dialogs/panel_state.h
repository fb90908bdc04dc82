#pragma once

#include <expected>

#include "chart/chart_frame.h"
#include "chart/settings.h"
#include "psychro/air_state.h"

namespace dialogs {

class Messenger;
class StateInputPanel;

// Why `ih` completed no state from the panel.
enum class PanelFailure {
    NoPair,   // the panel does not hold exactly two checked boxes; no message was shown
    Refused,  // a text or the values give no state; a message has told the user why
};

// Both forms solve at the settings' pressure and read an enthalpy typed into `Text2` in the
// settings' units (kJ/kg(DA) in SI).
//
// Point-dialog form: the chart point of the state completed from the panel, and whether the
// solver refused (after its message; XP and YP are then 0 and mean nothing). On success the solved
// x (5 decimals) and i (2 decimals, in the settings' units) are written into `Text1` and `Text2`,
// unless the user gave them; `Text3` … `Text6` are never written.
struct PanelPoint {
    double XP;  // picture mm
    double YP;
    bool refused;
};
[[nodiscard]] PanelPoint ihPointForm(StateInputPanel& panel, Messenger& messages,
                                     const chart::Settings& settings);

// Process form: the completed state and its chart point, unrounded; nothing is written into
// the panel. An empty text is refused like any other text that is not a number.
struct PanelState {
    double i;   // enthalpy, kcal/kg(DA)
    double x;   // absolute humidity, kg/kg(DA)
    double XP;  // picture mm
    double YP;
};
[[nodiscard]] std::expected<PanelState, PanelFailure> ihProcessForm(
    const StateInputPanel& panel, Messenger& messages, const chart::Settings& settings);

}  // namespace dialogs
