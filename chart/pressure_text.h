#pragma once

#include <string>

#include "chart/units.h"
#include "psychro/atmosphere.h"

// The texts about the pressure the chart is drawn for: the label beside the chart and on the
// printout, and the message that refuses a pressure out of range. UTF-8, numbers in the general
// number form of chart/number_text.h (never an exponent).
namespace chart {

// The label for a pressure setting, "大気圧 = P unit":
//   engineering units: P in the unit it was given, mmHg to 1 decimal, kPa to 3 (the precision
//   of 101.325); an altitude as the pressure in mmHg followed by " (標高 Z m)", Z to 1 decimal;
//   SI: P in kPa to 3 decimals, an altitude followed by " (標高 Z m)" as well.
// Rounded half to even and written without trailing zeros, so the default setting (760 mmHg,
// engineering units) gives exactly kPressureLine, "大気圧 = 760 mmHg"; 700 mmHg gives
// "大気圧 = 700 mmHg", 93.3 kPa "大気圧 = 93.3 kPa", 1,500 m "大気圧 = 634.2 mmHg (標高 1500 m)".
[[nodiscard]] std::string pressureLine(const psychro::Atmosphere& atmosphere, Units units);

// The message for a pressure refused in `unit` (any psychro::PressureError): the accepted range
// in that unit, its ends rounded inward so that both ends as written are accepted:
// "大気圧は405.2～806.1 mmHgの範囲で入力してください。", "大気圧は54.02～107.47 kPaの…",
// "標高は-500～5000 mの…".
[[nodiscard]] std::string pressureRangeMessage(psychro::PressureUnit unit);

}  // namespace chart
