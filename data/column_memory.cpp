#include "data/column_memory.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "data/text_lines.h"

namespace data {
namespace {

constexpr std::size_t kLookedAt = 64 * 1024;
constexpr std::size_t kMostHeaderLine = 20;  // the reader's header search
constexpr double kMostKPaPerUnit = 1000.0;
constexpr std::size_t kFields = 16;

// The first 64 KiB of a file, cut after its last line feed there (never inside a character).
std::string_view headOf(std::string_view bytes) {
    if (bytes.size() <= kLookedAt) {
        return bytes;
    }
    const std::size_t end = bytes.substr(0, kLookedAt).rfind('\n');
    return bytes.substr(0, end == std::string_view::npos ? kLookedAt : end + 1);
}

std::optional<std::string> decodedHead(std::string_view bytes, Encoding encoding) {
    bytes = headOf(bytes);
    if (encoding == Encoding::ShiftJis) {
        return detail::shiftJisToUtf8(bytes);
    }
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (bytes.starts_with(bom)) {
        bytes.remove_prefix(bom.size());
    }
    return detail::validUtf8(bytes) ? std::optional<std::string>(bytes) : std::nullopt;
}

// Line `number` (1-based) of a text, if it has that many.
std::optional<std::string> lineOf(std::string_view text, std::size_t number) {
    std::optional<std::string> found;
    detail::forEachLine(text, [&](std::size_t n, std::string_view line) {
        if (n == number) {
            found = std::string(line);
        }
        return n < number;
    });
    return found;
}

std::string columnText(const std::optional<std::size_t>& column) {
    return column ? std::to_string(*column) : std::string("-");
}

std::optional<std::size_t> wholeNumber(std::string_view text, std::size_t most) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value > most) {
        return std::nullopt;
    }
    return value;
}

// A column: "-" for none, else its index.
std::optional<std::optional<std::size_t>> columnFrom(std::string_view text) {
    if (text == "-") {
        return std::optional<std::size_t>{};
    }
    const auto column = wholeNumber(text, kMaxRememberedColumn);
    if (!column) {
        return std::nullopt;
    }
    return std::optional<std::size_t>(*column);
}

std::optional<bool> flagFrom(std::string_view text) {
    if (text == "0" || text == "1") {
        return text == "1";
    }
    return std::nullopt;
}

constexpr std::array<std::string_view, 4> kOrders{"-", "ymd", "mdy", "dmy"};

std::vector<std::optional<std::size_t>> columnsOf(const ColumnChoice& c) {
    return {c.t, c.phi, c.x, c.tw, c.dew, c.dateTime, c.date, c.time, c.pressure};
}

// Whether every column the choice takes lies within the fields of its header line.
bool fits(const CsvChoice& choice, const std::string& header) {
    const std::optional<std::string> line = lineOf(header, choice.columns.headerLine);
    if (!line) {
        return false;
    }
    const char delimiter = line->find('\t') != std::string::npos  ? '\t'
                           : line->find(';') != std::string::npos ? ';'
                                                                  : ',';
    std::vector<std::string_view> fields;
    detail::splitFields(*line, delimiter, fields);
    const auto columns = columnsOf(choice.columns);
    return std::all_of(columns.begin(), columns.end(),
                       [&](const auto& c) { return !c || *c < fields.size(); });
}

}  // namespace

std::optional<std::string> headerText(std::string_view bytes, Encoding encoding,
                                      std::size_t headerLine) {
    if (headerLine == 0) {
        return std::nullopt;
    }
    const std::optional<std::string> text = decodedHead(bytes, encoding);
    if (!text) {
        return std::nullopt;
    }
    std::string header;
    std::size_t lines = 0;
    detail::forEachLine(*text, [&](std::size_t n, std::string_view line) {
        header += n > 1 ? "\n" : "";
        header += line;
        lines = n;
        return n < headerLine;
    });
    return lines == headerLine ? std::optional<std::string>(std::move(header)) : std::nullopt;
}

std::string headerKey(std::string_view header) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : header) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    constexpr std::string_view digits = "0123456789abcdef";
    std::string key(16, '0');
    for (std::size_t k = 0; k < 16; ++k) {
        key[15 - k] = digits[(hash >> (4 * k)) & 0xFU];
    }
    return key;
}

std::string choiceText(const CsvChoice& choice) {
    const ColumnChoice& c = choice.columns;
    // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) of ";" + a temporary string.
    std::string text = "1;";
    text += choice.encoding == Encoding::ShiftJis ? "s" : "u";
    text += ';';
    text += std::to_string(c.headerLine);
    for (const auto& column : columnsOf(c)) {
        text += ';';
        text += columnText(column);
    }
    std::array<char, 32> kpa{};
    const auto written = std::to_chars(kpa.data(), kpa.data() + kpa.size(), c.pressureKPa);
    text += ';';
    text.append(kpa.data(), written.ptr);
    text += c.xInGrams ? ";1" : ";0";
    text += c.fahrenheit ? ";1" : ";0";
    text += ";";
    text += kOrders[choice.dateOrder ? static_cast<std::size_t>(*choice.dateOrder) + 1 : 0];
    return text;
}

