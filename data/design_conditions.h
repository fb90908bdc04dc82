#pragma once

#include <optional>
#include <string_view>
#include <vector>

// The climatic design conditions an EPW weather file may carry in its second header line,
// "DESIGN CONDITIONS,n,source,,Heating,…,Cooling,…,Extremes,…". The fields after each keyword
// depend on the source; every source in use begins them alike, and only those are read:
//   Heating: coldest month, dry bulb at 99.6 %, dry bulb at 99 %, …
//   Cooling: hottest month, daily range, dry bulb at 0.4 % with its mean coincident wet bulb,
//            the same at 1 %, the same at 2 %, …
// Temperatures in °C.
namespace data {

enum class DesignConditionKind {
    Cooling04,  // cooling, 0.4 % of the year's hours above it
    Cooling1,
    Cooling2,
    Heating996,  // heating, 99.6 % of the year's hours above it
    Heating99,
};

struct DesignCondition {
    DesignConditionKind kind;
    double dryBulb;                 // °C
    std::optional<double> wetBulb;  // °C, the mean coincident wet bulb (cooling only)

    bool operator==(const DesignCondition&) const = default;
};

// The conditions of the line in the order of DesignConditionKind, those the line lacks or gives
// out of reason left out: a cooling dry bulb with no wet bulb, a wet bulb above its dry bulb,
// either outside −70 … 70 °C (the EPW's own range), dry bulbs not falling from 0.4 % to 2 % or
// rising from 99.6 % to 99 %. Empty for a line that is no DESIGN CONDITIONS line or has none.
[[nodiscard]] std::vector<DesignCondition> readDesignConditions(std::string_view line);

// The command-line name of a kind: "cooling-0.4", "cooling-1", "cooling-2", "heating-99.6",
// "heating-99"; and back (nullopt for any other text).
[[nodiscard]] std::string_view designConditionName(DesignConditionKind kind);
[[nodiscard]] std::optional<DesignConditionKind> designConditionNamed(std::string_view name);

}  // namespace data
