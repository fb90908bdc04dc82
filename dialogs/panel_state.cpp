#include "dialogs/panel_state.h"

#include <cmath>

#include "chart/number_text.h"
#include "dialogs/controls.h"
#include "dialogs/messages.h"
#include "dialogs/number_input.h"
#include "dialogs/state_input_panel.h"
#include "psychro/air_state.h"

namespace dialogs {
namespace {

using psychro::Property;

struct Solved {
    psychro::AirState state;
    chart::PointMm point;
    Property first;  // the checked pair, in row order
    Property second;
};

enum class EmptyTexts {
    OwnMessage,  // the point dialog asks whether two values were given
    NotANumber,  // the process dialogs refuse them as any other non-number
};

// The one solver behind both forms: finds the checked pair, reads its two texts, completes the
// state and maps it. Every refusal shows its message here; nothing is written into the panel.
std::expected<Solved, PanelFailure> solvePanel(const StateInputPanel& panel, Messenger& messages,
                                               EmptyTexts empty, const chart::Settings& settings) {
    const std::vector<Property> rows = panel.checkedRows();
    if (rows.size() != 2) {
        return std::unexpected(PanelFailure::NoPair);
    }
    const QString firstText = panel.text(rows[0]);
    const QString secondText = panel.text(rows[1]);
    if (empty == EmptyTexts::OwnMessage && (firstText.isEmpty() || secondText.isEmpty())) {
        messages.show(message(words::kPairTextEmpty));
        return std::unexpected(PanelFailure::Refused);
    }
    const std::optional<double> first = readNumber(firstText);
    const std::optional<double> second = readNumber(secondText);
    if (!first || !second) {
        messages.show(message(words::kNotANumber));
        return std::unexpected(PanelFailure::Refused);
    }
    // An enthalpy is typed in the units shown; the solver takes kcal/kg(DA).
    const auto typed = [&](Property row, double value) {
        return row == Property::i ? chart::enthalpyFromShown(value, settings.units) : value;
    };
    const auto state = psychro::solvePair(rows[0], typed(rows[0], *first), rows[1],
                                          typed(rows[1], *second), settings.atmosphere.ratio);
    if (!state) {
        messages.show(message(words::solveErrorText(state.error())));
        return std::unexpected(PanelFailure::Refused);
    }
    const chart::PointMm point = chart::statePoint(state->i, 1000.0 * state->x);
    // A state far off the picture is no air the chart is for; its x and i could not be written
    // rounded either.
    if (!chart::withinReach(point)) {
        messages.show(message(words::kNoAirState));
        return std::unexpected(PanelFailure::Refused);
    }
    return Solved{*state, point, rows[0], rows[1]};
}

}  // namespace

PanelPoint ihPointForm(StateInputPanel& panel, Messenger& messages,
                       const chart::Settings& settings) {
    const auto solved = solvePanel(panel, messages, EmptyTexts::OwnMessage, settings);
    if (!solved) {
        if (solved.error() == PanelFailure::NoPair) {
            // The point dialog counts the boxes before it calls and the panel never holds more
            // than two, so this is a call out of turn: refuse rather than guess a pair.
            messages.show(message(words::kCheckTwoBoxes));
        }
        return {0.0, 0.0, true};
    }
    const auto given = [&](Property p) { return solved->first == p || solved->second == p; };
    if (!given(Property::x)) {
        panel.setText(Property::x, numberText(solved->state.x, 5, chart::Rounding::HalfUp));
    }
    if (!given(Property::i)) {
        panel.setText(Property::i, numberText(chart::shownEnthalpy(solved->state.i, settings.units),
                                              chart::enthalpyDecimals(2, settings.units),
                                              chart::Rounding::HalfUp));
    }
    return {solved->point.X, solved->point.Y, false};
}

std::expected<PanelState, PanelFailure> ihProcessForm(const StateInputPanel& panel,
                                                      Messenger& messages,
                                                      const chart::Settings& settings) {
    const auto solved = solvePanel(panel, messages, EmptyTexts::NotANumber, settings);
    if (!solved) {
        return std::unexpected(solved.error());
    }
    return PanelState{solved->state.i, solved->state.x, solved->point.X, solved->point.Y};
}

}  // namespace dialogs
