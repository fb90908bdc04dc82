#include "psychro/air_handling.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "psychro/constants.h"
#include "psychro/relations.h"
#include "psychro/saturation.h"

namespace psychro {
namespace {

constexpr int kMaxHalvings = 200;
// Below a hundredth of a kelvin the supply is the room air within the figures shown, and the
// air quantity qs/(c·Δt) grows past any duct (at a subnormal Δt, t_R − Δt is t_R itself and the
// room's balance is lost).
constexpr double kMinSupplyDifference = 0.01;  // K
constexpr double kCrossingStepKelvin = 0.5;    // the coil line's step, at most this in t …
constexpr double kCrossingStepShare = 0.02;    // … and at most this share of x_S
constexpr int kMaxCrossingSteps = 1000;
// φ may exceed 100 % by rounding alone for a state that lies on the saturation curve.
constexpr double kSaturationMargin = 1e-9;  // %

double temperatureOf(AirState s) {
    return temperatureFromEnthalpy(s.i, s.x);
}

// Whether air of humidity x at t °C holds at least the saturation humidity under P. Above the
// boiling point no humidity saturates the air.
bool saturatedAt(double x, double t, PressureRatio pressure) {
    const double ps = SaturationPressure(t);
    if (!(ps < totalPressure(pressure))) {
        return false;
    }
    return x >= saturationHumidity(ps, pressure);
}

// Whether (x, t) lies above the saturation curve beyond the rounding margin.
bool aboveSaturation(double x, double t, PressureRatio pressure) {
    const double ps = SaturationPressure(t);
    if (!(ps < totalPressure(pressure))) {
        return false;
    }
    return relativeHumidityPercent(x, ps, pressure) > 100.0 + kSaturationMargin;
}

bool finite(AirState s) {
    return std::isfinite(s.x) && std::isfinite(s.i);
}

std::optional<DesignError> loadError(DesignLoads loads) {
    if (!(loads.sensible > 0.0) || !std::isfinite(loads.sensible)) {
        return DesignError::SensibleLoad;
    }
    if (!(loads.latent >= 0.0) || !std::isfinite(loads.latent)) {
        return DesignError::LatentLoad;
    }
    if (!(loads.outdoorPercent >= 0.0 && loads.outdoorPercent <= 100.0)) {
        return DesignError::OutdoorRatio;
    }
    if (!(loads.supplyDifference >= kMinSupplyDifference) ||
        !std::isfinite(loads.supplyDifference)) {
        return DesignError::SupplyDifference;
    }
    return std::nullopt;
}

// The part both seasons share: SHF, supply state, air quantity and volume, mixing point.
// `sign` is +1 for cooling (the supply below the room) and −1 for heating.
std::expected<AirHandlingDesign, DesignError> supplyAndMixing(AirState room, AirState outdoor,
                                                              DesignLoads loads, double sign,
                                                              PressureRatio pressure) {
    if (!finite(room) || !finite(outdoor)) {
        return std::unexpected(DesignError::NoRoomState);
    }
    const double qs = loads.sensible;
    const double qL = loads.latent;
    const double dt = loads.supplyDifference;
    const double tR = temperatureOf(room);
    const double a = vapourEnthalpy(tR);
    const double tS = tR - sign * dt;
    const double denominator = qs * a + sign * kVapourHeat * qL * dt;
    const double xS = (qs * a * room.x - sign * kDryAirHeat * qL * dt) / denominator;
    if (!(denominator > 0.0) || !(xS > 0.0) || !std::isfinite(xS) ||
        aboveSaturation(xS, tS, pressure)) {
        return std::unexpected(DesignError::SupplyImpossible);
    }
    const double G = qs / ((kDryAirHeat + kVapourHeat * xS) * dt);
    const double k = loads.outdoorPercent / 100.0;

    AirHandlingDesign d{};
    d.room = room;
    d.outdoor = outdoor;
    d.supply = {xS, enthalpy(tS, xS)};
    d.mixed = {(1.0 - k) * room.x + k * outdoor.x, (1.0 - k) * room.i + k * outdoor.i};
    d.shf = qs / (qs + qL);
    d.airQuantity = G;
    d.supplyVolume = G * specificVolume(xS, tS, pressure);
    d.outdoorAirLoad = G * k * (outdoor.i - room.i);
    return d;
}

// The first saturated point of the line from M through S beyond S (S itself when it is
// saturated), or nullopt when the line leaves −50 … 100 °C or dry air first.
std::optional<AirState> apparatusDewPoint(AirState m, AirState s, PressureRatio pressure) {
    const auto at = [&](double lambda) {
        return AirState{m.x + lambda * (s.x - m.x), m.i + lambda * (s.i - m.i)};
    };
    const auto saturated = [&](AirState p) { return saturatedAt(p.x, temperatureOf(p), pressure); };
    if (saturated(s)) {
        return s;
    }
    // Steps in λ small enough that neither t nor x moves far in one: the line meets a convex
    // curve at most twice, and a small step does not step over a short chord between the two.
    const double tPerLambda = std::fabs(temperatureOf(at(2.0)) - temperatureOf(s));
    const double xPerLambda = std::fabs(s.x - m.x);
    double step = std::numeric_limits<double>::infinity();
    if (tPerLambda > 0.0) {
        step = kCrossingStepKelvin / tPerLambda;
    }
    if (xPerLambda > 0.0) {
        step = std::min(step, kCrossingStepShare * s.x / xPerLambda);
    }
    if (!std::isfinite(step) || !(step > 0.0)) {
        return std::nullopt;
    }
    double low = 1.0;
    double high = 0.0;
    bool bracketed = false;
    for (int n = 1; n <= kMaxCrossingSteps && !bracketed; ++n) {
        const double lambda = 1.0 + n * step;
        const AirState p = at(lambda);
        const double t = temperatureOf(p);
        if (!(p.x > 0.0) || !(t > kSearchLow && t < kSearchHigh)) {
            return std::nullopt;
        }
        if (saturated(p)) {
            high = lambda;
            bracketed = true;
        } else {
            low = lambda;
        }
    }
    if (!bracketed) {
        return std::nullopt;
    }
    for (int n = 0; n < kMaxHalvings; ++n) {
        const double mid = 0.5 * (low + high);
        if (mid <= low || mid >= high) {
            break;
        }
        (saturated(at(mid)) ? high : low) = mid;
    }
    return at(high);
}

}  // namespace

double defaultSteamTemperature(PressureRatio pressure) {
    return std::max(100.0, boilingPoint(pressure));
}

std::optional<DesignError> coolingInputError(DesignLoads loads, CoolingCoil coil) {
    if (const auto refused = loadError(loads)) {
        return refused;
    }
    if (coil.bypassFactor && !(*coil.bypassFactor >= 0.0 && *coil.bypassFactor < 1.0)) {
        return DesignError::BypassFactor;
    }
    return std::nullopt;
}

std::optional<DesignError> heatingInputError(DesignLoads loads, HeatingHumidifier humidifier,
                                             PressureRatio pressure) {
    if (const auto refused = loadError(loads)) {
        return refused;
    }
    const double tw = humidifier.waterTemperature;
    if (humidifier.kind == Humidifier::Steam &&
        !(tw >= boilingPoint(pressure) && std::isfinite(tw))) {
        return DesignError::SteamTemperature;
    }
    if (humidifier.kind == Humidifier::WaterSpray && !(tw >= 0.0 && tw <= 100.0)) {
        return DesignError::WaterTemperature;
    }
    return std::nullopt;
}

std::expected<AirHandlingDesign, DesignError> designCooling(AirState room, AirState outdoor,
                                                            DesignLoads loads, CoolingCoil coil,
                                                            PressureRatio pressure) {
    if (const auto refused = coolingInputError(loads, coil)) {
        return std::unexpected(*refused);
    }
    auto design = supplyAndMixing(room, outdoor, loads, 1.0, pressure);
    if (!design) {
        return design;
    }
    AirHandlingDesign& d = *design;
    const AirState m = d.mixed;
    const AirState s = d.supply;
    if (!(s.i < m.i) || s.x > m.x) {
        return std::unexpected(DesignError::CoilCannotMake);
    }
    const double G = d.airQuantity;
    AirState c = s;
    if (!coil.bypassFactor) {
        const std::optional<AirState> adp = apparatusDewPoint(m, s, pressure);
        if (!adp) {
            return std::unexpected(DesignError::NoSaturationCrossing);
        }
        d.adp = adp;
        d.bypassFactor = adp->i < m.i ? (s.i - adp->i) / (m.i - adp->i) : 0.0;
    } else {
        const double bf = *coil.bypassFactor;
        const double xAdp = (s.x - bf * m.x) / (1.0 - bf);
        const std::optional<double> tAdp =
            xAdp > 0.0 ? DewPointTemperature(xAdp * 1000.0, pressure) : std::nullopt;
        if (!tAdp) {
            return std::unexpected(DesignError::NoSaturationCrossing);
        }
        const AirState adp{xAdp, enthalpy(*tAdp, xAdp)};
        c = {s.x, bf * m.i + (1.0 - bf) * adp.i};
        if (temperatureOf(c) > temperatureOf(s)) {
            return std::unexpected(DesignError::CoilOutletTooWarm);
        }
        d.adp = adp;
        d.coil = c;
        d.bypassFactor = bf;
        d.reheatLoad = G * (s.i - c.i);
    }
    d.coilLoad = G * (m.i - c.i);
    d.dehumidifiedWater = G * (m.x - c.x);
    return design;
}

std::expected<AirHandlingDesign, DesignError> designHeating(AirState room, AirState outdoor,
                                                            DesignLoads loads,
                                                            HeatingHumidifier humidifier,
                                                            PressureRatio pressure) {
    if (const auto refused = heatingInputError(loads, humidifier, pressure)) {
        return std::unexpected(*refused);
    }
    const double tw = humidifier.waterTemperature;
    auto design = supplyAndMixing(room, outdoor, loads, -1.0, pressure);
    if (!design) {
        return design;
    }
    AirHandlingDesign& d = *design;
    const AirState m = d.mixed;
    const AirState s = d.supply;
    if (s.x < m.x) {
        return std::unexpected(DesignError::HumidifierCannotDry);
    }
    const double u = addedWaterEnthalpy(humidifier.kind, tw);
    const AirState h{m.x, s.i - u * (s.x - m.x)};
    if (h.i < m.i) {
        return std::unexpected(DesignError::HeaterCannotCool);
    }
    d.heated = h;
    d.heaterLoad = d.airQuantity * (h.i - m.i);
    d.humidifierWater = d.airQuantity * (s.x - m.x);
    return design;
}

}  // namespace psychro
