#pragma once

#include <cstdint>
#include <expected>

#include "chart/chart_frame.h"
#include "psychro/air_state.h"

namespace dialogs {

class Messenger;
class StateInputPanel;

// The messages of the air-state solver `ih`.
inline constexpr char16_t kPairTextEmpty[] = u"空気の状態量を二つ入力しましたか。";
inline constexpr char16_t kCheckTwoBoxes[] = u"入力値前のチェックボックスをチェックして下さい。";
inline constexpr char16_t kNotANumber[] = u"数値を入力してください。";
inline constexpr char16_t kNoAirState[] = u"入力した値では空気の状態が求まりません。";
inline constexpr char16_t kEnthalpyVolumeMismatch[] =
    u"入力したエンタルピと比容積の値が正しいかどうかをチェックしてください。";
inline constexpr char16_t kWetBulbVolumeMismatch[] =
    u"入力した湿球温度と比容積の値が正しいかどうかをチェックしてください。";

// The message for a solver failure: the two volume pairs have their own, every other failure
// is "no state".
[[nodiscard]] constexpr const char16_t* solveErrorText(psychro::SolveError error) {
    switch (error) {
        case psychro::SolveError::EnthalpyVolumeMismatch:
            return kEnthalpyVolumeMismatch;
        case psychro::SolveError::WetBulbVolumeMismatch:
            return kWetBulbVolumeMismatch;
        case psychro::SolveError::SameProperty:
        case psychro::SolveError::NoState:
            break;
    }
    return kNoAirState;
}

// Why `ih` completed no state.
enum class IhFailure {
    NoPair,   // the panel does not hold exactly two checked boxes; no message was shown
    Refused,  // a text or the values give no state; a message has told the user why
};

// Point-dialog form: the chart point of the state completed from the panel, and the flag `ten`,
// −1 when the solver refused (after its message; XP and YP are then 0 and mean nothing), 0
// otherwise. On success the solved x (5 decimals) and i (2 decimals) are written into `Text1`
// and `Text2`, unless the user gave them; `Text3` … `Text6` are never written.
struct PointIh {
    double XP;  // picture mm
    double YP;
    std::int16_t ten;
};
[[nodiscard]] PointIh ihPointForm(StateInputPanel& panel, Messenger& messages);

// Process form: the completed state and its chart point, unrounded; nothing is written into
// the panel. An empty text is refused like any other text that is not a number.
struct ProcessIh {
    double i;   // enthalpy, kcal/kg(DA)
    double h;   // absolute humidity, kg/kg(DA)
    double XP;  // picture mm
    double YP;
};
[[nodiscard]] std::expected<ProcessIh, IhFailure> ihProcessForm(const StateInputPanel& panel,
                                                                Messenger& messages);

}  // namespace dialogs
