#include "chart/text_fields.h"

#include <nlohmann/json.hpp>

namespace chart {

std::string tableCell(std::string_view text, char separator) {
    if (text.find_first_of(std::string{separator, '"', '\n', '\r'}) == std::string_view::npos) {
        return std::string(text);
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + '"';
}

std::string jsonString(std::string_view text) {
    return nlohmann::json(std::string(text))
        .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace chart
