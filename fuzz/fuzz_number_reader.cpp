// The number reader of the text boxes with any UTF-16 text: a refusal, or a finite number
// that the C library reads the same from the text, and that the program writes back as a plain
// number reading back to itself to 15 digits.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "chart/number_text.h"
#include "fuzz_checks.h"
#include "words/number_reader.h"

namespace {

bool isAsciiBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// A plain decimal in ASCII, blanks around it: what the reader must accept when it fits.
bool isPlainAsciiDecimal(const std::u16string& s, std::string& core) {
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && isAsciiBlank(s[first])) {
        ++first;
    }
    while (last > first && isAsciiBlank(s[last - 1])) {
        --last;
    }
    core.clear();
    bool digits = false;
    bool point = false;
    for (std::size_t k = first; k < last; ++k) {
        const char16_t c = s[k];
        if (k == first && (c == u'+' || c == u'-')) {
        } else if (c >= u'0' && c <= u'9') {
            digits = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
        core.push_back(static_cast<char>(c));
    }
    return digits;
}

// The text's UTF-16 code units in hex, for the report of a broken invariant.
std::string codeUnits(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        char unit[8];
        std::snprintf(unit, sizeof unit, "%04x ", static_cast<unsigned>(c));
        out += unit;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    for (std::size_t k = 0; k < text.size(); ++k) {
        text[k] = static_cast<char16_t>(data[2 * k] | (data[2 * k + 1] << 8));
    }
    const std::optional<double> value = words::readNumber(text);

    std::string core;
    const bool plain = isPlainAsciiDecimal(text, core);
    const std::string detail = codeUnits(text);
    if (plain) {
        errno = 0;
        const double expected = std::strtod(core.c_str(), nullptr);
        const bool fits = errno == 0 && std::isfinite(expected);
        // A plain decimal that fits a double is read, as the C library reads it.
        FUZZ_CHECK(!fits || (value && *value == expected), detail);
    }
    if (!value) {
        return 0;
    }
    FUZZ_CHECK(std::isfinite(*value), detail);
    // Reading is deterministic and ignores blanks around the number.
    FUZZ_CHECK(words::readNumber(u" " + text + u"\t") == value, detail);
    // An accepted text holds no letters: no exponent, no "inf" or "nan".
    for (char16_t c : text) {
        FUZZ_CHECK(!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')), detail);
    }
    // What the program would write for the number reads back as the number to 15 digits, and
    // writing that again gives the same text.
    const std::string written = chart::generalText(*value);
    FUZZ_CHECK(fuzz::isPlainNumber(written), detail + " -> " + written);
    const std::optional<double> again =
        words::readNumber(std::u16string(written.begin(), written.end()));
    FUZZ_CHECK(again && *again == fuzz::fifteenDigits(*value), detail + " -> " + written);
    FUZZ_CHECK(chart::generalText(*again) == written, detail + " -> " + written);
    return 0;
}
