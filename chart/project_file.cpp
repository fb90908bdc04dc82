#include "chart/project_file.h"

#include <charconv>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

#include "chart/number_text.h"

namespace chart {
namespace {

// ---- writing ----

std::string number(double v) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    return ec == std::errc() ? std::string(buffer, end) : std::string("null");
}

std::string quotedString(std::string_view s) {
    std::string out = "\"";
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string values(const std::vector<NamedValue>& named) {
    std::string out = "{";
    for (std::size_t k = 0; k < named.size(); ++k) {
        out += (k ? ", " : "") + quotedString(named[k].name) + ": " + number(named[k].value);
    }
    return out + "}";
}

std::string point(PointMm p) {
    return "{\"X\": " + number(p.X) + ", \"Y\": " + number(p.Y) + "}";
}

}  // namespace

std::string writeProject(const MarkedWork& work) {
    std::string out = "{\n  \"format\": " + quotedString(kProjectFormat) +
                      ",\n  \"version\": " + std::to_string(kProjectVersion) +
                      ",\n  \"chartDrawn\": " + (work.chartDrawn ? "true" : "false");
    if (work.settings) {
        const StoredSettings stored = storedSettings(*work.settings);
        out += ",\n  \"settings\": {\"units\": " + quotedString(stored.units) +
               ", \"pressureUnit\": " + quotedString(stored.pressureUnit) +
               ", \"pressure\": " + quotedString(stored.pressure) + "}";
    }
    out += ",\n  \"entries\": [";
    for (std::size_t k = 0; k < work.entries.size(); ++k) {
        const Entry& e = work.entries[k];
        out += (k ? ",\n" : "\n");
        out += "    {\"kind\": " + quotedString(kindName(e.kind)) + ",\n     \"states\": [";
        for (std::size_t j = 0; j < e.states.size(); ++j) {
            const MarkedState& s = e.states[j];
            const StateFigures f =
                stateFigures(s, work.settings ? work.settings->atmosphere.ratio
                                              : psychro::PressureRatio::standard());
            out += (j ? ",\n                " : "");
            out += "{\"label\": " + quotedString(s.label) + ", \"X\": " + number(s.at.X) +
                   ", \"Y\": " + number(s.at.Y) + ", \"x\": " + number(s.x) +
                   ", \"i\": " + number(s.i) + ", \"t\": " + number(f.t) +
                   ", \"tw\": " + number(f.tw) + ", \"v\": " + number(f.v) +
                   ", \"phi\": " + number(f.phi) +
                   ", \"dewPoint\": " + (f.dewPoint ? number(*f.dewPoint) : "null") + "}";
        }
        out += "],\n";
        if (e.lineFrom) {
            out += "     \"lineFrom\": " + point(*e.lineFrom) + ",\n";
        }
        out += "     \"inputs\": " + values(e.inputs) + ",\n";
        out += "     \"results\": " + values(e.results) + "}";
    }
    out += work.entries.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

namespace {

// ---- reading: a small JSON parser, bounded in depth and size ----

struct Json;
using JsonArray = std::vector<Json>;
using JsonObject = std::vector<std::pair<std::string, Json>>;
struct Json {
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<JsonArray>,
                 std::shared_ptr<JsonObject>>
        value;
};

constexpr int kMaxDepth = 16;

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::optional<Json> document() {
        std::optional<Json> v = parse(0);
        skipSpace();
        if (!v || pos_ != text_.size()) {
            return std::nullopt;
        }
        return v;
    }

  private:
    void skipSpace() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                       text_[pos_] == '\n' || text_[pos_] == '\r')) {
            ++pos_;
        }
    }

    bool literal(std::string_view word) {
        if (text_.substr(pos_, word.size()) == word) {
            pos_ += word.size();
            return true;
        }
        return false;
    }

    std::optional<Json> parse(int depth) {
        if (depth > kMaxDepth) {
            return std::nullopt;
        }
        skipSpace();
        if (pos_ >= text_.size()) {
            return std::nullopt;
        }
        const char c = text_[pos_];
        if (c == '{') {
            return object(depth);
        }
        if (c == '[') {
            return array(depth);
        }
        if (c == '"') {
            auto s = string();
            return s ? std::optional<Json>(Json{std::move(*s)}) : std::nullopt;
        }
        if (literal("true")) {
            return Json{true};
        }
        if (literal("false")) {
            return Json{false};
        }
        if (literal("null")) {
            return Json{nullptr};
        }
        return numberValue();
    }

    std::optional<Json> numberValue() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() &&
               std::string_view("+-0123456789.eE").find(text_[pos_]) != std::string_view::npos) {
            ++pos_;
        }
        const std::string_view token = text_.substr(start, pos_ - start);
        if (token.empty() || token.front() == '+') {
            return std::nullopt;
        }
        double v = 0.0;
        const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), v);
        if (ec != std::errc() || end != token.data() + token.size() || !std::isfinite(v)) {
            return std::nullopt;
        }
        return Json{v};
    }

    static void appendUtf8(std::string& out, std::uint32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    std::optional<std::uint32_t> hex4() {
        if (pos_ + 4 > text_.size()) {
            return std::nullopt;
        }
        std::uint32_t v = 0;
        const auto [end, ec] = std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, v, 16);
        if (ec != std::errc() || end != text_.data() + pos_ + 4) {
            return std::nullopt;
        }
        pos_ += 4;
        return v;
    }

    std::optional<std::string> string() {
        ++pos_;  // the opening quote
        std::string out;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') {
                return out;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return std::nullopt;
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) {
                return std::nullopt;
            }
            const char e = text_[pos_++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out += e;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    std::optional<std::uint32_t> cp = hex4();
                    if (!cp) {
                        return std::nullopt;
                    }
                    if (*cp >= 0xD800 && *cp < 0xDC00) {
                        if (!literal("\\u")) {
                            return std::nullopt;
                        }
                        const std::optional<std::uint32_t> low = hex4();
                        if (!low || *low < 0xDC00 || *low >= 0xE000) {
                            return std::nullopt;
                        }
                        cp = 0x10000 + ((*cp - 0xD800) << 10) + (*low - 0xDC00);
                    } else if (*cp >= 0xDC00 && *cp < 0xE000) {
                        return std::nullopt;
                    }
                    appendUtf8(out, *cp);
                    break;
                }
                default:
                    return std::nullopt;
            }
        }
        return std::nullopt;  // unterminated
    }

    std::optional<Json> array(int depth) {
        ++pos_;
        auto items = std::make_shared<JsonArray>();
        skipSpace();
        if (literal("]")) {
            return Json{items};
        }
        while (true) {  // each turn consumes input, so the loop ends with it
            std::optional<Json> v = parse(depth + 1);
            if (!v) {
                return std::nullopt;
            }
            items->push_back(std::move(*v));
            skipSpace();
            if (literal("]")) {
                return Json{items};
            }
            if (!literal(",")) {
                return std::nullopt;
            }
        }
    }

    std::optional<Json> object(int depth) {
        ++pos_;
        auto members = std::make_shared<JsonObject>();
        skipSpace();
        if (literal("}")) {
            return Json{members};
        }
        while (true) {  // each turn consumes input, so the loop ends with it
            skipSpace();
            if (pos_ >= text_.size() || text_[pos_] != '"') {
                return std::nullopt;
            }
            std::optional<std::string> key = string();
            skipSpace();
            if (!key || !literal(":")) {
                return std::nullopt;
            }
            std::optional<Json> v = parse(depth + 1);
            if (!v) {
                return std::nullopt;
            }
            members->emplace_back(std::move(*key), std::move(*v));
            skipSpace();
            if (literal("}")) {
                return Json{members};
            }
            if (!literal(",")) {
                return std::nullopt;
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// ---- reading: from the JSON tree to the work, every field checked ----

const Json* member(const Json& object, std::string_view key) {
    const auto* members = std::get_if<std::shared_ptr<JsonObject>>(&object.value);
    if (members == nullptr) {
        return nullptr;
    }
    for (const auto& [name, value] : **members) {
        if (name == key) {
            return &value;
        }
    }
    return nullptr;
}

using Failure = std::unexpected<ProjectFailure>;

Failure fail(ProjectError error, std::string where) {
    return std::unexpected(ProjectFailure{error, std::move(where)});
}

std::expected<double, ProjectFailure> numberAt(const Json& object, const char* key,
                                               const std::string& where) {
    const Json* v = member(object, key);
    const auto* d = v ? std::get_if<double>(&v->value) : nullptr;
    if (d == nullptr) {
        return fail(ProjectError::MissingField, where + "." + key);
    }
    return *d;
}

std::expected<PointMm, ProjectFailure> pointAt(const Json& object, const std::string& where) {
    const auto X = numberAt(object, "X", where);
    if (!X) {
        return Failure(X.error());
    }
    const auto Y = numberAt(object, "Y", where);
    if (!Y) {
        return Failure(Y.error());
    }
    const PointMm p{*X, *Y};
    if (!withinReach(p)) {
        return fail(ProjectError::BeyondReach, where);
    }
    return p;
}

bool goodName(std::string_view name) {
    if (name.empty() || name.size() > 16) {
        return false;
    }
    for (const char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!ok) {
            return false;
        }
    }
    return true;
}

std::expected<std::vector<NamedValue>, ProjectFailure> valuesAt(const Json& object, const char* key,
                                                                const std::string& where) {
    const Json* v = member(object, key);
    const auto* members = v ? std::get_if<std::shared_ptr<JsonObject>>(&v->value) : nullptr;
    if (members == nullptr) {
        return fail(ProjectError::MissingField, where + "." + key);
    }
    constexpr std::size_t kMaxValues = 64;  // an entry has a handful; the check below is quadratic
    if ((*members)->size() > kMaxValues) {
        return fail(ProjectError::TooLarge, where + "." + key);
    }
    std::vector<NamedValue> out;
    for (const auto& [name, value] : **members) {
        const auto* d = std::get_if<double>(&value.value);
        if (d == nullptr) {
            return fail(ProjectError::MissingField, where + "." + key + "." + name);
        }
        if (!goodName(name) || valueOf(out, name)) {
            return fail(ProjectError::ImpossibleValue, where + "." + key + "." + name);
        }
        out.push_back({name, *d});
    }
    return out;
}

// The results each kind must carry.
std::vector<const char*> requiredResults(EntryKind kind) {
    switch (kind) {
        case EntryKind::Point:
            return {"number"};
        case EntryKind::Mixing:
            return {"x3", "i3"};
        case EntryKind::Cooling:
        case EntryKind::Heating:
            return {"Q"};
        case EntryKind::SteamHumidifying:
        case EntryKind::WaterSprayHumidifying:
            return {"L"};
        case EntryKind::Pmv:
            return {"PMV", "PPD"};
        case EntryKind::Discomfort:
            return {"DI", "share"};
        case EntryKind::ProcessStart:
            break;
    }
    return {};
}

// The label a state of an entry is drawn with.
std::string labelOf(EntryKind kind, std::size_t index, double number) {
    switch (kind) {
        case EntryKind::Point:
            return generalText(number) + "点";
        case EntryKind::ProcessStart:
            return "点１";
        case EntryKind::Mixing:
            return index == 0 ? "点２" : "混合点";
        case EntryKind::Cooling:
            return "点２";
        case EntryKind::Heating:
        case EntryKind::SteamHumidifying:
        case EntryKind::WaterSprayHumidifying:
            return index == 0 ? "点１" : "点２";
        case EntryKind::Pmv:
        case EntryKind::Discomfort:
            break;
    }
    return {};
}

// How far a mark may lie from the point of its own state: the dialogs draw in single precision.
constexpr double kMarkTolerance = 1e-3;  // mm

std::expected<MarkedState, ProjectFailure> stateAt(const Json& json, const std::string& where) {
    const auto at = pointAt(json, where);
    if (!at) {
        return Failure(at.error());
    }
    const auto x = numberAt(json, "x", where);
    if (!x) {
        return Failure(x.error());
    }
    const auto i = numberAt(json, "i", where);
    if (!i) {
        return Failure(i.error());
    }
    const PointMm own = statePoint(*i, 1000.0 * *x);
    if (!withinReach(own) || std::abs(own.X - at->X) > kMarkTolerance ||
        std::abs(own.Y - at->Y) > kMarkTolerance) {
        return fail(ProjectError::ImpossibleValue, where);
    }
    return MarkedState{{}, *at, *x, *i};
}

std::expected<Entry, ProjectFailure> entryAt(const Json& json, const std::string& where) {
    const Json* kindJson = member(json, "kind");
    const auto* kindText = kindJson ? std::get_if<std::string>(&kindJson->value) : nullptr;
    if (kindText == nullptr) {
        return fail(ProjectError::MissingField, where + ".kind");
    }
    const std::optional<EntryKind> kind = kindFromName(*kindText);
    if (!kind) {
        return fail(ProjectError::ImpossibleValue, where + ".kind");
    }
    Entry entry;
    entry.kind = *kind;
    auto inputs = valuesAt(json, "inputs", where);
    if (!inputs) {
        return Failure(inputs.error());
    }
    entry.inputs = std::move(*inputs);
    auto results = valuesAt(json, "results", where);
    if (!results) {
        return Failure(results.error());
    }
    entry.results = std::move(*results);
    for (const char* name : requiredResults(*kind)) {
        if (!valueOf(entry.results, name)) {
            return fail(ProjectError::MissingField, where + ".results." + name);
        }
    }
    const double number = valueOf(entry.results, "number").value_or(0.0);
    if (*kind == EntryKind::Point &&
        !(number >= 1.0 && number <= 1.0e7 && number == std::floor(number))) {
        return fail(ProjectError::ImpossibleValue, where + ".results.number");
    }

    const Json* statesJson = member(json, "states");
    const auto* states =
        statesJson ? std::get_if<std::shared_ptr<JsonArray>>(&statesJson->value) : nullptr;
    if (states == nullptr) {
        return fail(ProjectError::MissingField, where + ".states");
    }
    if ((*states)->size() != stateCount(*kind)) {
        return fail(ProjectError::MissingField, where + ".states");
    }
    for (std::size_t k = 0; k < (*states)->size(); ++k) {
        auto s = stateAt((**states)[k], where + ".states[" + std::to_string(k) + "]");
        if (!s) {
            return Failure(s.error());
        }
        s->label = labelOf(*kind, k, number);
        entry.states.push_back(std::move(*s));
    }

    if (const Json* line = member(json, "lineFrom")) {
        const auto from = pointAt(*line, where + ".lineFrom");
        if (!from) {
            return Failure(from.error());
        }
        if (*kind != EntryKind::Point && !needsLine(*kind)) {
            return fail(ProjectError::ImpossibleValue, where + ".lineFrom");
        }
        entry.lineFrom = *from;
    } else if (needsLine(*kind)) {
        return fail(ProjectError::MissingField, where + ".lineFrom");
    }
    return entry;
}

}  // namespace

std::expected<MarkedWork, ProjectFailure> readProject(std::string_view bytes) {
    if (bytes.size() > kProjectMaxBytes) {
        return fail(ProjectError::TooLarge, {});
    }
    const std::optional<Json> document = Parser(bytes).document();
    if (!document) {
        return fail(ProjectError::NotJson, {});
    }
    const Json* format = member(*document, "format");
    const auto* formatText = format ? std::get_if<std::string>(&format->value) : nullptr;
    if (formatText == nullptr || *formatText != kProjectFormat) {
        return fail(ProjectError::NotProject, {});
    }
    const auto version = numberAt(*document, "version", "");
    if (!version) {
        return fail(ProjectError::MissingField, "version");
    }
    if (*version > kProjectVersion) {
        return fail(ProjectError::NewerVersion, "version");
    }
    if (*version != kProjectVersion) {
        return fail(ProjectError::ImpossibleValue, "version");
    }
    MarkedWork work;
    const Json* drawn = member(*document, "chartDrawn");
    const auto* drawnFlag = drawn ? std::get_if<bool>(&drawn->value) : nullptr;
    if (drawnFlag == nullptr) {
        return fail(ProjectError::MissingField, "chartDrawn");
    }
    work.chartDrawn = *drawnFlag;
    if (const Json* settings = member(*document, "settings")) {
        const auto text = [&](std::string_view key) -> const std::string* {
            const Json* value = member(*settings, key);
            return value ? std::get_if<std::string>(&value->value) : nullptr;
        };
        const std::string* units = text("units");
        const std::string* pressureUnit = text("pressureUnit");
        const std::string* pressure = text("pressure");
        if (units == nullptr || pressureUnit == nullptr || pressure == nullptr) {
            return fail(ProjectError::MissingField, "settings");
        }
        work.settings = settingsFromStoredExactly(*units, *pressureUnit, *pressure);
        if (!work.settings) {
            return fail(ProjectError::ImpossibleValue, "settings");
        }
    }
    const Json* entriesJson = member(*document, "entries");
    const auto* entries =
        entriesJson ? std::get_if<std::shared_ptr<JsonArray>>(&entriesJson->value) : nullptr;
    if (entries == nullptr) {
        return fail(ProjectError::MissingField, "entries");
    }
    if ((*entries)->size() > kProjectMaxEntries) {
        return fail(ProjectError::TooLarge, "entries");
    }
    for (std::size_t k = 0; k < (*entries)->size(); ++k) {
        auto entry = entryAt((**entries)[k], "entries[" + std::to_string(k) + "]");
        if (!entry) {
            return Failure(entry.error());
        }
        work.entries.push_back(std::move(*entry));
    }
    return work;
}

}  // namespace chart
