#include "chart/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace chart {
namespace {

constexpr int kSignificantDigits = 15;

// Below 2^52 a double still has a fraction bit, so rounding can change it.
constexpr double kLargestWithFraction = 4503599627370496.0;

bool roundableScaled(double scaled) {
    return std::isfinite(scaled) && std::fabs(scaled) < kLargestWithFraction;
}

// Applies `roundWhole` to v scaled by 10^decimals and scales back, unless there is nothing to
// round at that scale.
template <typename RoundWhole>
double roundScaled(double v, int decimals, RoundWhole roundWhole) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = v * scale;
    return roundableScaled(scaled) ? roundWhole(scaled) / scale : v;
}

}  // namespace

bool roundable(double v, int decimals) {
    return roundableScaled(v * std::pow(10.0, decimals));
}

double roundHalfEven(double v, int decimals) {
    // The default rounding mode breaks ties to even.
    return roundScaled(v, decimals, [](double s) { return std::nearbyint(s); });
}

double roundHalfUp(double v, int decimals) {
    return roundScaled(v, decimals, [](double s) { return std::round(s); });
}

double roundHalfUpward(double v, int decimals) {
    return roundScaled(v, decimals, [](double s) { return std::floor(s + 0.5); });
}

double rounded(double v, int decimals, Rounding rule) {
    switch (rule) {
        case Rounding::HalfEven:
            return roundHalfEven(v, decimals);
        case Rounding::HalfUp:
            return roundHalfUp(v, decimals);
        case Rounding::HalfUpward:
            break;
    }
    return roundHalfUpward(v, decimals);
}

std::string roundedText(double v, int decimals, Rounding rule) {
    return generalText(rounded(v, decimals, rule));
}

std::string generalText(double v) {
    if (!std::isfinite(v)) {
        return {};
    }
    if (v == 0.0) {
        return "0";
    }
    // "-d.dddddddddddddde±XXX": the 15 significant digits and the decimal exponent.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, v);
    const std::string scientific(buffer);
    const bool negative = scientific.front() == '-';
    const std::size_t first = negative ? 1 : 0;
    std::string digits = scientific.substr(first, 1) + scientific.substr(first + 2, 14);
    const int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }

    std::string text = negative ? "-" : "";
    const int intDigits = exponent + 1;  // digits before the decimal point
    if (intDigits <= 0) {
        text += "0." + std::string(static_cast<std::size_t>(-intDigits), '0') + digits;
    } else if (static_cast<std::size_t>(intDigits) >= digits.size()) {
        text += digits + std::string(static_cast<std::size_t>(intDigits) - digits.size(), '0');
    } else {
        const auto split = static_cast<std::size_t>(intDigits);
        text += digits.substr(0, split) + "." + digits.substr(split);
    }
    return text;
}

std::string loadText(double kcalPerHour) {
    // generalText writes a rounded −0 as "0".
    return roundedText(kcalPerHour, 0, Rounding::HalfUpward);
}

std::string loadText(double kcalPerHour, Units units) {
    return roundedText(shownLoad(kcalPerHour, units), loadDecimals(0, units), Rounding::HalfUpward);
}

std::string printedNumber(double v) {
    std::string text = generalText(v);
    if (text.empty()) {
        return text;
    }
    const bool negative = text.front() == '-';
    const std::size_t body = negative ? 1 : 0;
    if (text.compare(body, 2, "0.") == 0) {
        text.erase(body, 1);
    }
    return negative ? text : " " + text;
}

}  // namespace chart
