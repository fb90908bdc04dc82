#include "data/data_archive.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <nlohmann/json.hpp>
#include <utility>
#include <variant>

#include "data/column_memory.h"
#include "data/design_conditions.h"

namespace data {
namespace {

using Json = chart::ProjectJson;
using Sink = std::function<bool(std::string_view)>;

// ---- base64 ----

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The six bits a character stands for, or -1.
int sextet(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    if (c == '+') {
        return 62;
    }
    return c == '/' ? 63 : -1;
}

// The length of the base64 text of `bytes` bytes.
std::size_t base64Length(std::size_t bytes) {
    return (bytes + 2) / 3 * 4;
}

// ---- writing ----

std::string colourText(std::uint32_t colour) {
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string out = "#";
    for (int shift = 20; shift >= 0; shift -= 4) {
        out += kHex[(colour >> static_cast<unsigned>(shift)) & 0xFU];
    }
    return out;
}

// Readings of x without pressures are written as "states", as every file before the readings
// were kept, so that such a file is written again byte for byte.
bool plainRows(const DataSet& set) {
    return set.humidity == Humidity::X && set.pressures.empty();
}

std::string_view humidityName(Humidity humidity) {
    switch (humidity) {
        case Humidity::Phi:
            return "phi";
        case Humidity::Dew:
            return "dew";
        case Humidity::X:
            break;
    }
    return "x";
}

// A layer's members before its rows, in the order they are written.
Json layerHead(const DataLayer& layer) {
    const DataSet& set = *layer.set;
    Json out = Json::object();
    out["path"] = layer.path;
    out["name"] = set.name;
    out["style"] = layer.style == LayerStyle::Hours ? "hours" : "points";
    out["colour"] = colourText(layer.colour & 0xFFFFFFU);
    out["shown"] = layer.shown;
    out["months"] = layer.filter.months;
    out["hours"] = layer.filter.hours;
    out["hourly"] = set.hourly;
    if (set.hasElevation) {
        out["elevation"] = set.elevation;
    }
    if (!set.designConditions.empty()) {
        Json conditions = Json::array();
        for (const DesignCondition& c : set.designConditions) {
            Json condition = Json::object();
            condition["kind"] = designConditionName(c.kind);
            condition["t"] = c.dryBulb;
            if (c.wetBulb) {
                condition["tw"] = *c.wetBulb;
            }
            conditions.push_back(std::move(condition));
        }
        out["designConditions"] = std::move(conditions);
    }
    if (layer.readWith) {
        out["columns"] = choiceText(*layer.readWith);
    }
    if (layer.datesUnread) {
        out["datesUnread"] = true;
    }
    out["rows"] = set.rows();
    if (!plainRows(set)) {
        out["humidity"] = humidityName(set.humidity);
    }
    return out;
}

void putWord(std::vector<std::uint8_t>& bytes, std::uint32_t word) {
    for (unsigned shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(word >> shift));
    }
}

// Rows go to the file a piece at a time, never as one text: a piece is a whole number of base64
// groups (a multiple of three bytes), so the pieces' texts joined are the text of all the bytes.
constexpr std::size_t kPieceRows = 3 * 4096;

// The member `key` of a layer: the base64 text of `count` items, each made bytes by `bytesOf`
// a piece at a time.
bool putRowsMember(
    const Sink& put, std::string_view key, std::size_t count,
    const std::function<std::vector<std::uint8_t>(std::size_t, std::size_t)>& bytesOf) {
    if (!put(",\n      \"") || !put(key) || !put("\": \"")) {
        return false;
    }
    for (std::size_t first = 0; first < count; first += kPieceRows) {
        const std::size_t last = std::min(count, first + kPieceRows);
        if (!put(base64Encode(bytesOf(first, last)))) {
            return false;
        }
    }
    return put("\"");
}

bool putLayer(const Sink& put, const DataLayer& layer) {
    const DataSet& set = *layer.set;
    std::string head = "    {";
    const Json members = layerHead(layer);
    const char* separator = "\n";
    for (const auto& [key, value] : members.items()) {
        head += separator;
        head += "      \"" + key + "\": ";
        // A list's nested lines indented past the member's own.
        for (const char c : value.dump(2, ' ', false, Json::error_handler_t::replace)) {
            head += c;
            if (c == '\n') {
                head += "      ";
            }
        }
        separator = ",\n";
    }
    if (!put(head)) {
        return false;
    }
    const auto readings = [&set](std::size_t first, std::size_t last) {
        return rowBytes(std::span(set.readings).subspan(first, last - first));
    };
    if (!putRowsMember(put, plainRows(set) ? "states" : "readings", set.rows(), readings)) {
        return false;
    }
    if (!set.pressures.empty()) {
        const auto pressures = [&set](std::size_t first, std::size_t last) {
            std::vector<std::uint8_t> bytes;
            bytes.reserve((last - first) * 4);
            for (std::size_t k = first; k < last; ++k) {
                putWord(bytes, std::bit_cast<std::uint32_t>(set.pressures[k]));
            }
            return bytes;
        };
        if (!putRowsMember(put, "pressures", set.pressures.size(), pressures)) {
            return false;
        }
    }
    if (!set.times.empty()) {
        const auto times = [&set](std::size_t first, std::size_t last) {
            std::vector<std::uint8_t> bytes;
            bytes.reserve((last - first) * 4);
            for (std::size_t k = first; k < last; ++k) {
                putWord(bytes, set.times[k]);
            }
            return bytes;
        };
        if (!putRowsMember(put, "times", set.times.size(), times)) {
            return false;
        }
    }
    return put("\n    }");
}

// `value` as the member `name` of the top-level object: indented by two, nested lines by two
// more, as a document dumped whole with an indent of two has it.
std::string memberText(std::string_view name, const Json& value) {
    const std::string dumped = value.dump(2, ' ', false, Json::error_handler_t::replace);
    std::string out = "  \"" + std::string(name) + "\": ";
    out.reserve(out.size() + dumped.size() + dumped.size() / 16);
    for (const char c : dumped) {
        out += c;
        if (c == '\n') {
            out += "  ";
        }
    }
    return out;
}

Json zoneJson(const Zone& zone) {
    Json out = Json::object();
    if (const auto* r = std::get_if<RangeZone>(&zone)) {
        out["kind"] = "range";
        out["name"] = r->name;
        out["t"] = Json::array({r->tLow, r->tHigh});
        out[r->absolute ? "x" : "phi"] = Json::array({r->humidityLow, r->humidityHigh});
        return out;
    }
    const auto& p = std::get<PmvZone>(zone);
    out["kind"] = "pmv";
    out["name"] = p.name;
    out["met"] = p.met;
    out["clo"] = p.clo;
    out["vel"] = p.vel;
    if (p.tr) {
        out["tr"] = *p.tr;
    }
    out["limit"] = p.limit;
    return out;
}

}  // namespace

