#include "chart/project_file.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chart/design_entry.h"
#include "chart/number_text.h"

namespace chart {
namespace {

// Objects keep the order their members were written in, so that inputs and results come back
// in the order the dialog gave them. Lookups in such an object are linear: the parse bounds
// every object's members (files/project_document.cpp), so they stay cheap.
using Json = nlohmann::ordered_json;

// ---- writing ----

// A number as the file holds it: a whole number below 2^53 as an integer ("1000"), any other in
// the shortest form that reads back to the same double ("0.0072593", "-0.0"); one that is not
// finite as null, which the reader refuses.
Json number(double v) {
    constexpr double kExactIntegers = 9007199254740992.0;  // 2^53
    if (!std::isfinite(v)) {
        return nullptr;
    }
    if (v == std::trunc(v) && std::fabs(v) < kExactIntegers && !(v == 0.0 && std::signbit(v))) {
        return static_cast<std::int64_t>(v);
    }
    return v;
}

Json values(const std::vector<NamedValue>& named) {
    Json out = Json::object();
    for (const NamedValue& v : named) {
        out[v.name] = number(v.value);
    }
    return out;
}

Json point(PointMm p) {
    Json out = Json::object();
    out["X"] = number(p.X);
    out["Y"] = number(p.Y);
    return out;
}

}  // namespace

Json workMembers(const MarkedWork& work) {
    Json document = Json::object();
    document["format"] = std::string(kProjectFormat);
    document["version"] = kProjectVersion;
    document["chartDrawn"] = work.chartDrawn;
    if (work.settings) {
        const StoredSettings stored = storedSettings(*work.settings);
        Json settings = Json::object();
        settings["units"] = stored.units;
        settings["pressureUnit"] = stored.pressureUnit;
        settings["pressure"] = stored.pressure;
        document["settings"] = std::move(settings);
    }
    if (!work.title.empty()) {
        Json title = Json::object();
        title["subject"] = work.title.subject;
        title["designer"] = work.title.designer;
        title["date"] = work.title.date;
        document["title"] = std::move(title);
    }
    // Without settings the figures are those of the standard atmosphere, as the reader takes it.
    const psychro::PressureRatio ratio =
        work.settings ? work.settings->atmosphere.ratio : psychro::PressureRatio::standard();
    Json entries = Json::array();
    for (const Entry& e : work.entries) {
        Json entry = Json::object();
        entry["kind"] = std::string(kindName(e.kind));
        Json states = Json::array();
        for (const MarkedState& s : e.states) {
            const StateFigures f = stateFigures(s, ratio);
            Json state = Json::object();
            state["label"] = s.label;
            state["X"] = number(s.at.X);
            state["Y"] = number(s.at.Y);
            state["x"] = number(s.x);
            state["i"] = number(s.i);
            state["t"] = number(f.t);
            state["tw"] = number(f.tw);
            state["v"] = number(f.v);
            state["phi"] = number(f.phi);
            state["dewPoint"] = f.dewPoint ? number(*f.dewPoint) : Json(nullptr);
            states.push_back(std::move(state));
        }
        entry["states"] = std::move(states);
        if (e.lineFrom) {
            entry["lineFrom"] = point(*e.lineFrom);
        }
        entry["inputs"] = values(e.inputs);
        entry["results"] = values(e.results);
        entries.push_back(std::move(entry));
    }
    document["entries"] = std::move(entries);
    return document;
}

namespace {

// ---- reading ----

const Json* member(const Json& object, const std::string& key) {
    if (!object.is_object()) {
        return nullptr;
    }
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

using Failure = std::unexpected<ProjectFailure>;

Failure fail(ProjectError error, std::string where) {
    return std::unexpected(ProjectFailure{error, std::move(where)});
}

std::expected<double, ProjectFailure> numberAt(const Json& object, const char* key,
                                               const std::string& where) {
    const Json* v = member(object, key);
    if (v == nullptr || !v->is_number()) {
        return fail(ProjectError::MissingField, where + "." + key);
    }
    return v->get<double>();
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
    const Json* members = member(object, key);
    if (members == nullptr || !members->is_object()) {
        return fail(ProjectError::MissingField, where + "." + key);
    }
    constexpr std::size_t kMaxValues = 64;  // an entry has a handful
    if (members->size() > kMaxValues) {
        return fail(ProjectError::TooLarge, where + "." + key);
    }
    // In the order written: the list shows inputs and results in the order the dialog gave.
    std::vector<NamedValue> out;
    for (const auto& [name, value] : members->items()) {
        if (!value.is_number()) {
            return fail(ProjectError::MissingField, where + "." + key + "." + name);
        }
        if (!goodName(name)) {
            return fail(ProjectError::ImpossibleValue, where + "." + key + "." + name);
        }
        out.push_back({name, value.get<double>()});
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
        case EntryKind::CoolingDesign:
        case EntryKind::ReheatDesign:
        case EntryKind::HeatingDesign:
            return {"SHF", "G", "V"};
        case EntryKind::ProcessStart:
            break;
    }
    return {};
}

// The air quantities (kg(DA)/h) the dialog of each kind takes, and whether 0 is one of them:
// heating takes an empty duct (load 0); mixing, cooling and humidifying need air. Point 1 of
// mixing and cooling is kept in single precision, so every quantity must fit a float and be
// above 0 there; a file holding 1e308 or -5 is refused as the dialog refuses it.
struct AirQuantity {
    const char* name;
    bool zeroAllowed;
};
std::vector<AirQuantity> airQuantities(EntryKind kind) {
    switch (kind) {
        case EntryKind::ProcessStart:
        case EntryKind::Cooling:
            return {{"G1", false}};
        case EntryKind::Mixing:
            return {{"G1", false}, {"G2", false}};
        case EntryKind::Heating:
            return {{"G", true}};
        case EntryKind::SteamHumidifying:
        case EntryKind::WaterSprayHumidifying:
            return {{"G", false}};
        case EntryKind::Point:
        case EntryKind::Pmv:
        case EntryKind::Discomfort:
        // A design's air quantity is a result, worked again from its inputs on reading.
        case EntryKind::CoolingDesign:
        case EntryKind::ReheatDesign:
        case EntryKind::HeatingDesign:
            break;
    }
    return {};
}

bool acceptedAirQuantity(double G, bool zeroAllowed) {
    if (!(std::fabs(G) <= std::numeric_limits<float>::max())) {
        return false;
    }
    return zeroAllowed ? G >= 0.0 : static_cast<float>(G) > 0.0F;
}

// A load the dialogs write rounded: Q to whole kcal/h (or W), L to 0.1 kg/h; one too large to
// round is no result.
std::optional<int> loadDecimals(const std::string& name) {
    if (name == "Q") {
        return 0;
    }
    if (name == "L") {
        return 1;
    }
    return std::nullopt;
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
        case EntryKind::CoolingDesign:
        case EntryKind::ReheatDesign:
        case EntryKind::HeatingDesign:
            return designLabel(kind, index);
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
    if (kindJson == nullptr || !kindJson->is_string()) {
        return fail(ProjectError::MissingField, where + ".kind");
    }
    const std::optional<EntryKind> kind = kindFromName(kindJson->get_ref<const std::string&>());
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
    for (const AirQuantity& air : airQuantities(*kind)) {
        const std::optional<double> G = valueOf(entry.inputs, air.name);
        if (G && !acceptedAirQuantity(*G, air.zeroAllowed)) {
            return fail(ProjectError::ImpossibleValue, where + ".inputs." + air.name);
        }
    }
    for (const NamedValue& result : entry.results) {
        const std::optional<int> decimals = loadDecimals(result.name);
        if (decimals && !roundable(result.value, *decimals)) {
            return fail(ProjectError::ImpossibleValue, where + ".results." + result.name);
        }
    }
    const double number = valueOf(entry.results, "number").value_or(0.0);
    if (*kind == EntryKind::Point &&
        !(number >= 1.0 && number <= 1.0e7 && number == std::floor(number))) {
        return fail(ProjectError::ImpossibleValue, where + ".results.number");
    }

    const Json* states = member(json, "states");
    if (states == nullptr || !states->is_array() || states->size() != stateCount(*kind)) {
        return fail(ProjectError::MissingField, where + ".states");
    }
    for (std::size_t k = 0; k < states->size(); ++k) {
        auto s = stateAt((*states)[k], where + ".states[" + std::to_string(k) + "]");
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

// Characters (code points) of UTF-8 text: the bytes that do not continue a sequence.
std::size_t characters(const std::string& text) {
    std::size_t n = 0;
    for (const char c : text) {
        n += (static_cast<unsigned char>(c) & 0xC0U) != 0x80U ? 1 : 0;
    }
    return n;
}

std::expected<TitleBlock, ProjectFailure> titleAt(const Json& json) {
    if (!json.is_object()) {
        return fail(ProjectError::MissingField, "title");
    }
    TitleBlock block;
    for (auto [key, text] :
         {std::pair{"subject", &block.subject}, std::pair{"designer", &block.designer},
          std::pair{"date", &block.date}}) {
        const Json* value = member(json, key);
        const std::string where = std::string("title.") + key;
        if (value == nullptr || !value->is_string()) {
            return fail(ProjectError::MissingField, where);
        }
        *text = value->get<std::string>();
        if (characters(*text) > kTitleBlockMaxChars) {
            return fail(ProjectError::ImpossibleValue, where);
        }
    }
    return block;
}

}  // namespace

std::expected<MarkedWork, ProjectFailure> workFromDocument(const Json& document) {
    const Json* format = member(document, "format");
    if (format == nullptr || !format->is_string() ||
        format->get_ref<const std::string&>() != kProjectFormat) {
        return fail(ProjectError::NotProject, {});
    }
    const auto version = numberAt(document, "version", "");
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
    const Json* drawn = member(document, "chartDrawn");
    if (drawn == nullptr || !drawn->is_boolean()) {
        return fail(ProjectError::MissingField, "chartDrawn");
    }
    work.chartDrawn = drawn->get<bool>();
    // A file states what it was made at: one without settings was written at the standard
    // atmosphere in engineering units (its figures say so), and is read so, whatever the
    // settings in use.
    work.settings = Settings::standard();
    if (const Json* settings = member(document, "settings")) {
        const auto text = [&](const char* key) -> const std::string* {
            const Json* value = member(*settings, key);
            return value && value->is_string() ? &value->get_ref<const std::string&>() : nullptr;
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
    if (const Json* title = member(document, "title")) {
        auto block = titleAt(*title);
        if (!block) {
            return Failure(block.error());
        }
        work.title = std::move(*block);
    }
    const Json* entries = member(document, "entries");
    if (entries == nullptr || !entries->is_array()) {
        return fail(ProjectError::MissingField, "entries");
    }
    if (entries->size() > kProjectMaxEntries) {
        return fail(ProjectError::TooLarge, "entries");
    }
    for (std::size_t k = 0; k < entries->size(); ++k) {
        auto entry = entryAt((*entries)[k], "entries[" + std::to_string(k) + "]");
        if (!entry) {
            return Failure(entry.error());
        }
        // A design is made again from its inputs at the file's pressure: its states and
        // figures are what the design gives, and a design that cannot be made is refused.
        if (isDesign(entry->kind)) {
            const auto inputs = designInputsOf(*entry);
            const auto made =
                inputs ? designEntry(*inputs, work.settings ? work.settings->atmosphere.ratio
                                                            : psychro::PressureRatio::standard())
                       : std::unexpected(psychro::DesignError::NoRoomState);
            if (!made || made->kind != entry->kind) {
                return fail(ProjectError::ImpossibleValue,
                            "entries[" + std::to_string(k) + "].inputs");
            }
            entry = *made;
        }
        work.entries.push_back(std::move(*entry));
    }
    return work;
}

}  // namespace chart
