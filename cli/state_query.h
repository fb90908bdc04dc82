#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <expected>
#include <optional>

#include "chart/settings.h"
#include "psychro/air_state.h"

// Air states from the command line: reading NAME=VALUE pairs and completing the state they give,
// through the same solver and number reader as the dialogs.
namespace cli {

// A text of words/messages.h as a QString.
[[nodiscard]] inline QString message(const char16_t* text) {
    return QString::fromUtf16(text);
}

// A number as the dialogs' text boxes read it (words::readNumber): plain decimals, full-width
// digits allowed, no exponents.
[[nodiscard]] std::optional<double> readNumber(QStringView text);

// One property as given, e.g. t=20.
struct Given {
    psychro::Property property;
    double value;
};

// Why a set of NAME=VALUE items is no pair of properties.
enum class PairProblem {
    Malformed,    // an item without '=' or without a name
    UnknownName,  // a name other than x, i, t, tw, v, phi
    NotANumber,   // a value the text boxes would refuse
    SameTwice,    // one property given twice
    NotTwo,       // fewer or more than two items
};

struct PairError {
    PairProblem problem;
    QString item;  // the offending item, where there is one
};

// The property of a name ("x", "i", "t", "tw", "v", "phi"), case as written.
[[nodiscard]] std::optional<psychro::Property> propertyNamed(const QString& name);

// The items of one line of input: NAME=VALUE separated by blanks or commas.
[[nodiscard]] QStringList splitItems(const QString& line);

// Exactly two NAME=VALUE items of two different properties. Values are read as a text box
// reads them (readNumber above).
[[nodiscard]] std::expected<std::array<Given, 2>, PairError> readPair(const QStringList& items);

// Two states, as mix and cool take them: NAME=VALUE,NAME=VALUE NAME=VALUE,NAME=VALUE.
using TwoStates = std::array<std::array<Given, 2>, 2>;

// Why a text is no two states.
struct TwoStatesError {
    int state;  // 1 or 2: the state whose pair could not be read; 0: not two states
    PairError pair;
};

// The two states of a text: commas (blanks around them allowed) join the items of a state,
// blanks part the states; "i=12,x=0.008 i=8, x=0.006". Each state is read as readPair reads it.
[[nodiscard]] std::expected<TwoStates, TwoStatesError> readTwoStates(const QString& text);

// The complete state: the six properties and the chart point.
struct FullState {
    double x;    // kg/kg(DA)
    double i;    // kcal/kg(DA)
    double t;    // °C
    double tw;   // °C
    double v;    // m³/kg(DA)
    double phi;  // %
    double X;    // picture mm
    double Y;    // picture mm
};

// Completes the state as the dialogs' solver does, at the settings' pressure and with an
// enthalpy given in the settings' units (kJ/kg(DA) in SI; the state holds kcal/kg(DA)):
// psychro::solvePair, the point by
// chart::statePoint, the four other properties from x and i as the cursor readout finds them.
// A refusal comes back as the dialogs' Japanese message; so does a state with any property
// that is not a finite number, which no output may carry, one beyond chart::kMarkReach, and one
// with a value too large to be written rounded (chart::roundable).
[[nodiscard]] std::expected<FullState, QString> solveState(const std::array<Given, 2>& pair,
                                                           const chart::Settings& settings);

// The complete state at (x, i), found as solveState finds it; nullopt for a state beyond
// chart::kMarkReach or with a property that cannot be written rounded (chart::roundable: not
// finite, or too large for its decimals).
[[nodiscard]] std::optional<FullState> completeState(psychro::AirState state,
                                                     psychro::PressureRatio pressureRatio);

// The Japanese message written into a failed row for a pair that could not be read.
[[nodiscard]] QString pairErrorMessage(const PairError& error);

// The Japanese message written into a failed row for two states that could not be read.
[[nodiscard]] QString twoStatesErrorMessage(const TwoStatesError& error);

}  // namespace cli
