#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

// What every fuzz target asserts about the texts the program writes, and a check that stops
// the run (libFuzzer then saves the input as a reproducer).
namespace fuzz {

[[noreturn]] inline void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "invariant broken: %s [%s]\n", what, detail.c_str());
    std::abort();
}

#define FUZZ_CHECK(condition, detail)         \
    do {                                      \
        if (!(condition)) {                   \
            ::fuzz::fail(#condition, detail); \
        }                                     \
    } while (false)

// A number as the program writes it: an optional minus, digits, and a fraction only with
// digits after the point; no exponent, no grouping, no "nan" or "inf".
inline bool isPlainNumber(std::string_view s) {
    std::size_t k = 0;
    if (k < s.size() && s[k] == '-') {
        ++k;
    }
    const std::size_t intStart = k;
    while (k < s.size() && s[k] >= '0' && s[k] <= '9') {
        ++k;
    }
    if (k == intStart) {
        return false;
    }
    if (k == s.size()) {
        return true;
    }
    if (s[k] != '.') {
        return false;
    }
    const std::size_t fracStart = ++k;
    while (k < s.size() && s[k] >= '0' && s[k] <= '9') {
        ++k;
    }
    return k == s.size() && k > fracStart && s.back() != '0';  // no trailing zeros
}

// Digits after the decimal point of a plain number.
inline std::size_t decimalsOf(std::string_view s) {
    const std::size_t point = s.find('.');
    return point == std::string_view::npos ? 0 : s.size() - point - 1;
}

// v to 15 significant digits, the precision of the general number form, read back by the C
// library: what a written number must read back as.
inline double fifteenDigits(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", v);
    return std::strtod(buffer, nullptr);
}

// Any double, from its bits: NaN, infinities, subnormals and both zeros included.
inline double rawDouble(FuzzedDataProvider& input) {
    return std::bit_cast<double>(input.ConsumeIntegral<std::uint64_t>());
}

inline float rawFloat(FuzzedDataProvider& input) {
    return std::bit_cast<float>(input.ConsumeIntegral<std::uint32_t>());
}

inline std::string show(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

inline std::string show(double a, double b) {
    return show(a) + ", " + show(b);
}

}  // namespace fuzz
