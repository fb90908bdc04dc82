#include "psychro/humidifying.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "psychro/constants.h"
#include "psychro/relations.h"
#include "psychro/saturation.h"

namespace psychro {
namespace {

constexpr double kFirstStep = 1e-6;  // kg/kg(DA), from perfectly dry air
constexpr double kStepShare = 0.05;  // of the current humidity
constexpr int kMaxSteps = 2000;
constexpr int kMaxHalvings = 200;

struct LinePoint {
    double t;
    double phi;  // %
};

// t and φ of the state (x, i) at the pressure ratio r, or nullopt outside the program's
// temperature range (where the saturation pressure stops meaning anything at the standard
// pressure) or for a non-finite state.
std::optional<LinePoint> pointAt(double x, double i, PressureRatio pressureRatio) {
    const double t = temperatureFromEnthalpy(i, x);
    if (!(t > kSearchLow && t < kSearchHigh)) {
        return std::nullopt;
    }
    const double phi = relativeHumidityPercent(x, SaturationPressure(t), pressureRatio);
    if (!std::isfinite(phi)) {
        return std::nullopt;
    }
    return LinePoint{t, phi};
}

}  // namespace

double addedWaterEnthalpy(Humidifier kind, double waterTemperature) {
    return kind == Humidifier::Steam ? vapourEnthalpy(waterTemperature)
                                     : wettingWaterEnthalpy(waterTemperature, WetBulbAtZero::Water);
}

std::optional<HumidifyError> humidifierError(double airKgPerHour, Humidifier kind,
                                             double waterTemperature, double targetPhi,
                                             PressureRatio pressureRatio) {
    if (!(airKgPerHour > 0.0) || !std::isfinite(airKgPerHour)) {
        return HumidifyError::AirQuantity;
    }
    if (kind == Humidifier::Steam &&
        !(waterTemperature >= boilingPoint(pressureRatio) && std::isfinite(waterTemperature))) {
        return HumidifyError::SteamTemperature;
    }
    if (kind == Humidifier::WaterSpray && !(waterTemperature >= 0.0 && waterTemperature <= 100.0)) {
        return HumidifyError::WaterTemperature;
    }
    if (!(targetPhi <= 100.0)) {
        return HumidifyError::TargetAbove100;
    }
    return std::nullopt;
}

std::expected<Humidified, HumidifyError> humidify(AirState before, double airKgPerHour,
                                                  Humidifier kind, double waterTemperature,
                                                  double targetPhi, PressureRatio pressureRatio) {
    if (const auto refused =
            humidifierError(airKgPerHour, kind, waterTemperature, targetPhi, pressureRatio)) {
        return std::unexpected(*refused);
    }
    const std::optional<LinePoint> start = pointAt(before.x, before.i, pressureRatio);
    if (!start || !(targetPhi > start->phi + kHumidifyTolerance)) {
        return std::unexpected(start ? HumidifyError::TargetNotAbove : HumidifyError::Unreachable);
    }

    const double u = addedWaterEnthalpy(kind, waterTemperature);
    const auto along = [&](double r) {
        return pointAt(before.x + r, before.i + u * r, pressureRatio);
    };

    // Bracket the first crossing: φ(low) < target ≤ φ(high), r = L/G in kg/kg(DA).
    double low = 0.0;
    double high = 0.0;
    bool bracketed = false;
    for (int step = 0; step < kMaxSteps && !bracketed; ++step) {
        const double next = low + std::max(kFirstStep, kStepShare * (before.x + low));
        const std::optional<LinePoint> p = along(next);
        if (!p) {
            return std::unexpected(HumidifyError::Unreachable);
        }
        if (p->phi >= targetPhi) {
            high = next;
            bracketed = true;
        } else {
            low = next;
        }
    }
    if (!bracketed) {
        return std::unexpected(HumidifyError::Unreachable);
    }

    // Halve the bracket until φ is within the tolerance or the bracket cannot shrink.
    double r = high;
    for (int k = 0; k < kMaxHalvings; ++k) {
        const double mid = 0.5 * (low + high);
        if (mid <= low || mid >= high) {
            break;
        }
        const std::optional<LinePoint> p = along(mid);
        if (!p) {
            return std::unexpected(HumidifyError::Unreachable);
        }
        r = mid;
        if (std::fabs(p->phi - targetPhi) <= kHumidifyTolerance) {
            break;
        }
        (p->phi < targetPhi ? low : high) = mid;
    }
    const double x = before.x + r;
    const double i = before.i + u * r;
    const std::optional<LinePoint> end = pointAt(x, i, pressureRatio);
    if (!end) {
        return std::unexpected(HumidifyError::Unreachable);
    }
    return Humidified{r * airKgPerHour, x, i, end->t, end->phi};
}

}  // namespace psychro
