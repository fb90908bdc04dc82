#include "chart/marked_work.h"

#include <array>

#include "chart/chart_marks.h"
#include "chart/design_entry.h"
#include "chart/picture.h"
#include "psychro/saturation.h"
#include "psychro/state_properties.h"

namespace chart {
namespace {

struct KindInfo {
    EntryKind kind;
    std::string_view name;
    std::size_t states;
    bool line;
};

constexpr std::array<KindInfo, kEntryKinds> kKinds{{
    {EntryKind::Point, "point", 1, false},
    {EntryKind::ProcessStart, "process-start", 1, false},
    {EntryKind::Mixing, "mixing", 2, true},
    {EntryKind::Cooling, "cooling", 1, true},
    {EntryKind::Heating, "heating", 2, false},
    {EntryKind::SteamHumidifying, "steam-humidifying", 2, false},
    {EntryKind::WaterSprayHumidifying, "water-spray-humidifying", 2, false},
    {EntryKind::Pmv, "pmv", 1, false},
    {EntryKind::Discomfort, "discomfort", 1, false},
    {EntryKind::CoolingDesign, "cooling-design", 5, false},
    {EntryKind::ReheatDesign, "reheat-design", 6, false},
    {EntryKind::HeatingDesign, "heating-design", 5, false},
}};

const KindInfo& info(EntryKind kind) {
    for (const KindInfo& k : kKinds) {
        if (k.kind == kind) {
            return k;
        }
    }
    return kKinds[0];
}

}  // namespace

std::string_view kindName(EntryKind kind) {
    return info(kind).name;
}

std::optional<EntryKind> kindFromName(std::string_view name) {
    for (const KindInfo& k : kKinds) {
        if (k.name == name) {
            return k.kind;
        }
    }
    return std::nullopt;
}

std::size_t stateCount(EntryKind kind) {
    return info(kind).states;
}

bool needsLine(EntryKind kind) {
    return info(kind).line;
}

StateFigures stateFigures(const MarkedState& state, psychro::PressureRatio pressureRatio) {
    const psychro::StateProperties p = psychro::stateProperties(state.x, state.i, pressureRatio);
    return {state.x,
            state.i,
            p.t,
            p.tw,
            p.v,
            p.phi,
            psychro::DewPointTemperature(1000.0 * state.x, pressureRatio)};
}

std::optional<double> valueOf(const std::vector<NamedValue>& values, std::string_view name) {
    for (const NamedValue& v : values) {
        if (v.name == name) {
            return v.value;
        }
    }
    return std::nullopt;
}

void drawEntry(Picture& picture, const Entry& entry) {
    const std::vector<MarkedState>& s = entry.states;
    if (s.size() != stateCount(entry.kind) || (needsLine(entry.kind) && !entry.lineFrom)) {
        return;  // not whole: nothing is drawn rather than something wrong
    }
    switch (entry.kind) {
        case EntryKind::Point:
            markNumberedPoint(picture, s[0].at, valueOf(entry.results, "number").value_or(0.0),
                              entry.lineFrom);
            break;
        case EntryKind::ProcessStart:
            markState(picture, s[0].at, s[0].label);
            break;
        case EntryKind::Mixing:
            markPointTwo(picture, *entry.lineFrom, s[0].at);
            markState(picture, s[1].at, s[1].label);
            break;
        case EntryKind::Cooling:
            markPointTwo(picture, *entry.lineFrom, s[0].at);
            break;
        case EntryKind::Heating:
        case EntryKind::SteamHumidifying:
        case EntryKind::WaterSprayHumidifying:
            markState(picture, s[0].at, s[0].label);
            markPointTwo(picture, s[0].at, s[1].at);
            break;
        case EntryKind::Pmv:
        case EntryKind::Discomfort:
            markState(picture, s[0].at);
            break;
        case EntryKind::CoolingDesign:
        case EntryKind::ReheatDesign:
        case EntryKind::HeatingDesign:
            drawDesign(picture, entry);
            break;
    }
}

}  // namespace chart
