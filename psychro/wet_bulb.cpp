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

// Whether ts lies below the root of the balance. The balance is is′ − (xs − x)·hw = i, which
// grows with ts; t1 is its solution divided by the divisor of balanceTemperature, so ts − t1
// has the balance's sign only while that divisor is positive. Over water it falls to zero where
// xs reaches (0.24 + x) / 0.559 (about 77 °C at 760 mmHg, 62 °C at 1,500 m) and is negative
// beyond: there ts − t1 has the opposite sign, and a search that read it as is would climb to
// the boiling point (95.01 °C for air at 65 °C, 90 % at 1,500 m, whose wet bulb is 62.76 °C).
// Over ice the divisor stays positive.
bool belowRoot(double d, double x, double ts, double xs) {
    const bool positiveDivisor = ts < 0.0 || (kDryAirHeat + x) - kWetBulbWaterHumidity * xs > 0.0;
    return positiveDivisor ? d <= 0.0 : d >= 0.0;
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
        const double xs = ps < pressure ? saturationHumidity(ps, pressureRatio) : 0.0;
        // At or above the boiling point the surface would hold only vapour: the wet bulb lies
        // colder. At the standard pressure ps reaches P only within a few ulps of 100 °C, where
        // the balance has no number and lowers the upper end all the same.
        const double d = ps < pressure ? ts - balanceTemperature(x, i, ts, xs)
                                       : std::numeric_limits<double>::infinity();
        if (std::fabs(d) < kWetBulbTolerance) {
            break;
        }
        if (ts == lo || ts == hi) {
            break;  // no root inside the bracket: it has shrunk onto one end
        }
        // A NaN residual (non-finite input) lowers the upper end, so the search still ends.
        if (ps < pressure && belowRoot(d, x, ts, xs)) {
            lo = ts;
        } else {
            hi = ts;
        }
    }
    return ts;
}

}  // namespace psychro
