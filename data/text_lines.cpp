#include "data/text_lines.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>

namespace data::detail {

bool looksLikeText(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, 65536);
    return std::none_of(head.begin(), head.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != '\f';
    });
}

bool validUtf8(std::string_view bytes) {
    std::size_t k = 0;
    const std::size_t n = bytes.size();
    while (k < n) {
        const auto c = static_cast<unsigned char>(bytes[k]);
        if (c < 0x80) {
            ++k;
            continue;
        }
        std::size_t more = 0;
        unsigned low = 0x80;
        unsigned high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            low = c == 0xE0 ? 0xA0 : 0x80;
            high = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            low = c == 0xF0 ? 0x90 : 0x80;
            high = c == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (n - k <= more) {
            return false;
        }
        for (std::size_t j = 1; j <= more; ++j) {
            const auto b = static_cast<unsigned char>(bytes[k + j]);
            const unsigned lo = j == 1 ? low : 0x80;
            const unsigned hi = j == 1 ? high : 0xBF;
            if (b < lo || b > hi) {
                return false;
            }
        }
        k += more + 1;
    }
    return true;
}

std::optional<std::string> shiftJisToUtf8(std::string_view bytes) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    // Most text grows by half at most (two bytes of kanji to three); a half-width katakana
    // grows from one byte to three, so where iconv finds the buffer short it is grown to hold
    // three bytes for every byte still to come.
    std::string out(bytes.size() * 3 / 2 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::size_t written = 0;
    std::size_t outLeft = out.size();
    while (true) {
        char* to = out.data() + written;
        const std::size_t room = outLeft;
        const std::size_t done = iconv(cd, &in, &inLeft, &to, &outLeft);
        written += room - outLeft;
        if (done != static_cast<std::size_t>(-1) || errno != E2BIG) {
            break;
        }
        out.resize(written + inLeft * 3 + 16);
        outLeft = out.size() - written;
    }
    iconv_close(cd);
    if (inLeft != 0) {
        return std::nullopt;
    }
    out.resize(written);
    return out;
}

namespace {

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

}  // namespace

void splitFields(std::string_view line, char delimiter, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t k = 0;
    while (true) {
        while (k < line.size() && line[k] == ' ') {
            ++k;
        }
        if (k < line.size() && line[k] == '"') {
            // Quoted: up to the quote that no second quote follows.
            std::size_t end = k + 1;
            while (end < line.size()) {
                if (line[end] == '"') {
                    if (end + 1 < line.size() && line[end + 1] == '"') {
                        end += 2;
                        continue;
                    }
                    break;
                }
                ++end;
            }
            fields.push_back(trimmed(line.substr(k + 1, std::min(end, line.size()) - k - 1)));
            const std::size_t next = line.find(delimiter, std::min(end, line.size()));
            if (next == std::string_view::npos) {
                return;
            }
            k = next + 1;
            continue;
        }
        const std::size_t next = line.find(delimiter, k);
        if (next == std::string_view::npos) {
            fields.push_back(trimmed(line.substr(std::min(k, line.size()))));
            return;
        }
        fields.push_back(trimmed(line.substr(k, next - k)));
        k = next + 1;
    }
}

std::optional<double> readNumber(std::string_view field) {
    if (!field.empty() && field.front() == '+') {
        field.remove_prefix(1);
    }
    if (field.empty()) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value,
                                              std::chars_format::general);
    if (error != std::errc{} || end != field.data() + field.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace data::detail
