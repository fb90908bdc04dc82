#include "dialogs/number_input.h"

#include <charconv>
#include <cmath>
#include <string>

namespace dialogs {
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

std::optional<double> readNumber(const QString& text) {
    QString narrowed;
    narrowed.reserve(text.size());
    for (QChar c : text) {
        narrowed.append(QChar(narrow(c.unicode())));
    }
    const QString trimmed = narrowed.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    for (QChar c : trimmed) {
        if (c.unicode() > 0x7f) {
            return std::nullopt;
        }
    }
    std::string ascii = trimmed.toStdString();
    if (!isPlainDecimal(ascii)) {
        return std::nullopt;
    }
    // from_chars takes no '+'.
    std::size_t start = ascii.front() == '+' ? 1 : 0;
    double value = 0.0;
    const char* first = ascii.data() + start;
    const char* last = ascii.data() + ascii.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (error != std::errc{} || end != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace dialogs