std::string base64Encode(std::span<const std::uint8_t> bytes) {
    std::string out;
    out.reserve(base64Length(bytes.size()));
    std::size_t k = 0;
    for (; k + 3 <= bytes.size(); k += 3) {
        const std::uint32_t group =
            (std::uint32_t{bytes[k]} << 16U) | (std::uint32_t{bytes[k + 1]} << 8U) | bytes[k + 2];
        for (unsigned shift = 18;; shift -= 6) {
            out += kAlphabet[(group >> shift) & 0x3FU];
            if (shift == 0) {
                break;
            }
        }
    }
    const std::size_t left = bytes.size() - k;
    if (left > 0) {
        std::uint32_t group = std::uint32_t{bytes[k]} << 16U;
        if (left == 2) {
            group |= std::uint32_t{bytes[k + 1]} << 8U;
        }
        out += kAlphabet[(group >> 18U) & 0x3FU];
        out += kAlphabet[(group >> 12U) & 0x3FU];
        out += left == 2 ? kAlphabet[(group >> 6U) & 0x3FU] : '=';
        out += '=';
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> base64Decode(std::string_view text) {
    if (text.size() % 4 != 0) {
        return std::nullopt;
    }
    std::size_t padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=') {
        ++padding;
    }
    std::vector<std::uint8_t> out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t k = 0; k < text.size(); k += 4) {
        const bool last = k + 4 == text.size();
        const std::size_t used = last ? 4 - padding : 4;
        std::uint32_t group = 0;
        for (std::size_t j = 0; j < 4; ++j) {
            const int bits = j < used ? sextet(text[k + j]) : 0;
            if (bits < 0) {
                return std::nullopt;
            }
            group = (group << 6U) | static_cast<std::uint32_t>(bits);
        }
        const std::size_t bytes = used - 1;  // 4 characters: 3 bytes, 3: 2, 2: 1
        // The bits past the last byte must be zero, so each text stands for one set of bytes.
        if ((group & ((1U << (8 * (3 - bytes))) - 1U)) != 0) {
            return std::nullopt;
        }
        for (std::size_t j = 0; j < bytes; ++j) {
            out.push_back(static_cast<std::uint8_t>(group >> (16 - 8 * j)));
        }
    }
    return out;
}

