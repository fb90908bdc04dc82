#include "psychro/wet_bulb.h"

#include <cmath>
#include <limits>

#include "psychro/atmosphere.h"
#include "psychro/constants.h"
#include "psychro/saturation.h"

namespace psychro {
namespace {

// The 150 K bracket reaches the spacing of doubles near 100 °C after about 55 halvings; the
// loop normally stops well before this cap, either on the tolerance or on a collapsed bracket.
constexpr int kMaxHalvings = 200;

// Dry-bulb temperature implied by the adiabatic-saturation balance when the wetted surface is
// at ts and saturated (xs). Over water the surface enthalpy is ts, over ice −79.7 + 0.5·ts.
double balanceTemperature(double x, double i, double ts, double xs) {
    if (ts >= 0.0) {
        return (i - kLatentHeat * xs) / ((kDryAirHeat + x) - kWetBulbWaterHumidity * xs);
    }
    return ((i + kFusionHeat * x) - kWetBulbIceLatent * xs) /
           ((kDryAirHeat + kIceHeat * x) - kWetBulbIceHumidity * xs);
}

}  // namespace

double wbt(double x, double i, PressureRatio pressureRatio) {
    const double pressure = totalPressure(pressureRatio);
    double lo = kSearchLow;
    double hi = kSearchHigh;
    double ts = (lo + hi) / 2.0;
    for (int step = 0; step < kMaxHalvings; ++step) {
        ts = (hi + lo) / 2.0;
        const double ps = SaturationPressure(ts);
        // At or above the boiling point the surface would hold only vapour: the wet bulb lies
        // colder. At the standard pressure ps reaches P only within a few ulps of 100 °C, where
        // the balance has no number and lowers the upper end all the same.
        const double d =
            ps < pressure ? ts - balanceTemperature(x, i, ts, saturationHumidity(ps, pressureRatio))
                          : std::numeric_limits<double>::infinity();
        if (std::fabs(d) < kWetBulbTolerance) {
            break;
        }
        if (ts == lo || ts == hi) {
            break;  // no root inside the bracket: it has shrunk onto one end
        }
        // A NaN residual (non-finite input) lowers the upper end, so the search still ends.
        if (d <= 0.0) {
            lo = ts;
        } else {
            hi = ts;
        }
    }
    return ts;
}

}  // namespace psychro
