#pragma once

#include <optional>
#include <string_view>

namespace words {

// The number in a text as the user typed it, or nullopt when the text is not a number.
// Accepted: an optional sign, digits with at most one decimal point ("20", "-6.5", ".75", "+3."),
// with white space before and after (the characters Unicode calls spaces, as Qt trims them);
// digits, point and signs typed in full width through a Japanese input method ("２０．５", "－３")
// count as their ASCII twins. Refused: the empty text, blanks only, exponents, digit grouping,
// "inf", "nan" and anything that does not fit a double.
[[nodiscard]] std::optional<double> readNumber(std::u16string_view text);

}  // namespace words
