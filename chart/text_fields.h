#pragma once

#include <string>
#include <string_view>

// Texts written as fields of other formats: a CSV cell and a JSON string. One rule each for the
// state list's CSV and copy and for milten-cli's CSV and JSON. UTF-8 in and out.
namespace chart {

// A cell of a table whose cells are parted by `separator` (',' for CSV, '\t' for the
// clipboard): as it is, or, when it holds the separator, a quote or a line break (CR or LF),
// in quotes with each quote doubled (RFC 4180): `a,b` gives `"a,b"`, `say "hi"` gives
// `"say ""hi"""`.
[[nodiscard]] std::string tableCell(std::string_view text, char separator);

// A JSON string literal: in quotes, a quote and a backslash escaped, control characters as
// \n, \t … or \u00XX, everything else as it is (a broken UTF-8 byte replaced by U+FFFD).
[[nodiscard]] std::string jsonString(std::string_view text);

}  // namespace chart
