#include "psychro/atmosphere.h"

#include <cmath>

namespace psychro {
namespace {

using Result = std::expected<Atmosphere, PressureError>;

// A ratio in the accepted range, or the reason it is not.
Result checked(double ratio, PressureUnit unit, double given) {
    if (!std::isfinite(given) || !std::isfinite(ratio)) {
        return std::unexpected(PressureError::NotFinite);
    }
    if (ratio < lowestPressureRatio().value()) {
        return std::unexpected(PressureError::BelowRange);
    }
    if (ratio > highestPressureRatio().value()) {
        return std::unexpected(PressureError::AboveRange);
    }
    return Atmosphere{PressureRatio(ratio), unit, given};
}

}  // namespace

PressureRatio pressureRatioAtAltitude(double metres) {
    return PressureRatio(std::pow(1.0 - kAltitudeLapse * metres, kAltitudeExponent));
}

std::optional<double> altitudeAtPressureRatio(PressureRatio ratio) {
    const double r = ratio.value();
    if (!std::isfinite(r) || !(r > 0.0)) {
        return std::nullopt;
    }
    return (1.0 - std::pow(r, 1.0 / kAltitudeExponent)) / kAltitudeLapse;
}

PressureRatio lowestPressureRatio() {
    static const PressureRatio ratio = pressureRatioAtAltitude(kHighestAltitude);
    return ratio;
}

PressureRatio highestPressureRatio() {
    static const PressureRatio ratio = pressureRatioAtAltitude(kLowestAltitude);
    return ratio;
}

Result atmosphereFromMmHg(double mmHg) {
    return checked(mmHg / kStandardMmHg, PressureUnit::MmHg, mmHg);
}

Result atmosphereFromKPa(double kPa) {
    return checked(kPa / kStandardKPa, PressureUnit::KPa, kPa);
}

Result atmosphereFromAltitude(double metres) {
    // The altitude is checked as given, so that −500 m and 5,000 m themselves are accepted
    // whatever the last bit of their ratios.
    if (!std::isfinite(metres)) {
        return std::unexpected(PressureError::NotFinite);
    }
    if (metres < kLowestAltitude) {
        return std::unexpected(PressureError::BelowRange);
    }
    if (metres > kHighestAltitude) {
        return std::unexpected(PressureError::AboveRange);
    }
    return Atmosphere{pressureRatioAtAltitude(metres), PressureUnit::Altitude, metres};
}

Result atmosphereFrom(PressureUnit unit, double value) {
    switch (unit) {
        case PressureUnit::KPa:
            return atmosphereFromKPa(value);
        case PressureUnit::Altitude:
            return atmosphereFromAltitude(value);
        case PressureUnit::MmHg:
            break;
    }
    return atmosphereFromMmHg(value);
}

}  // namespace psychro