std::vector<std::uint8_t> rowBytes(std::span<const Reading> rows) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(rows.size() * kRowBytes);
    for (const Reading& r : rows) {
        putWord(bytes, std::bit_cast<std::uint32_t>(r.t));
        putWord(bytes, std::bit_cast<std::uint32_t>(r.humidity));
    }
    return bytes;
}

std::expected<std::vector<Reading>, std::size_t> rowsFromBytes(std::span<const std::uint8_t> bytes,
                                                               Humidity humidity) {
    const auto word = [&bytes](std::size_t at) {
        std::uint32_t w = 0;
        for (unsigned j = 0; j < 4; ++j) {
            w |= std::uint32_t{bytes[at + j]} << (8 * j);
        }
        return w;
    };
    const auto [low, high] = humidity == Humidity::Phi ? std::pair{0.0F, 100.01F}
                             : humidity == Humidity::X ? std::pair{0.0F, 1.0F}
                                                       : std::pair{-100.0F, 200.0F};
    std::vector<Reading> rows;
    rows.reserve(bytes.size() / kRowBytes);
    for (std::size_t at = 0; at + kRowBytes <= bytes.size(); at += kRowBytes) {
        const auto t = std::bit_cast<float>(word(at));
        const auto h = std::bit_cast<float>(word(at + 4));
        // Comparisons that fail for NaN: a row is air of the chart's world or none.
        if (!(t >= -100.0F && t <= 200.0F && h >= low && h <= high)) {
            return std::unexpected(rows.size());
        }
        rows.push_back({t, h});
    }
    return rows;
}

bool writeDataMembers(const DataPart& part, const Sink& put) {
    if (part.empty()) {
        return true;
    }
    if (!put(part.layers.empty() ? "  \"data\": []" : "  \"data\": [\n")) {
        return false;
    }
    for (std::size_t k = 0; k < part.layers.size(); ++k) {
        if ((k > 0 && !put(",\n")) || !putLayer(put, part.layers[k])) {
            return false;
        }
    }
    if (!part.layers.empty() && !put("\n  ]")) {
        return false;
    }
    Json zones = Json::array();
    for (const Zone& zone : part.zones) {
        zones.push_back(zoneJson(zone));
    }
    return put(",\n") && put(memberText("zones", zones));
}

