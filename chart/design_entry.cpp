#include "chart/design_entry.h"

#include <array>
#include <vector>

#include "chart/chart_marks.h"
#include "chart/picture.h"
#include "psychro/relations.h"

namespace chart {
namespace {

// The share of the S–R distance the SHF line runs on beyond R.
constexpr double kShfBeyondRoom = 0.5;

enum State : std::size_t { Room, Outdoor, Mixed, Supply, Fifth, Sixth };

}  // namespace

bool isDesign(EntryKind kind) {
    return kind == EntryKind::CoolingDesign || kind == EntryKind::ReheatDesign ||
           kind == EntryKind::HeatingDesign;
}

std::string designLabel(EntryKind kind, std::size_t index) {
    static constexpr std::array<const char*, 4> kCommon{"R 室内", "O 外気", "M 混合", "S 吹出し"};
    if (index < kCommon.size()) {
        return kCommon[index];
    }
    if (kind == EntryKind::HeatingDesign) {
        return "H 加熱後";
    }
    return index == Fifth ? "ADP 装置露点" : "C コイル出口";
}

std::expected<Entry, psychro::DesignError> designEntry(const DesignInputs& in,
                                                       psychro::PressureRatio pressure) {
    const auto design =
        in.cooling ? psychro::designCooling(in.room, in.outdoor, in.loads, in.coil, pressure)
                   : psychro::designHeating(in.room, in.outdoor, in.loads, in.humidifier, pressure);
    if (!design) {
        return std::unexpected(design.error());
    }
    const psychro::AirHandlingDesign& d = *design;
    Entry entry;
    entry.kind = !in.cooling            ? EntryKind::HeatingDesign
                 : in.coil.bypassFactor ? EntryKind::ReheatDesign
                                        : EntryKind::CoolingDesign;
    std::vector<psychro::AirState> states{d.room, d.outdoor, d.mixed, d.supply};
    if (d.adp) {
        states.push_back(*d.adp);
    }
    if (d.coil) {
        states.push_back(*d.coil);
    }
    if (d.heated) {
        states.push_back(*d.heated);
    }
    for (std::size_t k = 0; k < states.size(); ++k) {
        const PointMm at = statePoint(states[k].i, 1000.0 * states[k].x);
        if (!withinReach(at)) {
            return std::unexpected(psychro::DesignError::BeyondChart);
        }
        entry.states.push_back({designLabel(entry.kind, k), at, states[k].x, states[k].i});
    }
    entry.inputs = {{"xR", in.room.x},
                    {"iR", in.room.i},
                    {"xO", in.outdoor.x},
                    {"iO", in.outdoor.i},
                    {"qs", in.loads.sensible},
                    {"qL", in.loads.latent},
                    {"k", in.loads.outdoorPercent},
                    {"dt", in.loads.supplyDifference}};
    if (in.cooling && in.coil.bypassFactor) {
        entry.inputs.push_back({"BF", *in.coil.bypassFactor});
    }
    if (!in.cooling) {
        entry.inputs.push_back(
            {"hum", in.humidifier.kind == psychro::Humidifier::Steam ? 0.0 : 1.0});
        entry.inputs.push_back({"tHum", in.humidifier.waterTemperature});
    }
    entry.results = {{"SHF", d.shf}, {"G", d.airQuantity}, {"V", d.supplyVolume}};
    const auto add = [&entry](const char* name, std::optional<double> v) {
        if (v) {
            entry.results.push_back({name, *v});
        }
    };
    add("BF", d.bypassFactor);
    add("tADP",
        d.adp ? std::optional(psychro::temperatureFromEnthalpy(d.adp->i, d.adp->x)) : std::nullopt);
    add("Qcoil", d.coilLoad);
    add("Lw", d.dehumidifiedWater);
    add("Qreheat", d.reheatLoad);
    add("Qheater", d.heaterLoad);
    add("Lh", d.humidifierWater);
    add("Qoa", d.outdoorAirLoad);
    return entry;
}

std::optional<DesignInputs> designInputsOf(const Entry& entry) {
    if (!isDesign(entry.kind)) {
        return std::nullopt;
    }
    const auto& v = entry.inputs;
    const auto xR = valueOf(v, "xR"), iR = valueOf(v, "iR"), xO = valueOf(v, "xO"),
               iO = valueOf(v, "iO"), qs = valueOf(v, "qs"), qL = valueOf(v, "qL"),
               k = valueOf(v, "k"), dt = valueOf(v, "dt");
    if (!xR || !iR || !xO || !iO || !qs || !qL || !k || !dt) {
        return std::nullopt;
    }
    DesignInputs in{
        entry.kind != EntryKind::HeatingDesign, {*xR, *iR}, {*xO, *iO}, {*qs, *qL, *k, *dt}, {},
        {psychro::Humidifier::Steam, 0.0}};
    if (entry.kind == EntryKind::ReheatDesign) {
        in.coil.bypassFactor = valueOf(v, "BF");
        if (!in.coil.bypassFactor) {
            return std::nullopt;
        }
    }
    if (entry.kind == EntryKind::HeatingDesign) {
        const auto hum = valueOf(v, "hum");
        const auto tHum = valueOf(v, "tHum");
        if (!hum || !tHum || (*hum != 0.0 && *hum != 1.0)) {
            return std::nullopt;
        }
        in.humidifier = {*hum == 0.0 ? psychro::Humidifier::Steam : psychro::Humidifier::WaterSpray,
                         *tHum};
    }
    return in;
}

void drawDesign(Picture& picture, const Entry& entry) {
    const std::vector<MarkedState>& s = entry.states;
    const auto at = [&s](std::size_t k) { return s[k].at; };
    processLine(picture, at(Outdoor), at(Room));
    const PointMm r = at(Room);
    const PointMm sup = at(Supply);
    picture.line(sup, {r.X + kShfBeyondRoom * (r.X - sup.X), r.Y + kShfBeyondRoom * (r.Y - sup.Y)},
                 kLightBlue);
    switch (entry.kind) {
        case EntryKind::CoolingDesign:
            processLine(picture, at(Mixed), sup);
            picture.dashedLine(sup, at(Fifth), kLightRed);
            break;
        case EntryKind::ReheatDesign:
            processLine(picture, at(Mixed), at(Sixth));
            picture.dashedLine(at(Sixth), at(Fifth), kLightRed);
            processLine(picture, at(Sixth), sup);
            break;
        default:  // heating
            processLine(picture, at(Mixed), at(Fifth));
            processLine(picture, at(Fifth), sup);
            break;
    }
    for (const MarkedState& state : s) {
        markState(picture, state.at, state.label);
    }
}

}  // namespace chart
