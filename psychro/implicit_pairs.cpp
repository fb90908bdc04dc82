#include "psychro/implicit_pairs.h"

#include <cmath>

#include "psychro/constants.h"
#include "psychro/relations.h"
#include "psychro/saturation.h"

namespace psychro::detail {
namespace {

struct Roots {
    double t1;  // (−b + √D) / (2·a)
    double t2;  // (−b − √D) / (2·a)
};

// Roots of kQuadraticA·t² + b·t + c = 0 in the plain textbook form; the cancellation in t1 costs
// a few digits (x comes out 8e-10 low at 20 °C), which the reference states carry. No real root
// for a negative discriminant.
std::expected<Roots, SolveError> quadraticRoots(double b, double c) {
    const double discriminant = b * b - 4.0 * kQuadraticA * c;
    if (!(discriminant >= 0.0)) {
        return std::unexpected(SolveError::NoState);
    }
    const double root = std::sqrt(discriminant);
    return Roots{(-b + root) / (2.0 * kQuadraticA), (-b - root) / (2.0 * kQuadraticA)};
}

// Which way the residual runs with t, and so which bound a midpoint replaces.
enum class Slope {
    Rising,  // d grows with t: d ≤ 0 puts the solution above, the midpoint becomes the lower bound
    Falling,  // d falls with t: d ≥ 0 puts the solution above, the midpoint becomes the lower bound
};

struct Residual {
    double d;
    double i;  // enthalpy of the state at this midpoint
};

// The 150 K bracket reaches the spacing of doubles after about 55 halvings unless it closes in
// on 0 °C, where doubles are dense; the count stops that case too.
constexpr int kMaxMidpoints = 200;

// The shared bisection of the relative-humidity pairs. residual(t, x) gives the pair's residual
// and the state's enthalpy at the midpoint t with its humidity x.
template <typename ResidualAt>
std::expected<ImplicitSolution, SolveError> searchDryBulb(double phiFraction,
                                                          PressureRatio pressureRatio, Slope slope,
                                                          ResidualAt residualAt) {
    const double pressure = totalPressure(pressureRatio);
    double lo = kSearchLow;
    double hi = kSearchHigh;
    for (int midpoints = 1; midpoints <= kMaxMidpoints; ++midpoints) {
        const double t = (lo + hi) / 2.0;
        if (t == lo || t == hi) {
            // The bracket cannot shrink any more and no midpoint met the tolerance: the root lies
            // at or past an end of the range.
            break;
        }
        const double ps = SaturationPressure(t);
        if (!(phiFraction * ps < pressure)) {
            // The vapour pressure would reach the whole pressure: no humidity here, and every
            // residual says the state lies colder (x grows without bound towards this point).
            hi = t;
            continue;
        }
        const double x = humidityFromRelativeHumidity(phiFraction, ps, pressureRatio);
        const Residual r = residualAt(t, x);
        if (std::fabs(r.d) < kPairSearchTolerance) {
            return ImplicitSolution{t, x, r.i, midpoints};
        }
        const bool solutionAbove = slope == Slope::Rising ? r.d <= 0.0 : r.d >= 0.0;
        if (solutionAbove) {
            lo = t;
        } else {
            hi = t;  // a residual that is no number also ends up here
        }
    }
    return std::unexpected(SolveError::NoState);
}

}  // namespace

std::expected<ImplicitSolution, SolveError> solveEnthalpyVolume(double i, double v,
                                                                PressureRatio pressureRatio) {
    // The standard atmosphere's volume of the same air (exactly v at the ratio 1.0).
    const double vs = v * pressureRatio.value();
    const double b =
        kVolumeFactor * (kMolarLatentHeat + i) + kVolumeAtIcePointHeat - kVapourHeatPercent * vs;
    const double c = kVolumeAtIcePoint * (kMolarLatentHeat + i) - kLatentHeatPercent * vs;
    const auto roots = quadraticRoots(b, c);
    if (!roots) {
        return std::unexpected(roots.error());
    }
    const double x1 = humidityFromEnthalpy(i, roots->t1);
    const double x2 = humidityFromEnthalpy(i, roots->t2);
    // Exactly one root has a positive humidity for a state that exists; both of one sign (or a
    // zero) means the volume does not fit the enthalpy.
    if (!(x1 * x2 < 0.0)) {
        return std::unexpected(SolveError::EnthalpyVolumeMismatch);
    }
    const double t = x1 > 0.0 ? roots->t1 : roots->t2;
    return ImplicitSolution{t, humidityFromEnthalpy(i, t), i, 0};
}

std::expected<ImplicitSolution, SolveError> solveWetBulbVolume(double tw, double v,
                                                               PressureRatio pressureRatio) {
    const auto wet = wetBulbSaturation(tw, pressureRatio);
    if (!wet) {
        return std::unexpected(SolveError::NoState);
    }
    const double vs = v * pressureRatio.value();  // as in solveEnthalpyVolume
    const double hw = wettingWaterEnthalpy(tw, WetBulbAtZero::Water);
    const double a = wet->is - wet->xs * hw;
    const double b = kLatentHeat - hw;
    const double w = 100.0 * vs - kVolumeAtIcePointMolar;
    const double linear =
        kVolumeFactor * a + kVolumeMolar * b - kWetBulbVolumeHeat - kVapourHeat * w;
    const double constant = kVolumeAtIcePoint * a - w * b;
    const auto roots = quadraticRoots(linear, constant);
    if (!roots) {
        return std::unexpected(roots.error());
    }
    // vs is already the standard atmosphere's volume.
    const double x1 = humidityFromVolume(vs, roots->t1, PressureRatio::standard());
    const double x2 = humidityFromVolume(vs, roots->t2, PressureRatio::standard());
    if (!(x1 * x2 < 0.0)) {
        return std::unexpected(SolveError::WetBulbVolumeMismatch);
    }
    const double t = x1 > 0.0 ? roots->t1 : roots->t2;
    const double x = x1 > 0.0 ? x1 : x2;
    return ImplicitSolution{t, x, enthalpy(t, x), 0};
}

std::expected<ImplicitSolution, SolveError> solveEnthalpyRelativeHumidity(
    double i, double phiFraction, PressureRatio pressureRatio) {
    return searchDryBulb(phiFraction, pressureRatio, Slope::Rising, [i](double t, double x) {
        return Residual{enthalpy(t, x) - i, i};
    });
}

std::expected<ImplicitSolution, SolveError> solveWetBulbRelativeHumidity(
    double tw, double phiFraction, PressureRatio pressureRatio) {
    const auto wet = wetBulbSaturation(tw, pressureRatio);
    if (!wet) {
        return std::unexpected(SolveError::NoState);
    }
    const double hw = wettingWaterEnthalpy(tw, WetBulbAtZero::Water);
    return searchDryBulb(phiFraction, pressureRatio, Slope::Falling,
                         [&wet, hw](double t, double x) {
                             const double i = wet->is - (wet->xs - x) * hw;
                             return Residual{temperatureFromEnthalpy(i, x) - t, i};
                         });
}

std::expected<ImplicitSolution, SolveError> solveVolumeRelativeHumidity(
    double v, double phiFraction, PressureRatio pressureRatio) {
    return searchDryBulb(
        phiFraction, pressureRatio, Slope::Falling, [v, pressureRatio](double t, double x) {
            return Residual{temperatureFromVolume(v, x, pressureRatio) - t, enthalpy(t, x)};
        });
}

}  // namespace psychro::detail
