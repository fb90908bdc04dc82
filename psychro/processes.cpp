#include "psychro/processes.h"

#include <cmath>
#include <limits>

#include "psychro/relations.h"

namespace psychro {
namespace {

bool fitsSinglePrecision(double v) {
    return std::isfinite(v) && std::fabs(v) <= std::numeric_limits<float>::max();
}

}  // namespace

std::optional<float> keptAirQuantity(double airKgPerHour) {
    if (!fitsSinglePrecision(airKgPerHour) || !(static_cast<float>(airKgPerHour) > 0.0F)) {
        return std::nullopt;
    }
    return static_cast<float>(airKgPerHour);
}

std::optional<KeptStream> keepStream(AirState s, float airKgPerHour) {
    if (!fitsSinglePrecision(s.i) || !fitsSinglePrecision(s.x)) {
        return std::nullopt;
    }
    return KeptStream{static_cast<float>(s.i), static_cast<float>(s.x), airKgPerHour};
}

Mixed mixStreams(KeptStream first, AirState second, double secondKgPerHour) {
    // Stream 1's shares are formed in single precision, as stream 1 is kept.
    const float iG1 = first.i * first.G;
    const float xG1 = first.x * first.G;
    return {(second.i * secondKgPerHour + iG1) / (secondKgPerHour + first.G),
            (second.x * secondKgPerHour + xG1) / (secondKgPerHour + first.G)};
}

double coolingLoad(KeptStream first, double i2) {
    return (static_cast<double>(first.i) - i2) * static_cast<double>(first.G);
}

Heated heatTo(AirState before, double airKgPerHour, double finalTemperature) {
    const double i2 = enthalpy(finalTemperature, before.x);
    return {i2, (i2 - before.i) * airKgPerHour};
}

}  // namespace psychro
