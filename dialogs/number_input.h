#pragma once

#include <QString>
#include <optional>

namespace dialogs {

// The number in a text box, or nullopt when the text is not a number. Accepted: an optional
// sign, digits with at most one decimal point ("20", "-6.5", ".75", "+3."), with blanks before
// and after; digits, point and signs typed in full width through a Japanese input method
// ("２０．５", "－３") count as their ASCII twins. Refused: the empty text, blanks only,
// exponents, digit grouping, "inf", "nan" and anything that does not fit a double.
[[nodiscard]] std::optional<double> readNumber(const QString& text);

}  // namespace dialogs
