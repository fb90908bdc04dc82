#include "words/number_reader.h"

#include <charconv>
#include <cmath>
#include <string>

namespace words {
namespace {

// The ASCII twin of a character typed in full width, or the character itself.
char16_t narrow(char16_t c) {
    if (c >= u'０' && c <= u'９') {
        return static_cast<char16_t>(u'0' + (c - u'０'));
    }
    switch (c) {
        case u'．':
            return u'.';
        case u'－':
        case u'−':  // minus sign
            return u'-';
        case u'＋':
            return u'+';
        case u'\u3000':  // ideographic space
            return u' ';
        default:
            return c;
    }
}

// White space as Qt's QChar::isSpace sees it: the ASCII blanks and controls \t … \r, NEL, and
// the Unicode separators (Zs, Zl, Zp).
bool isSpace(char16_t c) {
    if (c == u' ' || (c >= u'\t' && c <= u'\r')) {
        return true;
    }
    switch (c) {
        case u'\u0085':
        case u'\u00a0':
        case u'\u1680':
        case u'\u2028':
        case u'\u2029':
        case u'\u202f':
        case u'\u205f':
        case u'\u3000':
            return true;
        default:
            return c >= u'\u2000' && c <= u'\u200a';
    }
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// An optional sign, then digits with at most one point and at least one digit.
bool isPlainDecimal(const std::string& s) {
    std::size_t k = 0;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) {
        ++k;
    }
    bool digits = false;
    bool point = false;
    for (; k < s.size(); ++k) {
        if (isDigit(s[k])) {
            digits = true;
        } else if (s[k] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

}  // namespace

std::optional<double> readNumber(std::u16string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isSpace(narrow(text[first]))) {
        ++first;
    }
    while (last > first && isSpace(narrow(text[last - 1]))) {
        --last;
    }
    if (first == last) {
        return std::nullopt;
    }
    std::string ascii;
    ascii.reserve(last - first);
    for (std::size_t k = first; k < last; ++k) {
        const char16_t c = narrow(text[k]);
        if (c > 0x7f) {
            return std::nullopt;
        }
        ascii.push_back(static_cast<char>(c));
    }
    if (!isPlainDecimal(ascii)) {
        return std::nullopt;
    }
    // from_chars takes no '+'.
    const std::size_t start = ascii.front() == '+' ? 1 : 0;
    double value = 0.0;
    const char* begin = ascii.data() + start;
    const char* end = ascii.data() + ascii.size();
    const auto [stop, error] = std::from_chars(begin, end, value, std::chars_format::fixed);
    if (error != std::errc{} || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace words
