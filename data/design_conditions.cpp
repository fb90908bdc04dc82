#include "data/design_conditions.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>

namespace data {
namespace {

constexpr double kLowest = -70.0;  // °C, the EPW's range for temperatures
constexpr double kHighest = 70.0;
constexpr std::size_t kMaxFields = 400;  // a line holds some 70; more is no such line

std::string_view trimmed(std::string_view field) {
    while (!field.empty() && std::isspace(static_cast<unsigned char>(field.front())) != 0) {
        field.remove_prefix(1);
    }
    while (!field.empty() && std::isspace(static_cast<unsigned char>(field.back())) != 0) {
        field.remove_suffix(1);
    }
    return field;
}

bool named(std::string_view field, std::string_view word) {
    field = trimmed(field);
    return std::ranges::equal(field, word, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

// A temperature within the EPW's range, or nullopt.
std::optional<double> temperature(std::string_view field) {
    field = trimmed(field);
    if (field.starts_with('+') && !field.starts_with("+-")) {
        field.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
        !std::isfinite(value) || value < kLowest || value > kHighest) {
        return std::nullopt;
    }
    return value;
}

constexpr std::array<std::pair<DesignConditionKind, std::string_view>, 5> kNames{{
    {DesignConditionKind::Cooling04, "cooling-0.4"},
    {DesignConditionKind::Cooling1, "cooling-1"},
    {DesignConditionKind::Cooling2, "cooling-2"},
    {DesignConditionKind::Heating996, "heating-99.6"},
    {DesignConditionKind::Heating99, "heating-99"},
}};

}  // namespace

std::vector<DesignCondition> readDesignConditions(std::string_view line) {
    std::vector<std::string_view> fields;
    while (fields.size() < kMaxFields) {
        const std::size_t comma = line.find(',');
        fields.push_back(line.substr(0, comma));
        if (comma == std::string_view::npos) {
            break;
        }
        line.remove_prefix(comma + 1);
    }
    if (fields.empty() || !named(fields[0], "DESIGN CONDITIONS")) {
        return {};
    }
    const auto after = [&fields](std::string_view word) -> std::size_t {
        const auto at =
            std::ranges::find_if(fields, [word](std::string_view f) { return named(f, word); });
        return at == fields.end() ? fields.size()
                                  : static_cast<std::size_t>(at - fields.begin()) + 1;
    };
    const auto field = [&fields](std::size_t k) {
        return k < fields.size() ? temperature(fields[k]) : std::nullopt;
    };
    std::vector<DesignCondition> out;
    // Cooling: month, range, then (dry bulb, wet bulb) at 0.4, 1 and 2 %.
    const std::size_t cooling = after("Cooling");
    std::optional<double> warmer;
    for (std::size_t n = 0; n < 3; ++n) {
        const auto db = field(cooling + 2 + 2 * n);
        const auto wb = field(cooling + 3 + 2 * n);
        const bool falling = !db || !warmer || *db <= *warmer;
        warmer = db ? db : warmer;
        if (!db || !wb || *wb > *db || !falling) {
            continue;
        }
        out.push_back({kNames[n].first, *db, *wb});
    }
    // Heating: month, then the dry bulbs at 99.6 and 99 %.
    const std::size_t heating = after("Heating");
    const auto h996 = field(heating + 1);
    const auto h99 = field(heating + 2);
    if (h996) {
        out.push_back({DesignConditionKind::Heating996, *h996, std::nullopt});
    }
    if (h99 && (!h996 || *h99 >= *h996)) {
        out.push_back({DesignConditionKind::Heating99, *h99, std::nullopt});
    }
    return out;
}

std::string_view designConditionName(DesignConditionKind kind) {
    for (const auto& [k, name] : kNames) {
        if (k == kind) {
            return name;
        }
    }
    return {};
}

std::optional<DesignConditionKind> designConditionNamed(std::string_view name) {
    for (const auto& [k, n] : kNames) {
        if (n == name) {
            return k;
        }
    }
    return std::nullopt;
}

}  // namespace data
