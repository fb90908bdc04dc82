#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text handling both readers share: the encoding checks, Shift-JIS decoding, line and field
// splitting and the number reader. Internal to data/.
namespace data::detail {

// Whether the bytes look like text: no NUL and no control characters other than tab, CR, LF
// and form feed in the first 64 KiB.
[[nodiscard]] bool looksLikeText(std::string_view bytes);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
[[nodiscard]] bool validUtf8(std::string_view bytes);

// Shift-JIS (code page 932) decoded to UTF-8 by iconv; nullopt where a byte sequence is not
// Shift-JIS.
[[nodiscard]] std::optional<std::string> shiftJisToUtf8(std::string_view bytes);

// Calls `each(lineNumber, line)` for every line (LF, CR LF or CR ends), the line without its end.
template <typename Each>
void forEachLine(std::string_view text, Each&& each) {
    std::size_t number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        ++number;
        if (!each(number, text.substr(start, end - start))) {
            return;
        }
        start = end + 1;
        if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
}

// The fields of one line split at `delimiter`; a field in double quotes may hold the delimiter
// (a doubled quote inside stays doubled). Leading and trailing blanks are cut. `fields` is
// reused between lines.
void splitFields(std::string_view line, char delimiter, std::vector<std::string_view>& fields);

// A decimal number with optional sign, point and exponent, the whole field; nullopt otherwise
// (empty, text, trailing characters, not finite).
[[nodiscard]] std::optional<double> readNumber(std::string_view field);

}  // namespace data::detail