std::optional<CsvChoice> choiceFromText(std::string_view text) {
    const std::string_view original = text;
    std::vector<std::string_view> parts;
    while (parts.size() <= kFields) {
        const std::size_t end = text.find(';');
        parts.push_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    if (parts.size() != kFields || parts[0] != "1" || (parts[1] != "u" && parts[1] != "s")) {
        return std::nullopt;
    }
    CsvChoice out;
    out.encoding = parts[1] == "s" ? Encoding::ShiftJis : Encoding::Utf8;
    const auto headerLine = wholeNumber(parts[2], kMostHeaderLine);
    if (!headerLine || *headerLine == 0) {
        return std::nullopt;
    }
    ColumnChoice& c = out.columns;
    c.headerLine = *headerLine;
    const std::array<std::optional<std::size_t>*, 9> columns{
        &c.t, &c.phi, &c.x, &c.tw, &c.dew, &c.dateTime, &c.date, &c.time, &c.pressure};
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const auto column = columnFrom(parts[3 + k]);
        if (!column) {
            return std::nullopt;
        }
        *columns[k] = *column;
    }
    const std::string_view kpa = parts[12];
    const auto [end, error] = std::from_chars(kpa.data(), kpa.data() + kpa.size(), c.pressureKPa);
    if (error != std::errc{} || end != kpa.data() + kpa.size() || !std::isfinite(c.pressureKPa) ||
        c.pressureKPa < 0.0 || c.pressureKPa > kMostKPaPerUnit) {
        return std::nullopt;
    }
    const auto grams = flagFrom(parts[13]);
    const auto fahrenheit = flagFrom(parts[14]);
    const auto order = std::find(kOrders.begin(), kOrders.end(), parts[15]);
    if (!grams || !fahrenheit || order == kOrders.end()) {
        return std::nullopt;
    }
    c.xInGrams = *grams;
    c.fahrenheit = *fahrenheit;
    if (order != kOrders.begin()) {
        out.dateOrder = static_cast<DateOrder>(order - kOrders.begin() - 1);
    }
    // One text for one choice: "007" or "0.0" are no writer's.
    if (choiceText(out) != original) {
        return std::nullopt;
    }
    return out;
}

std::string rememberedText(const RememberedColumns& remembered) {
    return remembered.key + ";" + choiceText(remembered.choice);
}

std::optional<RememberedColumns> rememberedFromText(std::string_view text) {
    const std::string_view key = text.substr(0, std::min<std::size_t>(16, text.size()));
    if (key.size() != 16 || text.size() < 17 || text[16] != ';' ||
        key.find_first_not_of("0123456789abcdef") != std::string_view::npos) {
        return std::nullopt;
    }
    auto choice = choiceFromText(text.substr(17));
    if (!choice) {
        return std::nullopt;
    }
    return RememberedColumns{std::string(key), std::move(*choice)};
}

std::optional<CsvChoice> rememberedFor(std::string_view bytes,
                                       const std::vector<std::string>& stored) {
    const std::size_t first =
        stored.size() > kRememberedHeaders ? stored.size() - kRememberedHeaders : 0;
    // The newest first: a header remembered twice (by an older writer) is read as last chosen.
    for (std::size_t k = stored.size(); k-- > first;) {
        const auto remembered = rememberedFromText(stored[k]);
        if (!remembered) {
            continue;
        }
        const CsvChoice& choice = remembered->choice;
        const auto header = headerText(bytes, choice.encoding, choice.columns.headerLine);
        if (header && headerKey(*header) == remembered->key && fits(choice, *header)) {
            return choice;
        }
    }
    return std::nullopt;
}

std::vector<std::string> remembering(std::vector<std::string> stored, std::string_view bytes,
                                     const CsvChoice& choice) {
    const auto header = headerText(bytes, choice.encoding, choice.columns.headerLine);
    if (!header || choice.columns.headerLine > kMostHeaderLine) {
        return stored;
    }
    const RememberedColumns remembered{headerKey(*header), choice};
    if (!rememberedFromText(rememberedText(remembered))) {
        return stored;  // a column past what is kept
    }
    std::erase_if(stored, [&](const std::string& text) {
        return text.starts_with(remembered.key + ";") || !rememberedFromText(text);
    });
    stored.push_back(rememberedText(remembered));
    if (stored.size() > kRememberedHeaders) {
        stored.erase(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(
                                                          stored.size() - kRememberedHeaders));
    }
    return stored;
}

}  // namespace data
