#pragma once

#include <string>

#include "chart/units.h"

// The one place where numbers become text: every label, text box and chart number goes
// through these, so that the whole program writes numbers the same way.
namespace chart {

// v rounded to `decimals` places, ties to the even neighbour (68.625 → 68.62).
[[nodiscard]] double roundHalfEven(double v, int decimals);
// v rounded to `decimals` places, ties away from zero (68.625 → 68.63).
[[nodiscard]] double roundHalfUp(double v, int decimals);
// v rounded to `decimals` places as floor(v·10^decimals + 0.5) / 10^decimals: ties go upward,
// toward +∞ (1249.5 → 1250, −1249.5 → −1249). The loads and the comfort indices round so.
[[nodiscard]] double roundHalfUpward(double v, int decimals);
// All three return v itself where v·10^decimals is not finite or already a whole number too
// large to have a fraction (|v·10^decimals| ≥ 2^52): there is nothing to round, and scaling
// back from an overflowed product would give infinity.

// Whether v can be rounded to `decimals` places: v·10^decimals finite and below 2^52. A value
// that cannot is too large to be written as a rounded number (it would come out as dozens or
// hundreds of digits), so the dialogs refuse it rather than write it.
[[nodiscard]] bool roundable(double v, int decimals);

// Which of the three roundings a figure is written with.
enum class Rounding { HalfEven, HalfUp, HalfUpward };

[[nodiscard]] double rounded(double v, int decimals, Rounding rule);

// The general number form: at most 15 significant digits, plain decimal notation (never an
// exponent), no digit grouping and no trailing zeros; "0.00726", "20", "-6.26". Zero of either
// sign is "0". Non-finite values have no text: they come out empty, so that a caller which
// failed to refuse one shows a blank, never a word like "NaN" or "Inf".
[[nodiscard]] std::string generalText(double v);

// v rounded to `decimals` places by `rule`, in the general number form: how every figure of a
// readout, a text box or a result is written.
[[nodiscard]] std::string roundedText(double v, int decimals, Rounding rule);

// A load in kcal/h as the process dialogs write it: generalText of roundHalfUpward(Q, 0), a
// whole number with a minus sign when negative, never "-0" (−0.4 is "0", 1249.5 is "1250").
[[nodiscard]] std::string loadText(double kcalPerHour);
// The same load as `units` show it: as above in engineering units; in SI the kW figure rounded
// the same way to loadDecimals(0, SI) = 3 places (1250 kcal/h is "1.454").
[[nodiscard]] std::string loadText(double kcalPerHour, Units units);

// A number as the picture prints it at its text position: the general form with one leading
// blank in place of the sign when the value is not negative, and without the zero before the
// decimal point of a fraction (" 12", " .75", "-.5", "-2"); empty for a non-finite value.
[[nodiscard]] std::string printedNumber(double v);

}  // namespace chart
