#include "chart/design_entry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "chart/chart_marks.h"
#include "chart/picture.h"
#include "psychro/relations.h"

namespace chart {
namespace {

// The share of the S–R distance the SHF line runs on beyond R.
constexpr double kShfBeyondRoom = 0.5;

enum State : std::size_t { Room, Outdoor, Mixed, Supply, Fifth, Sixth };

constexpr double kEmMm = 9.0 * 25.4 / 72.0;  // the picture's 9 pt font
constexpr double kCellEms = 1.15;
constexpr double kMarkClearance = 0.3;  // mm kept free around a mark
// Distances from a state to its label: the first is the usual drop; the farther ones get a
// leader line.
constexpr std::array<double, 5> kLabelRings{kLabelDrop, 4.5, 7.0, 9.5, 12.0};

BoxMm markBox(PointMm at) {
    const double r = kMarkRadius + kMarkClearance;
    return {at.X - r, at.Y - r, at.X + r, at.Y + r};
}

bool inside(const BoxMm& box) {
    return box.left >= 0.0 && box.top >= 0.0 && box.right <= kPictureWidth &&
           box.bottom <= kPictureHeight;
}

// The top-left corners tried for a label w × h mm at `d` from the state `p`, in order.
std::array<PointMm, 8> placesAround(PointMm p, double d, double w, double h) {
    return {{{p.X, p.Y + d},
             {p.X - w, p.Y + d},
             {p.X + d, p.Y - h / 2.0},
             {p.X - d - w, p.Y - h / 2.0},
             {p.X, p.Y - d - h},
             {p.X - w, p.Y - d - h},
             {p.X - w / 2.0, p.Y + d},
             {p.X - w / 2.0, p.Y - d - h}}};
}

struct LabelPlace {
    PointMm at;
    bool leader;
};

// The places of the labels of `states`, each the first free one in the fixed order.
std::vector<LabelPlace> placeLabels(const std::vector<MarkedState>& states) {
    std::vector<BoxMm> taken;
    for (const MarkedState& s : states) {
        taken.push_back(markBox(s.at));
    }
    std::vector<LabelPlace> places;
    for (const MarkedState& s : states) {
        const BoxMm usual = labelBox({s.at.X, s.at.Y + kLabelDrop}, s.label);
        const double w = usual.right - usual.left;
        const double h = usual.bottom - usual.top;
        const bool keepInside = inside(markBox(s.at));
        LabelPlace chosen{{s.at.X, s.at.Y + kLabelDrop}, false};
        BoxMm chosenBox = usual;
        bool found = false;
        for (std::size_t ring = 0; ring < kLabelRings.size() && !found; ++ring) {
            for (const PointMm at : placesAround(s.at, kLabelRings[ring], w, h)) {
                const BoxMm box{at.X, at.Y, at.X + w, at.Y + h};
                if ((keepInside && !inside(box)) ||
                    std::ranges::any_of(taken,
                                        [&box](const BoxMm& t) { return overlaps(box, t); })) {
                    continue;
                }
                chosen = {at, ring > 0};
                chosenBox = box;
                found = true;
                break;
            }
        }
        taken.push_back(chosenBox);
        places.push_back(chosen);
    }
    return places;
}

// A thin line from the edge of the mark at `p` to the nearest point of the label's box.
void leaderLine(Picture& picture, PointMm p, const BoxMm& box) {
    const PointMm near{std::clamp(p.X, box.left, box.right), std::clamp(p.Y, box.top, box.bottom)};
    const double dx = near.X - p.X;
    const double dy = near.Y - p.Y;
    const double length = std::hypot(dx, dy);
    if (length <= kMarkRadius) {
        return;
    }
    picture.line({p.X + dx / length * kMarkRadius, p.Y + dy / length * kMarkRadius}, near, kBlack);
}

}  // namespace

bool overlaps(const BoxMm& a, const BoxMm& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

BoxMm labelBox(PointMm at, std::string_view text) {
    double ems = 0.0;
    for (std::size_t k = 0; k < text.size();) {
        const auto lead = static_cast<unsigned char>(text[k]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        bool half = length == 1;
        if (length == 3 && k + 2 < text.size()) {  // U+FF61 … U+FF9F, half-width kana
            const unsigned code = ((lead & 0x0Fu) << 12) |
                                  ((static_cast<unsigned char>(text[k + 1]) & 0x3Fu) << 6) |
                                  (static_cast<unsigned char>(text[k + 2]) & 0x3Fu);
            half = code >= 0xFF61 && code <= 0xFF9F;
        }
        ems += half ? 0.5 : 1.0;
        k += length;
    }
    return {at.X, at.Y, at.X + ems * kEmMm, at.Y + kCellEms * kEmMm};
}

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
                 kShfColour);
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
    const std::vector<LabelPlace> places = placeLabels(s);
    for (std::size_t k = 0; k < s.size(); ++k) {
        markState(picture, s[k].at);
        if (places[k].leader) {
            leaderLine(picture, s[k].at, labelBox(places[k].at, s[k].label));
        }
        picture.setTextPosition(places[k].at);
        picture.print(s[k].label);
    }
}

}  // namespace chart
