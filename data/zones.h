#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "data/data_set.h"
#include "psychro/atmosphere.h"

// Zones on the chart and the rows of a data set inside them: a range of dry bulb and relative
// (or absolute) humidity, and the comfort zone where Fanger's |PMV| stays within a limit. A state
// on a zone's edge counts as inside: the edges are taken with the rounding margin of the states'
// single precision (1e-4 °C, 1e-4 % of φ, a relative 1e-6 of x).
namespace data {

struct RangeZone {
    std::string name;
    double tLow;  // °C
    double tHigh;
    bool absolute = false;  // the humidity bounds are x in kg/kg(DA), not φ in %
    double humidityLow;
    double humidityHigh;

    bool operator==(const RangeZone&) const = default;
};

struct PmvZone {
    std::string name;
    double met;                // metabolic rate, met (> 0)
    double clo;                // clothing, clo (≥ 0)
    double vel;                // air speed, m/s (≥ 0)
    std::optional<double> tr;  // mean radiant temperature, °C; the air's own without it
    double limit = 0.5;        // |PMV| ≤ limit, 0 < limit ≤ 3

    bool operator==(const PmvZone&) const = default;
};

using Zone = std::variant<RangeZone, PmvZone>;

// The indoor range of Japan's building hygiene law (建築物衛生法): 17–28 °C, 40–70 %.
[[nodiscard]] RangeZone buildingHygieneZone();
// A summer range in the manner of ASHRAE 55 at about 0.5 clo: 24–28 °C, x up to 0.012
// kg/kg(DA). A start for the user to edit.
[[nodiscard]] RangeZone ashraeSummerZone();

[[nodiscard]] const std::string& zoneName(const Zone& zone);

// Whether a zone's numbers make a zone: bounds finite and in order (φ within 0 … 100, x ≥ 0),
// met > 0, clo ≥ 0, vel ≥ 0, 0 < limit ≤ 3, temperatures within −50 … 100 °C.
[[nodiscard]] bool zoneValid(const Zone& zone);

// Whether air at t °C holding x kg/kg(DA) lies in the zone at the pressure ratio (φ from x at
// that pressure: φ = 100·x·P / ((0.622 + x)·ps(t))). The PMV is PMVS(t, tr or t, φ, vel, clo,
// met).
[[nodiscard]] bool inside(const Zone& zone, DataState state, psychro::PressureRatio pressure);
// Whether a row's air, as measured, lies in the zone: a φ range by φ, an x range by x, the PMV
// by t and φ.
[[nodiscard]] bool inside(const Zone& zone, const Measured& air);

struct ZoneCount {
    std::size_t inside;
    double share;  // inside / rows, 0 for an empty set
    double hours;  // DataSet::hoursOf(inside)
};
// The rows inside, each by its humidity as measured (DataSet::measured): the count follows the
// readings, not the pressure the chart is drawn at, save for an x or a dew point of a file
// that gives no pressure, which is taken at `pressure`.
[[nodiscard]] ZoneCount countInside(const Zone& zone, const DataSet& set,
                                    psychro::PressureRatio pressure);

// A point of a zone's outline: t °C, φ %, and x kg/kg(DA) at the pressure in use.
struct ZonePoint {
    double t;
    double phi;
    double x;
};

// The outline as a closed polygon (the last point joins the first), ready to be mapped to the
// chart. A range's curved edges are sampled every 0.25 °C. The PMV zone is found along the
// humidity axis: on a grid of 0.25 °C in −10 … 50 °C, where some φ in 0 … 100 % gives
// |PMV| ≤ limit, the φ where PMV = −limit and where PMV = +limit (or 0 and 100 % where the vote
// stays inside there) by bisection to 1e-4 %, and the two ends where the zone closes, by
// bisection in t to 1e-4 °C; at most about 2,000 calls of PMVS. Empty where the zone is not
// valid or (PMV) lies nowhere in that range.
[[nodiscard]] std::vector<ZonePoint> zoneOutline(const Zone& zone, psychro::PressureRatio pressure);

}  // namespace data