namespace {

// ---- reading ----

using Failure = std::unexpected<chart::ProjectFailure>;

Failure fail(chart::ProjectError error, std::string where) {
    return std::unexpected(chart::ProjectFailure{error, std::move(where)});
}

const Json* member(const Json& object, const char* key) {
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

std::expected<const Json*, chart::ProjectFailure> field(const Json& object, const char* key,
                                                        const std::string& where,
                                                        bool (Json::*is)() const noexcept) {
    const Json* v = member(object, key);
    if (v == nullptr || !(v->*is)()) {
        return fail(chart::ProjectError::MissingField, where + "." + key);
    }
    return v;
}

std::expected<double, chart::ProjectFailure> numberAt(const Json& object, const char* key,
                                                      const std::string& where) {
    const auto v = field(object, key, where, &Json::is_number);
    if (!v) {
        return Failure(v.error());
    }
    return (*v)->get<double>();
}

struct Bounds {
    double low;
    double high;
};

std::expected<Bounds, chart::ProjectFailure> boundsAt(const Json& object, const char* key,
                                                      const std::string& where) {
    const Json* v = member(object, key);
    if (v == nullptr || !v->is_array() || v->size() != 2 || !(*v)[0].is_number() ||
        !(*v)[1].is_number()) {
        return fail(chart::ProjectError::MissingField, where + "." + key);
    }
    return Bounds{(*v)[0].get<double>(), (*v)[1].get<double>()};
}

std::expected<std::uint64_t, chart::ProjectFailure> wholeAt(const Json& object, const char* key,
                                                            const std::string& where,
                                                            std::uint64_t most) {
    const auto v = field(object, key, where, &Json::is_number_unsigned);
    if (!v) {
        return Failure(v.error());
    }
    const auto n = (*v)->get<std::uint64_t>();
    if (n > most) {
        return fail(chart::ProjectError::ImpossibleValue, where + "." + key);
    }
    return n;
}

std::optional<std::uint32_t> colourOf(const std::string& text) {
    if (text.size() != 7 || text[0] != '#') {
        return std::nullopt;
    }
    std::uint32_t colour = 0;
    for (std::size_t k = 1; k < text.size(); ++k) {
        const char c = text[k];
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            return std::nullopt;
        }
        colour = (colour << 4U) | static_cast<std::uint32_t>(digit);
    }
    return colour;
}

// The bytes of a base64 member holding exactly `count` bytes.
std::expected<std::vector<std::uint8_t>, chart::ProjectFailure> bytesAt(const Json& object,
                                                                        const char* key,
                                                                        const std::string& where,
                                                                        std::size_t count) {
    const auto v = field(object, key, where, &Json::is_string);
    if (!v) {
        return Failure(v.error());
    }
    const auto& text = (*v)->get_ref<const std::string&>();
    if (text.size() != base64Length(count)) {
        return fail(chart::ProjectError::BadRows, where + "." + key);
    }
    auto bytes = base64Decode(text);
    if (!bytes || bytes->size() != count) {
        return fail(chart::ProjectError::BadRows, where + "." + key);
    }
    return std::move(*bytes);
}

// The rows putLayer wrote: "readings" of the kind "humidity" names with their "pressures", or
// "states", readings of x.
std::expected<void, chart::ProjectFailure> readRows(const Json& json, std::size_t count,
                                                    const std::string& where, DataSet& set) {
    const bool readings = member(json, "readings") != nullptr;
    set.humidity = Humidity::X;
    if (readings) {
        const auto kind = field(json, "humidity", where, &Json::is_string);
        if (!kind) {
            return Failure(kind.error());
        }
        const auto& name = (*kind)->get_ref<const std::string&>();
        if (name == "phi") {
            set.humidity = Humidity::Phi;
        } else if (name == "dew") {
            set.humidity = Humidity::Dew;
        } else if (name != "x") {
            return fail(chart::ProjectError::ImpossibleValue, where + ".humidity");
        }
    }
    const char* key = readings ? "readings" : "states";
    const auto bytes = bytesAt(json, key, where, count * kRowBytes);
    if (!bytes) {
        return Failure(bytes.error());
    }
    auto rows = rowsFromBytes(*bytes, set.humidity);
    if (!rows) {
        return fail(chart::ProjectError::ImpossibleValue,
                    where + "." + key + "[" + std::to_string(rows.error()) + "]");
    }
    set.readings = std::move(*rows);
    if (const Json* p = member(json, "pressures"); p != nullptr) {
        const bool one = p->is_string() && p->get_ref<const std::string&>().size() == 8;
        const auto words = bytesAt(json, "pressures", where, (one ? 1 : count) * 4);
        if (!words) {
            return Failure(words.error());
        }
        for (std::size_t at = 0; at + 4 <= words->size(); at += 4) {
            std::uint32_t word = 0;
            for (unsigned j = 0; j < 4; ++j) {
                word |= std::uint32_t{(*words)[at + j]} << (8 * j);
            }
            const auto ratio = std::bit_cast<float>(word);
            if (!(ratio >= psychro::lowestPressureRatio().value() &&
                  ratio <= psychro::highestPressureRatio().value())) {
                return fail(chart::ProjectError::ImpossibleValue, where + ".pressures");
            }
            set.pressures.push_back(ratio);
        }
    }
    return {};
}

// The design conditions layerHead wrote: at most one of each kind, in the order of the kinds,
// as a weather file gives them (readDesignConditions): temperatures within the file's range, a
// wet bulb for each cooling condition and none for heating, at most its dry bulb.
std::expected<std::vector<DesignCondition>, chart::ProjectFailure> designConditionsAt(
    const Json& json, const std::string& where) {
    constexpr std::size_t kKinds = 5;
    const std::string at = where + ".designConditions";
    const Json* list = member(json, "designConditions");
    if (!list->is_array()) {
        return fail(chart::ProjectError::MissingField, at);
    }
    if (list->size() > kKinds) {
        return fail(chart::ProjectError::TooLarge, at);
    }
    const auto temperature = [](double t) { return t >= -70.0 && t <= 70.0; };
    std::vector<DesignCondition> out;
    for (std::size_t k = 0; k < list->size(); ++k) {
        const std::string item = at + "[" + std::to_string(k) + "]";
        const Json& c = (*list)[k];
        if (!c.is_object()) {
            return fail(chart::ProjectError::MissingField, item);
        }
        const auto name = field(c, "kind", item, &Json::is_string);
        if (!name) {
            return Failure(name.error());
        }
        const auto kind = designConditionNamed((*name)->get_ref<const std::string&>());
        if (!kind || (!out.empty() && *kind <= out.back().kind)) {
            return fail(chart::ProjectError::ImpossibleValue, item + ".kind");
        }
        const auto dryBulb = numberAt(c, "t", item);
        if (!dryBulb) {
            return Failure(dryBulb.error());
        }
        if (!temperature(*dryBulb)) {
            return fail(chart::ProjectError::ImpossibleValue, item + ".t");
        }
        const bool cooling = *kind <= DesignConditionKind::Cooling2;
        if (!cooling && member(c, "tw") != nullptr) {
            return fail(chart::ProjectError::ImpossibleValue, item + ".tw");
        }
        DesignCondition condition{*kind, *dryBulb, std::nullopt};
        if (cooling) {
            const auto wetBulb = numberAt(c, "tw", item);
            if (!wetBulb) {
                return Failure(wetBulb.error());
            }
            if (!temperature(*wetBulb) || *wetBulb > *dryBulb) {
                return fail(chart::ProjectError::ImpossibleValue, item + ".tw");
            }
            condition.wetBulb = *wetBulb;
        }
        out.push_back(condition);
    }
    return out;
}

std::expected<DataLayer, chart::ProjectFailure> layerAt(const Json& json,
                                                        const std::string& where) {
    if (!json.is_object()) {
        return fail(chart::ProjectError::MissingField, where);
    }
    const auto path = field(json, "path", where, &Json::is_string);
    const auto name = field(json, "name", where, &Json::is_string);
    const auto style = field(json, "style", where, &Json::is_string);
    const auto colour = field(json, "colour", where, &Json::is_string);
    const auto shown = field(json, "shown", where, &Json::is_boolean);
    const auto hourly = field(json, "hourly", where, &Json::is_boolean);
    for (const auto* got : {&path, &name, &style, &colour, &shown, &hourly}) {
        if (!*got) {
            return Failure(got->error());
        }
    }
    DataLayer layer;
    auto set = std::make_shared<DataSet>();
    layer.path = (*path)->get<std::string>();
    set->name = (*name)->get<std::string>();
    const auto& styleName = (*style)->get_ref<const std::string&>();
    if (styleName != "points" && styleName != "hours") {
        return fail(chart::ProjectError::ImpossibleValue, where + ".style");
    }
    layer.style = styleName == "hours" ? LayerStyle::Hours : LayerStyle::Points;
    const auto rgb = colourOf((*colour)->get_ref<const std::string&>());
    if (!rgb) {
        return fail(chart::ProjectError::ImpossibleValue, where + ".colour");
    }
    layer.colour = *rgb;
    layer.shown = (*shown)->get<bool>();
    set->hourly = (*hourly)->get<bool>();
    const auto months = wholeAt(json, "months", where, 0x0FFF);
    if (!months) {
        return Failure(months.error());
    }
    const auto hours = wholeAt(json, "hours", where, 0x00FFFFFF);
    if (!hours) {
        return Failure(hours.error());
    }
    layer.filter = {static_cast<std::uint16_t>(*months), static_cast<std::uint32_t>(*hours)};
    if (member(json, "elevation") != nullptr) {
        const auto elevation = numberAt(json, "elevation", where);
        if (!elevation) {
            return Failure(elevation.error());
        }
        set->elevation = *elevation;
        set->hasElevation = true;
    }
    if (member(json, "designConditions") != nullptr) {
        auto conditions = designConditionsAt(json, where);
        if (!conditions) {
            return Failure(conditions.error());
        }
        set->designConditions = std::move(*conditions);
    }
    if (const Json* columns = member(json, "columns"); columns != nullptr) {
        const auto choice = columns->is_string()
                                ? choiceFromText(columns->get_ref<const std::string&>())
                                : std::nullopt;
        if (!choice) {
            return fail(chart::ProjectError::ImpossibleValue, where + ".columns");
        }
        layer.readWith = *choice;
    }
    if (const Json* unread = member(json, "datesUnread"); unread != nullptr) {
        if (!unread->is_boolean()) {
            return fail(chart::ProjectError::ImpossibleValue, where + ".datesUnread");
        }
        layer.datesUnread = unread->get<bool>();
    }
    const auto rows = field(json, "rows", where, &Json::is_number_unsigned);
    if (!rows) {
        return Failure(rows.error());
    }
    if ((*rows)->get<std::uint64_t>() > kArchiveMaxRows) {
        return fail(chart::ProjectError::TooLarge, where + ".rows");
    }
    const auto count = (*rows)->get<std::size_t>();
    if (auto rowsRead = readRows(json, count, where, *set); !rowsRead) {
        return Failure(rowsRead.error());
    }
    if (member(json, "times") != nullptr) {
        const auto times = bytesAt(json, "times", where, count * 4);
        if (!times) {
            return Failure(times.error());
        }
        set->times.resize(count);
        for (std::size_t k = 0; k < count; ++k) {
            std::uint32_t word = 0;
            for (unsigned j = 0; j < 4; ++j) {
                word |= std::uint32_t{(*times)[4 * k + j]} << (8 * j);
            }
            set->times[k] = word;
        }
    }
    layer.set = std::move(set);
    return layer;
}

std::expected<Zone, chart::ProjectFailure> zoneAt(const Json& json, const std::string& where) {
    if (!json.is_object()) {
        return fail(chart::ProjectError::MissingField, where);
    }
    const auto kind = field(json, "kind", where, &Json::is_string);
    if (!kind) {
        return Failure(kind.error());
    }
    const auto name = field(json, "name", where, &Json::is_string);
    if (!name) {
        return Failure(name.error());
    }
    const auto& kindName = (*kind)->get_ref<const std::string&>();
    Zone zone;
    if (kindName == "range") {
        const auto t = boundsAt(json, "t", where);
        if (!t) {
            return Failure(t.error());
        }
        const bool absolute = member(json, "x") != nullptr;
        if (absolute && member(json, "phi") != nullptr) {
            return fail(chart::ProjectError::ImpossibleValue, where + ".x");
        }
        const auto humidity = boundsAt(json, absolute ? "x" : "phi", where);
        if (!humidity) {
            return Failure(humidity.error());
        }
        zone = RangeZone{
            (*name)->get<std::string>(), t->low, t->high, absolute, humidity->low, humidity->high};
    } else if (kindName == "pmv") {
        std::array<double, 4> numbers{};
        const std::array<const char*, 4> keys{"met", "clo", "vel", "limit"};
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const auto v = numberAt(json, keys[k], where);
            if (!v) {
                return Failure(v.error());
            }
            numbers[k] = *v;
        }
        std::optional<double> tr;
        if (member(json, "tr") != nullptr) {
            const auto v = numberAt(json, "tr", where);
            if (!v) {
                return Failure(v.error());
            }
            tr = *v;
        }
        zone = PmvZone{
            (*name)->get<std::string>(), numbers[0], numbers[1], numbers[2], tr, numbers[3]};
    } else {
        return fail(chart::ProjectError::ImpossibleValue, where + ".kind");
    }
    if (!zoneValid(zone)) {
        return fail(chart::ProjectError::ImpossibleValue, where);
    }
    return zone;
}

}  // namespace

