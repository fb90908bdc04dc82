#include "chart/design_figures.h"

#include <array>
#include <string_view>
#include <utility>

#include "chart/number_text.h"

namespace chart {

std::vector<DesignFigureText> designFigureTexts(const Entry& entry, Units units) {
    const std::string load = loadUnitText(units);
    const std::string water = "kg/h";
    const std::array<std::pair<const char*, DesignFigureText>, 11> kinds{{
        {"SHF", {"SHF", {}, {}}},
        {"G", {"送風量", {}, "kg(DA)/h"}},
        {"V", {"吹出し風量", {}, "m3/h"}},
        {"tADP", {"装置露点温度", {}, "℃"}},
        {"BF", {"バイパスファクタ", {}, {}}},
        {"Qcoil", {"コイル負荷", {}, load}},
        {"Lw", {"除湿量", {}, water}},
        {"Qreheat", {"再熱負荷", {}, load}},
        {"Qheater", {"加熱負荷", {}, load}},
        {"Lh", {"加湿量", {}, water}},
        {"Qoa", {"外気負荷", {}, load}},
    }};
    std::vector<DesignFigureText> out;
    for (const auto& [name, figure] : kinds) {
        const auto v = valueOf(entry.results, name);
        if (!v) {
            continue;
        }
        const std::string_view key(name);
        std::string value;
        if (key.starts_with('Q')) {
            value = loadText(*v, units);
        } else if (key == "G" || key == "V") {
            value = roundedText(*v, 0, Rounding::HalfUp);
        } else if (key == "Lw" || key == "Lh") {
            value = roundedText(*v, 1, Rounding::HalfUp);
        } else if (key == "tADP") {
            value = roundedText(*v, 2, Rounding::HalfEven);
        } else {
            value = roundedText(*v, key == "BF" ? 3 : 2, Rounding::HalfUp);
        }
        out.push_back({figure.caption, std::move(value), figure.unit});
    }
    return out;
}

}  // namespace chart
