#include "data/data_archive.h"

#include <array>
#include <bit>
#include <cmath>
#include <nlohmann/json.hpp>
#include <utility>
#include <variant>

#include "chart/project_file.h"

namespace data {
namespace {

using Json = nlohmann::ordered_json;

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

void putWord(std::vector<std::uint8_t>& bytes, std::uint32_t word) {
    for (unsigned shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(word >> shift));
    }
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

// The rows of a set as members of its layer's object: "humidity" (what the second number of
// each reading is), "readings" (t and that humidity as float32 pairs), "pressures" (the rows'
// pressure ratios as float32, one for the set or one per row; absent where the file gave
// none) and "times" (dated sets).
void writeRows(const DataSet& set, Json& out) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(set.rows() * 8);
    for (const Reading& r : set.readings) {
        putWord(bytes, std::bit_cast<std::uint32_t>(r.t));
        putWord(bytes, std::bit_cast<std::uint32_t>(r.humidity));
    }
    out["humidity"] = humidityName(set.humidity);
    out["readings"] = base64Encode(bytes);
    if (!set.pressures.empty()) {
        bytes.clear();
        for (const float p : set.pressures) {
            putWord(bytes, std::bit_cast<std::uint32_t>(p));
        }
        out["pressures"] = base64Encode(bytes);
    }
    if (!set.times.empty()) {
        bytes.clear();
        for (const std::uint32_t time : set.times) {
            putWord(bytes, time);
        }
        out["times"] = base64Encode(bytes);
    }
}

Json layerJson(const DataLayer& layer) {
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
    out["rows"] = set.rows();
    writeRows(set, out);
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

// `value` dumped as the member `name` of an object indented by two.
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

std::string dataMembers(const DataPart& part) {
    if (part.empty()) {
        return {};
    }
    Json layers = Json::array();
    for (const DataLayer& layer : part.layers) {
        layers.push_back(layerJson(layer));
    }
    Json zones = Json::array();
    for (const Zone& zone : part.zones) {
        zones.push_back(zoneJson(zone));
    }
    return memberText("data", layers) + ",\n" + memberText("zones", zones);
}

std::string writeProjectWithData(const chart::MarkedWork& work, const DataPart& part) {
    std::string text = chart::writeProject(work);
    const std::string members = dataMembers(part);
    if (members.empty()) {
        return text;
    }
    // After the work's last member, before the top-level object's closing brace (the work's
    // text always has members: its format and version).
    const std::size_t brace = text.rfind('}');
    const std::size_t last = text.find_last_not_of(" \n", brace - 1);
    return text.substr(0, last + 1) + ",\n" + members + "\n" + text.substr(brace);
}

namespace {

// ---- reading: the two members only, bounded ----

constexpr std::size_t kMaxDepth = 16;
// The values kept of the two members: a layer has about fifteen, a zone ten.
constexpr std::size_t kMaxKeptValues = 8192;

using Failure = std::unexpected<DataArchiveFailure>;

Failure fail(DataArchiveError error, std::string where) {
    return std::unexpected(DataArchiveFailure{error, std::move(where)});
}

// Follows the parser's events through the whole file and keeps the values of the top-level
// object's "data" and "zones" only; every other value is passed over as it goes by. Ends the
// parse at the first value nested deeper than kMaxDepth, a name given twice in a kept object
// (or "data"/"zones" twice), a number that overflows, or more than kMaxKeptValues kept.
class MemberReader {
  public:
    std::optional<DataArchiveFailure> failure;
    Json data;
    Json zones;
    bool hasData = false;
    bool hasZones = false;

    bool null() { return scalar(nullptr); }
    bool boolean(bool v) { return scalar(v); }
    bool number_integer(Json::number_integer_t v) { return scalar(v); }
    bool number_unsigned(Json::number_unsigned_t v) { return scalar(v); }
    bool number_float(Json::number_float_t v, const Json::string_t& /*text*/) {
        return std::isfinite(v) ? scalar(v) : stop(DataArchiveError::NotJson);
    }
    bool string(Json::string_t& v) { return scalar(std::move(v)); }
    bool binary(Json::binary_t& /*bytes*/) { return stop(DataArchiveError::NotJson); }
    bool start_object(std::size_t /*size*/) { return enter(Json::object()); }
    bool start_array(std::size_t /*size*/) { return enter(Json::array()); }
    bool end_object() { return leave(); }
    bool end_array() { return leave(); }
    bool key(Json::string_t& name) {
        if (root_ == nullptr && depth_ == 1) {
            const bool isData = name == "data";
            if (isData || name == "zones") {
                bool& seen = isData ? hasData : hasZones;
                if (seen) {
                    return stop(DataArchiveError::NotJson, name);
                }
                seen = true;
                root_ = isData ? &data : &zones;
                rootName_ = name;
            }
            return true;
        }
        key_ = std::move(name);
        return true;
    }
    bool parse_error(std::size_t /*at*/, const std::string& /*token*/,
                     const Json::exception& /*why*/) {
        return stop(DataArchiveError::NotJson);
    }

  private:
    bool stop(DataArchiveError why, std::string where = {}) {
        failure = DataArchiveFailure{why, std::move(where)};
        return false;
    }

    // Places `v` in the innermost kept container, or as the kept member itself.
    Json* place(Json&& v) {
        if (++kept_ > kMaxKeptValues) {
            stop(DataArchiveError::TooLarge, rootName_);
            return nullptr;
        }
        if (open_.empty()) {
            *root_ = std::move(v);
            return root_;
        }
        Json& container = *open_.back();
        if (container.is_object()) {
            if (container.contains(key_)) {
                stop(DataArchiveError::NotJson, rootName_);
                return nullptr;
            }
            return &(container[key_] = std::move(v));
        }
        container.push_back(std::move(v));
        return &container.back();
    }
    bool scalar(Json&& v) {
        if (!begun_) {
            return stop(DataArchiveError::NotProject);
        }
        if (root_ == nullptr) {
            return true;
        }
        if (place(std::move(v)) == nullptr) {
            return false;
        }
        if (open_.empty()) {
            root_ = nullptr;  // the member was a single value
        }
        return true;
    }
    bool enter(Json&& container) {
        if (!begun_) {
            begun_ = true;
            if (!container.is_object()) {
                return stop(DataArchiveError::NotProject);
            }
        }
        if (++depth_ > kMaxDepth) {
            return stop(DataArchiveError::NotJson);
        }
        if (root_ == nullptr) {
            return true;
        }
        Json* at = place(std::move(container));
        if (at == nullptr) {
            return false;
        }
        open_.push_back(at);
        return true;
    }
    bool leave() {
        --depth_;
        if (root_ != nullptr && !open_.empty()) {
            open_.pop_back();
            if (open_.empty()) {
                root_ = nullptr;
            }
        }
        return true;
    }

    bool begun_ = false;
    std::size_t depth_ = 0;
    std::size_t kept_ = 0;
    Json* root_ = nullptr;  // the member being kept
    std::string rootName_;
    std::vector<Json*> open_;  // its open containers; only the innermost grows
    std::string key_;
};

const Json* member(const Json& object, const char* key) {
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

std::expected<const Json*, DataArchiveFailure> field(const Json& object, const char* key,
                                                     const std::string& where,
                                                     bool (Json::*is)() const noexcept) {
    const Json* v = member(object, key);
    if (v == nullptr || !(v->*is)()) {
        return fail(DataArchiveError::MissingField, where + "." + key);
    }
    return v;
}

std::expected<double, DataArchiveFailure> numberAt(const Json& object, const char* key,
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

std::expected<Bounds, DataArchiveFailure> boundsAt(const Json& object, const char* key,
                                                   const std::string& where) {
    const Json* v = member(object, key);
    if (v == nullptr || !v->is_array() || v->size() != 2 || !(*v)[0].is_number() ||
        !(*v)[1].is_number()) {
        return fail(DataArchiveError::MissingField, where + "." + key);
    }
    return Bounds{(*v)[0].get<double>(), (*v)[1].get<double>()};
}

std::expected<std::uint64_t, DataArchiveFailure> wholeAt(const Json& object, const char* key,
                                                         const std::string& where,
                                                         std::uint64_t most) {
    const auto v = field(object, key, where, &Json::is_number_unsigned);
    if (!v) {
        return Failure(v.error());
    }
    const auto n = (*v)->get<std::uint64_t>();
    if (n > most) {
        return fail(DataArchiveError::ImpossibleValue, where + "." + key);
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

// The little-endian words of a base64 member holding exactly `words` of them.
std::expected<std::vector<std::uint32_t>, DataArchiveFailure> wordsAt(const Json& object,
                                                                      const char* key,
                                                                      const std::string& where,
                                                                      std::size_t words) {
    const auto v = field(object, key, where, &Json::is_string);
    if (!v) {
        return Failure(v.error());
    }
    const auto& text = (*v)->get_ref<const std::string&>();
    if (text.size() != base64Length(words * 4)) {
        return fail(DataArchiveError::BadRows, where + "." + key);
    }
    const auto bytes = base64Decode(text);
    if (!bytes || bytes->size() != words * 4) {
        return fail(DataArchiveError::BadRows, where + "." + key);
    }
    std::vector<std::uint32_t> out(words);
    for (std::size_t k = 0; k < words; ++k) {
        std::uint32_t word = 0;
        for (unsigned j = 0; j < 4; ++j) {
            word |= std::uint32_t{(*bytes)[4 * k + j]} << (8 * j);
        }
        out[k] = word;
    }
    return out;
}

// The rows writeRows wrote, or those of a file from before the readings were kept ("states":
// t and x as float32 pairs, placed as x at whatever pressure the chart is drawn for).
std::expected<void, DataArchiveFailure> readRows(const Json& json, std::size_t count,
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
            return fail(DataArchiveError::ImpossibleValue, where + ".humidity");
        }
    }
    const char* key = readings ? "readings" : "states";
    const auto words = wordsAt(json, key, where, 2 * count);
    if (!words) {
        return Failure(words.error());
    }
    const auto [low, high] = set.humidity == Humidity::Phi ? std::pair{0.0F, 100.01F}
                             : set.humidity == Humidity::X ? std::pair{0.0F, 1.0F}
                                                           : std::pair{-100.0F, 200.0F};
    set.readings.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        const auto t = std::bit_cast<float>((*words)[2 * k]);
        const auto h = std::bit_cast<float>((*words)[2 * k + 1]);
        // Comparisons that fail for NaN: a row is air of the chart's world or none.
        if (!(t >= -100.0F && t <= 200.0F && h >= low && h <= high)) {
            return fail(DataArchiveError::ImpossibleValue,
                        where + "." + key + "[" + std::to_string(k) + "]");
        }
        set.readings.push_back({t, h});
    }
    if (const Json* p = member(json, "pressures"); p != nullptr) {
        const std::size_t n =
            p->is_string() && p->get_ref<const std::string&>().size() == base64Length(4) ? 1
                                                                                         : count;
        const auto pressures = wordsAt(json, "pressures", where, n);
        if (!pressures) {
            return Failure(pressures.error());
        }
        for (const std::uint32_t word : *pressures) {
            const auto ratio = std::bit_cast<float>(word);
            if (!(ratio >= psychro::lowestPressureRatio().value() &&
                  ratio <= psychro::highestPressureRatio().value())) {
                return fail(DataArchiveError::ImpossibleValue, where + ".pressures");
            }
            set.pressures.push_back(ratio);
        }
    }
    if (member(json, "times") != nullptr) {
        auto times = wordsAt(json, "times", where, count);
        if (!times) {
            return Failure(times.error());
        }
        set.times = std::move(*times);
    }
    return {};
}

std::expected<DataLayer, DataArchiveFailure> layerAt(const Json& json, const std::string& where) {
    if (!json.is_object()) {
        return fail(DataArchiveError::MissingField, where);
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
        return fail(DataArchiveError::ImpossibleValue, where + ".style");
    }
    layer.style = styleName == "hours" ? LayerStyle::Hours : LayerStyle::Points;
    const auto rgb = colourOf((*colour)->get_ref<const std::string&>());
    if (!rgb) {
        return fail(DataArchiveError::ImpossibleValue, where + ".colour");
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
    const auto rows = field(json, "rows", where, &Json::is_number_unsigned);
    if (!rows) {
        return Failure(rows.error());
    }
    if ((*rows)->get<std::uint64_t>() > kArchiveMaxRows) {
        return fail(DataArchiveError::TooLarge, where + ".rows");
    }
    const auto count = (*rows)->get<std::size_t>();
    if (auto rowsRead = readRows(json, count, where, *set); !rowsRead) {
        return Failure(rowsRead.error());
    }
    layer.set = std::move(set);
    return layer;
}

std::expected<Zone, DataArchiveFailure> zoneAt(const Json& json, const std::string& where) {
    if (!json.is_object()) {
        return fail(DataArchiveError::MissingField, where);
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
            return fail(DataArchiveError::ImpossibleValue, where + ".x");
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
        return fail(DataArchiveError::ImpossibleValue, where + ".kind");
    }
    if (!zoneValid(zone)) {
        return fail(DataArchiveError::ImpossibleValue, where);
    }
    return zone;
}

}  // namespace

std::expected<DataPart, DataArchiveFailure> readDataPart(std::string_view fileBytes) {
    if (fileBytes.size() > chart::kProjectWithDataMaxBytes) {
        return fail(DataArchiveError::TooLarge, {});
    }
    MemberReader reader;
    if (!Json::sax_parse(fileBytes.begin(), fileBytes.end(), &reader) || reader.failure) {
        return Failure(reader.failure.value_or(DataArchiveFailure{DataArchiveError::NotJson, {}}));
    }
    DataPart part;
    if (reader.hasData) {
        if (!reader.data.is_array()) {
            return fail(DataArchiveError::MissingField, "data");
        }
        if (reader.data.size() > kArchiveMaxLayers) {
            return fail(DataArchiveError::TooLarge, "data");
        }
        for (std::size_t k = 0; k < reader.data.size(); ++k) {
            auto layer = layerAt(reader.data[k], "data[" + std::to_string(k) + "]");
            if (!layer) {
                return Failure(layer.error());
            }
            part.layers.push_back(std::move(*layer));
        }
    }
    if (reader.hasZones) {
        if (!reader.zones.is_array()) {
            return fail(DataArchiveError::MissingField, "zones");
        }
        if (reader.zones.size() > kArchiveMaxZones) {
            return fail(DataArchiveError::TooLarge, "zones");
        }
        for (std::size_t k = 0; k < reader.zones.size(); ++k) {
            auto zone = zoneAt(reader.zones[k], "zones[" + std::to_string(k) + "]");
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
            !(p.filter == q.filter)) {
            return false;
        }
        const DataSet& s = *p.set;
        const DataSet& r = *q.set;
        const auto same = [](Reading u, Reading v) {
            return u.t == v.t && u.humidity == v.humidity;
        };
        if (s.name != r.name || s.times != r.times || s.hourly != r.hourly ||
            s.hasElevation != r.hasElevation || (s.hasElevation && s.elevation != r.elevation) ||
            s.humidity != r.humidity || s.pressures != r.pressures ||
            !std::equal(s.readings.begin(), s.readings.end(), r.readings.begin(), r.readings.end(),
                        same)) {
            return false;
        }
    }
    return true;
}

}  // namespace data
