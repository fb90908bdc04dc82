// The number-to-text rules: any double, any number of decimals the program uses.
#include <cmath>

#include "chart/number_text.h"
#include "fuzz_checks.h"

namespace {

// The text of a finite value: a plain number of at most 15 significant digits that reads back
// as the value to 15 digits; non-finite values have no text.
void checkGeneralText(double v) {
    const std::string text = chart::generalText(v);
    if (!std::isfinite(v)) {
        FUZZ_CHECK(text.empty(), fuzz::show(v) + " -> " + text);
        FUZZ_CHECK(chart::printedNumber(v).empty(), fuzz::show(v));
        return;
    }
    FUZZ_CHECK(fuzz::isPlainNumber(text), fuzz::show(v) + " -> " + text);
    FUZZ_CHECK(std::strtod(text.c_str(), nullptr) == fuzz::fifteenDigits(v),
               fuzz::show(v) + " -> " + text);
    std::size_t significant = 0;
    bool leading = true;
    for (char c : text) {
        if (c >= '1' && c <= '9') {
            leading = false;
        }
        if (!leading && c >= '0' && c <= '9') {
            ++significant;
        }
    }
    // Whole numbers of more than 15 digits are padded with zeros.
    FUZZ_CHECK(significant <= 15 || text.find('.') == std::string::npos,
               fuzz::show(v) + " -> " + text);

    const std::string printed = chart::printedNumber(v);
    const bool negative = text.front() == '-';
    FUZZ_CHECK(printed.front() == (negative ? '-' : ' '), fuzz::show(v) + " -> " + printed);
    std::string undone = negative ? printed : printed.substr(1);
    const std::size_t body = negative ? 1 : 0;
    if (undone.size() > body && undone[body] == '.') {
        undone.insert(body, "0");
    }
    FUZZ_CHECK(undone == text, fuzz::show(v) + " -> " + printed);
}

void checkRounding(double v, int decimals) {
    const double even = chart::roundHalfEven(v, decimals);
    const double up = chart::roundHalfUp(v, decimals);
    const double upward = chart::roundHalfUpward(v, decimals);
    const std::string detail = fuzz::show(v) + " to " + std::to_string(decimals);
    if (!std::isfinite(v)) {
        FUZZ_CHECK(!std::isfinite(even) && !std::isfinite(up) && !std::isfinite(upward), detail);
        return;
    }
    FUZZ_CHECK(std::isfinite(even) && std::isfinite(up) && std::isfinite(upward), detail);
    const double scale = std::pow(10.0, decimals);
    const double scaled = v * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0) {
        FUZZ_CHECK(even == v && up == v && upward == v, detail);
        return;
    }
    // Within half a step of v (and a little for the scaling), and equal unless v is a tie.
    const double slack = 0.5 / scale + 4.0 * std::fabs(v) * 2.3e-16 + 1e-300;
    for (double r : {even, up, upward}) {
        FUZZ_CHECK(std::fabs(r - v) <= slack, detail + " -> " + fuzz::show(r));
        // A rounded number is written with no more decimals than it was rounded to.
        const std::string text = chart::generalText(r);
        FUZZ_CHECK(fuzz::decimalsOf(text) <= static_cast<std::size_t>(decimals),
                   detail + " -> " + text);
    }
    // floor(s + 0.5) also takes the double just below a half upward, since the sum rounds to
    // the whole number (0.49999999999999994 + 0.5 == 1); that is the dialogs' own rule, so such
    // a near tie counts as a tie.
    const bool tie =
        scaled - std::floor(scaled) == 0.5 || std::floor(scaled + 0.5) != std::round(scaled);
    if (!tie) {
        FUZZ_CHECK(even == up && up == upward, detail);
    } else {
        FUZZ_CHECK(upward >= even && upward >= up, detail);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int decimals = input.ConsumeIntegralInRange(0, 15);
    // Raw bits reach NaN, infinities and subnormals; the scaled form reaches ties and values
    // just off them.
    const double raw = fuzz::rawDouble(input);
    const auto whole = input.ConsumeIntegral<std::int64_t>();
    const int shift = input.ConsumeIntegralInRange(0, 18);
    const double decimal = static_cast<double>(whole) / std::pow(10.0, shift);
    for (double v : {raw, decimal}) {
        checkGeneralText(v);
        checkRounding(v, decimals);
    }
    return 0;
}
