#include "data/zones.h"

#include <algorithm>
#include <cmath>

#include "psychro/comfort.h"
#include "psychro/relations.h"
#include "psychro/saturation.h"

namespace data {
namespace {

constexpr double kTMargin = 1e-4;    // °C
constexpr double kPhiMargin = 1e-4;  // % of φ
constexpr double kXMargin = 1e-6;    // relative
constexpr double kGridStep = 0.25;   // °C
constexpr double kGridLow = -10.0;
constexpr double kGridHigh = 50.0;
constexpr int kBisections = 40;  // halves 100 % to 1e-10 %, far past the tolerances

double relativeHumidity(double t, double x, psychro::PressureRatio pressure) {
    return psychro::relativeHumidityPercent(x, psychro::SaturationPressure(t), pressure);
}

double humidityAt(double t, double phi, psychro::PressureRatio pressure) {
    return psychro::humidityFromRelativeHumidity(phi / 100.0, psychro::SaturationPressure(t),
                                                 pressure);
}

// The vote, or nullopt where PMVS gives none.
std::optional<double> vote(const PmvZone& z, double t, double phi) {
    const auto result =
        psychro::PMVS(t, z.tr.value_or(t), std::clamp(phi, 0.0, 100.0), z.vel, z.clo, z.met);
    return result ? std::optional<double>(result->pmv) : std::nullopt;
}

bool finite(double v) {
    return std::isfinite(v);
}

bool inRange(const RangeZone& z, const Measured& air) {
    if (!(air.t >= z.tLow - kTMargin && air.t <= z.tHigh + kTMargin)) {
        return false;
    }
    if (z.absolute) {
        return air.x >= z.humidityLow * (1.0 - kXMargin) &&
               air.x <= z.humidityHigh * (1.0 + kXMargin);
    }
    return air.phi >= z.humidityLow - kPhiMargin && air.phi <= z.humidityHigh + kPhiMargin;
}

// The φ in [low, high] where the vote, rising with φ, reaches `target`.
double phiWhere(const PmvZone& z, double t, double target, double low, double high) {
    for (int k = 0; k < kBisections && high - low > 1e-4; ++k) {
        const double mid = 0.5 * (low + high);
        const auto v = vote(z, t, mid);
        (v && *v < target ? low : high) = mid;
    }
    return 0.5 * (low + high);
}

// The t in [low, high] where `f` turns true (false at low, true at high).
template <typename F>
double tWhere(F&& f, double low, double high) {
    for (int k = 0; k < kBisections && high - low > 1e-4; ++k) {
        const double mid = 0.5 * (low + high);
        (f(mid) ? high : low) = mid;
    }
    return 0.5 * (low + high);
}

std::vector<ZonePoint> rangeOutline(const RangeZone& z, psychro::PressureRatio pressure) {
    const auto point = [&](double t, double h) {
        return z.absolute ? ZonePoint{t, relativeHumidity(t, h, pressure), h}
                          : ZonePoint{t, h, humidityAt(t, h, pressure)};
    };
    std::vector<ZonePoint> bottom;
    const int steps = std::max(1, static_cast<int>(std::ceil((z.tHigh - z.tLow) / kGridStep)));
    for (int k = 0; k <= steps; ++k) {
        const double t = k == steps ? z.tHigh : z.tLow + kGridStep * k;
        bottom.push_back(point(t, z.humidityLow));
    }
    std::vector<ZonePoint> out = bottom;
    for (auto it = bottom.rbegin(); it != bottom.rend(); ++it) {
        out.push_back(point(it->t, z.humidityHigh));
    }
    return out;
}

std::vector<ZonePoint> pmvOutline(const PmvZone& z, psychro::PressureRatio pressure) {
    const auto driest = [&](double t) {
        const auto v = vote(z, t, 0.0);
        return v && *v > z.limit;  // too warm even in dry air
    };
    const auto wettest = [&](double t) {
        const auto v = vote(z, t, 100.0);
        return v && *v >= -z.limit;  // warm enough in saturated air
    };
    std::vector<ZonePoint> lower;
    std::vector<ZonePoint> upper;
    std::optional<double> previous;  // the last grid t outside, below the zone
    const auto point = [&](double t, double phi) {
        return ZonePoint{t, phi, humidityAt(t, phi, pressure)};
    };
    const int steps = static_cast<int>((kGridHigh - kGridLow) / kGridStep);
    for (int k = 0; k <= steps; ++k) {
        const double t = kGridLow + kGridStep * k;
        const bool exists = wettest(t) && !driest(t);
        if (!exists) {
            if (!lower.empty()) {
                // The zone closes between the last grid t and this one, in dry air.
                const double end = tWhere(driest, t - kGridStep, t);
                lower.push_back(point(end, 0.0));
                break;
            }
            previous = t;
            continue;
        }
        if (lower.empty() && previous) {
            // It opens between the previous grid t and this one, in saturated air.
            const double start = tWhere(wettest, *previous, t);
            lower.push_back(point(start, 100.0));
        }
        const auto atDry = vote(z, t, 0.0);
        const auto atWet = vote(z, t, 100.0);
        if (!atDry || !atWet) {
            continue;
        }
        const double low = *atDry >= -z.limit ? 0.0 : phiWhere(z, t, -z.limit, 0.0, 100.0);
        const double high = *atWet <= z.limit ? 100.0 : phiWhere(z, t, z.limit, 0.0, 100.0);
        lower.push_back(point(t, low));
        upper.push_back(point(t, high));
    }
    std::vector<ZonePoint> out = lower;
    for (auto it = upper.rbegin(); it != upper.rend(); ++it) {
        out.push_back(*it);
    }
    return out;
}

}  // namespace

RangeZone buildingHygieneZone() {
    return {"建築物衛生法の基準", 17.0, 28.0, false, 40.0, 70.0};
}

RangeZone ashraeSummerZone() {
    return {"ASHRAE 55 (夏)", 24.0, 28.0, true, 0.0, 0.012};
}

const std::string& zoneName(const Zone& zone) {
    return std::visit([](const auto& z) -> const std::string& { return z.name; }, zone);
}

bool zoneValid(const Zone& zone) {
    if (const auto* r = std::get_if<RangeZone>(&zone)) {
        const bool t = finite(r->tLow) && finite(r->tHigh) && r->tLow <= r->tHigh &&
                       r->tLow >= -50.0 && r->tHigh <= 100.0;
        const bool h = finite(r->humidityLow) && finite(r->humidityHigh) &&
                       r->humidityLow <= r->humidityHigh && r->humidityLow >= 0.0 &&
                       (r->absolute ? r->humidityHigh <= 1.0 : r->humidityHigh <= 100.0);
        return t && h;
    }
    const auto& p = std::get<PmvZone>(zone);
    return finite(p.met) && p.met > 0.0 && p.met <= 10.0 && finite(p.clo) && p.clo >= 0.0 &&
           p.clo <= 5.0 && finite(p.vel) && p.vel >= 0.0 && p.vel <= 10.0 && finite(p.limit) &&
           p.limit > 0.0 && p.limit <= 3.0 &&
           (!p.tr || (finite(*p.tr) && *p.tr >= -50.0 && *p.tr <= 100.0));
}

bool inside(const Zone& zone, const Measured& air) {
    if (const auto* r = std::get_if<RangeZone>(&zone)) {
        return inRange(*r, air);
    }
    const auto& p = std::get<PmvZone>(zone);
    const auto v = vote(p, air.t, air.phi);
    return v && std::abs(*v) <= p.limit + 1e-9;
}

bool inside(const Zone& zone, DataState state, psychro::PressureRatio pressure) {
    const double t = state.t;
    const double x = state.x;
    return inside(zone, Measured{t, relativeHumidity(t, x, pressure), x});
}

ZoneCount countInside(const Zone& zone, const DataSet& set, psychro::PressureRatio pressure) {
    std::size_t count = 0;
    if (zoneValid(zone)) {
        for (std::size_t k = 0; k < set.rows(); ++k) {
            count += inside(zone, set.measured(k, pressure)) ? 1U : 0U;
        }
    }
    const double share =
        set.rows() == 0 ? 0.0 : static_cast<double>(count) / static_cast<double>(set.rows());
    return {count, share, set.hoursOf(count)};
}

std::vector<ZonePoint> zoneOutline(const Zone& zone, psychro::PressureRatio pressure) {
    if (!zoneValid(zone)) {
        return {};
    }
    if (const auto* r = std::get_if<RangeZone>(&zone)) {
        return rangeOutline(*r, pressure);
    }
    return pmvOutline(std::get<PmvZone>(zone), pressure);
}

}  // namespace data