std::expected<DataPart, chart::ProjectFailure> dataPartFromDocument(const Json& document) {
    const Json* layers = document.is_object() ? member(document, "data") : nullptr;
    const Json* zones = document.is_object() ? member(document, "zones") : nullptr;
    DataPart part;
    if (layers != nullptr) {
        if (!layers->is_array()) {
            return fail(chart::ProjectError::MissingField, "data");
        }
        if (layers->size() > kArchiveMaxLayers) {
            return fail(chart::ProjectError::TooLarge, "data");
        }
        for (std::size_t k = 0; k < layers->size(); ++k) {
            auto layer = layerAt((*layers)[k], "data[" + std::to_string(k) + "]");
            if (!layer) {
                return Failure(layer.error());
            }
            part.layers.push_back(std::move(*layer));
        }
    }
    if (zones != nullptr) {
        if (!zones->is_array()) {
            return fail(chart::ProjectError::MissingField, "zones");
        }
        if (zones->size() > kArchiveMaxZones) {
            return fail(chart::ProjectError::TooLarge, "zones");
        }
        for (std::size_t k = 0; k < zones->size(); ++k) {
            auto zone = zoneAt((*zones)[k], "zones[" + std::to_string(k) + "]");
            if (!zone) {
                return Failure(zone.error());
            }
            part.zones.push_back(std::move(*zone));
        }
    }
    return part;
}

bool sameData(const DataPart& a, const DataPart& b) {
    if (a.zones != b.zones || a.layers.size() != b.layers.size()) {
        return false;
    }
    for (std::size_t k = 0; k < a.layers.size(); ++k) {
        const DataLayer& p = a.layers[k];
        const DataLayer& q = b.layers[k];
        if (p.path != q.path || p.style != q.style || p.colour != q.colour || p.shown != q.shown ||
            !(p.filter == q.filter) || p.readWith != q.readWith || p.datesUnread != q.datesUnread) {
            return false;
        }
        const DataSet& s = *p.set;
        const DataSet& r = *q.set;
        const auto same = [](Reading u, Reading v) {
            return u.t == v.t && u.humidity == v.humidity;
        };
        if (s.name != r.name || s.times != r.times || s.hourly != r.hourly ||
            s.humidity != r.humidity || s.pressures != r.pressures ||
            s.designConditions != r.designConditions || s.hasElevation != r.hasElevation ||
            (s.hasElevation && s.elevation != r.elevation) ||
            !std::equal(s.readings.begin(), s.readings.end(), r.readings.begin(), r.readings.end(),
                        same)) {
            return false;
        }
    }
    return true;
}

}  // namespace data
