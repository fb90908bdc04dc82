#pragma once

#include <cstdint>

namespace dialogs {

// The process that the Calc menu chose last: the menu sets it before it shows a dialog. Nothing
// reads it now: each dialog acts in the process of its own last opening. It is kept because the
// menu commands are designed to set it.
inline constexpr std::int16_t kCalcMix = 3;
inline constexpr std::int16_t kCalcHeat = 4;
inline constexpr std::int16_t kCalcCool = 5;
inline constexpr std::int16_t kCalcSteam = 6;       // humidifying with steam
inline constexpr std::int16_t kCalcWaterSpray = 7;  // humidifying with a water spray

inline std::int16_t CalcMode = 0;

}  // namespace dialogs
