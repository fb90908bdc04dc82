#include "psychro/saturation.h"

#include <cmath>
#include <limits>

#include "psychro/atmosphere.h"
#include "psychro/constants.h"

namespace psychro {
namespace {

// Decimal logarithms are taken as ln(v) / ln(10), as the reference tables were computed.
double log10Of(double v) {
    return std::log(v) / std::log(10.0);
}

constexpr double kSteamPoint = 373.15;          // K
constexpr double kIcePoint = 273.15;            // K
constexpr double kIcePointPressure = 0.006228;  // kgf/cm²

// Upper bound on halvings: the 150 K bracket reaches the spacing of doubles near 100 after
// about 55 steps, and the loop stops as soon as a midpoint repeats an end.
constexpr int kMaxHalvings = 200;

}  // namespace

double SaturationPressure(double t) {
    const double absolute = t + kCelsiusOffset;
    double logPs = 0.0;
    if (t >= 0.0) {
        const double r = kSteamPoint / absolute;
        logPs = 5.02808 * log10Of(r) - 7.90298 * (r - 1.0) -
                1.3816 * 1e-7 * (std::pow(10.0, 11.344 * (r - 1.0) / r) - 1.0) +
                8.1328 * 1e-3 * (std::pow(10.0, -3.49149 * (r - 1.0)) - 1.0) +
                log10Of(kAtmosphericPressure);
    } else {
        const double r = kIcePoint / absolute;
        logPs = -9.09718 * (r - 1.0) - 3.56654 * log10Of(r) + 0.876793 * (r - 1.0) / r +
                log10Of(kIcePointPressure);
    }
    return std::pow(10.0, logPs);
}

double boilingPoint(PressureRatio pressureRatio) {
    if (pressureRatio == PressureRatio::standard()) {
        return 100.0;
    }
    const double pressure = totalPressure(pressureRatio);
    double lo = 0.0;
    double hi = 200.0;
    for (int step = 0; step < kMaxHalvings; ++step) {
        const double mid = (lo + hi) / 2.0;
        if (mid == lo || mid == hi) {
            break;
        }
        (SaturationPressure(mid) < pressure ? lo : hi) = mid;
    }
    return hi;
}

double saturationHumidity(double ps, PressureRatio pressureRatio) {
    return kMolarMassRatio * ps / (totalPressure(pressureRatio) - ps);
}

std::optional<double> DewPointTemperature(double xg, PressureRatio pressureRatio) {
    const double pressure = totalPressure(pressureRatio);
    double lo = kSearchLow;
    double hi = kSearchHigh;
    for (int step = 0; step < kMaxHalvings; ++step) {
        const double t = (lo + hi) / 2.0;
        const double ps = SaturationPressure(t);
        // At or above the boiling point saturated air would be all vapour: its humidity has no
        // bound, so the dew point lies colder. At the standard pressure ps reaches P only at
        // midpoints within a few ulps of 100 °C, where the quotient is +∞ as well.
        const double xs = ps < pressure ? kMolarMassRatioGrams * ps / (pressure - ps)
                                        : std::numeric_limits<double>::infinity();
        const double d = xg - xs;
        if (std::fabs(d) < 1e-6) {
            return t;
        }
        if (t == lo || t == hi) {
            break;  // the bracket has collapsed onto one end: no root inside it
        }
        if (d >= 0.0) {
            lo = t;
        } else {
            hi = t;
        }
    }
    return std::nullopt;
}

}  // namespace psychro
