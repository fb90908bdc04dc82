#include "psychro/comfort.h"

#include <cmath>

#include "psychro/implicit_pairs.h"
#include "psychro/relations.h"

namespace psychro {
namespace {

// W/m² of one met, the metabolic rate of a seated person at rest.
constexpr double kWattsPerMet = 58.15;
// m²·K/W of one clo.
constexpr double kClo = 0.155;
// The heat balance takes absolute temperatures as t + 273.
constexpr double kKelvinOffset = 273.0;

// ISO 7730's ranges of validity.
constexpr double kIsoMetLow = 0.8;
constexpr double kIsoMetHigh = 4.0;
constexpr double kIsoCloHigh = 2.0;
constexpr double kIsoAirLow = 10.0;
constexpr double kIsoAirHigh = 30.0;
constexpr double kIsoRadiantLow = 10.0;
constexpr double kIsoRadiantHigh = 40.0;
constexpr double kIsoVelocityHigh = 1.0;
constexpr double kIsoVapourHigh = 2700.0;  // Pa
constexpr double kIsoVoteLimit = 2.0;

bool inside(double v, double low, double high) {
    return v >= low && v <= high;
}

}  // namespace

std::expected<PmvResult, PmvFailure> PMVS(double ta, double tr, double rh, double vel, double clo,
                                          double act) {
    // The negated comparisons also refuse NaN.
    if (!(vel >= 0.0)) {
        return std::unexpected(PmvFailure::NegativeAirVelocity);
    }
    if (!(clo >= 0.0)) {
        return std::unexpected(PmvFailure::NegativeClothing);
    }
    if (!(act > 0.0)) {
        return std::unexpected(PmvFailure::NonPositiveMetabolicRate);
    }
    if (!inside(rh, 0.0, 100.0)) {
        return std::unexpected(PmvFailure::HumidityOutOfRange);
    }
    if (!(ta > -kKelvinOffset)) {
        return std::unexpected(PmvFailure::AirBelowAbsoluteZero);
    }
    if (!(tr > -kKelvinOffset)) {
        return std::unexpected(PmvFailure::RadiantBelowAbsoluteZero);
    }

    const double M = kWattsPerMet * act;
    const double Icl = kClo * clo;
    const double W = 0.0;
    const double mw = M - W;
    // Saturation pressure at ta in mmHg, converted to Pa.
    const double pa = (rh / 100.0) *
                      std::exp(18.6686 - 4030.18 / (ta + 235.0) - 0.003 / (ta + 235.0)) /
                      0.00750062;
    const double eps = 0.00015;

    double fcl = 1.05 + 0.645 * Icl;
    if (Icl < 0.078) {
        fcl = (fcl - 0.05) + 0.645 * Icl;  // 1 + 1.29·Icl for light clothing
    }
    const double p1 = Icl * fcl;
    const double p2 = 3.96 * p1;
    const double p3 = 100.0 * p1;
    const double tra = tr + kKelvinOffset;
    const double taa = ta + kKelvinOffset;
    const double p4 = p1 * taa;
    const double p5 = (308.7 - 0.028 * mw) + p2 * std::pow(tra / 100.0, 4.0);

    const double tcla = taa + (35.5 - ta) / (3.5 * (6.45 * Icl + 0.1));
    double xn = tcla / 100.0;
    double xf = xn;
    const double hcf = 12.1 * std::sqrt(vel);
    double hc = 0.0;
    // The surface temperature / 100 solves xn = f(xf); each pass moves to the mean of the last
    // two values, which damps the oscillation of f's steep fourth power.
    bool converged = false;
    for (int pass = 0; pass < kPmvMaxPasses; ++pass) {
        xf = (xf + xn) / 2.0;
        const double hcn = 2.38 * std::pow(std::fabs(100.0 * xf - taa), 0.25);
        hc = hcf > hcn ? hcf : hcn;
        xn = ((p5 + p4 * hc) - p2 * std::pow(xf, 4.0)) / (100.0 + p3 * hc);
        if (!(std::fabs(xn - xf) > eps)) {
            converged = true;
            break;
        }
    }
    if (!converged) {
        return std::unexpected(PmvFailure::NoConvergence);
    }
    const double tcl = 100.0 * xn - kKelvinOffset;

    const double hl1 = 0.00305 * ((5733.0 - 6.99 * mw) - pa);  // diffusion through the skin
    const double hl2 = mw > kWattsPerMet ? 0.42 * (mw - kWattsPerMet) : 0.0;  // sweating
    const double hl3 = 1.7e-5 * M * (5867.0 - pa);                            // latent respiration
    const double hl4 = 0.0014 * M * (34.0 - ta);                              // dry respiration
    const double hl5 = 3.96 * fcl * (std::pow(xn, 4.0) - std::pow(tra / 100.0, 4.0));  // radiation
    const double hl6 = fcl * hc * (tcl - ta);                                          // convection
    const double ts = 0.303 * std::exp(-0.036 * M) + 0.028;
    const double vote = ts * (mw - hl1 - hl2 - hl3 - hl4 - hl5 - hl6);
    // An infinite vote would pass the clamp as ±3: refuse it before.
    if (!std::isfinite(vote) || !std::isfinite(tcl)) {
        return std::unexpected(PmvFailure::NoResult);
    }

    double pmv = vote;
    if (pmv > 3.0) {
        pmv = 3.0;
    }
    if (pmv < -3.0) {
        pmv = -3.0;
    }
    const double ppd =
        100.0 - 95.0 * std::exp(-0.03353 * std::pow(pmv, 4.0) - 0.2179 * std::pow(pmv, 2.0));
    return PmvResult{pmv, ppd, vote, pa, tcl};
}

std::vector<IsoRange> isoRangeExceedances(double ta, double tr, double vel, double clo, double act,
                                          const PmvResult& result) {
    std::vector<IsoRange> outside;
    const auto check = [&outside](bool within, IsoRange range) {
        if (!within) {
            outside.push_back(range);
        }
    };
    check(inside(act, kIsoMetLow, kIsoMetHigh), IsoRange::MetabolicRate);
    check(inside(clo, 0.0, kIsoCloHigh), IsoRange::Clothing);
    check(inside(ta, kIsoAirLow, kIsoAirHigh), IsoRange::AirTemperature);
    check(inside(tr, kIsoRadiantLow, kIsoRadiantHigh), IsoRange::RadiantTemperature);
    check(inside(vel, 0.0, kIsoVelocityHigh), IsoRange::AirVelocity);
    check(inside(result.pa, 0.0, kIsoVapourHigh), IsoRange::VapourPressure);
    check(inside(result.vote, -kIsoVoteLimit, kIsoVoteLimit), IsoRange::Vote);
    return outside;
}

std::expected<AirState, SolveError> roomAirState(double ta, double rh,
                                                 PressureRatio pressureRatio) {
    return solvePair(Property::t, ta, Property::phi, rh, pressureRatio);
}

double discomfortIndex(float t, float tw) {
    return (static_cast<double>(tw) + static_cast<double>(t)) * 0.72 + 40.6;
}

int discomfortShare(double di) {
    if (di <= 70.0) {
        return 0;
    }
    if (di <= 75.0) {
        return 10;
    }
    if (di <= 80.0) {
        return 50;
    }
    return 100;
}

std::expected<AirState, DiscomfortFailure> discomfortAirState(float t, float tw,
                                                              PressureRatio pressureRatio) {
    if (tw > t) {
        return std::unexpected(DiscomfortFailure::WetBulbAboveDryBulb);
    }
    const double dryBulb = t;
    const double wetBulb = tw;
    if (!wetBulbSaturation(wetBulb, pressureRatio)) {
        return std::unexpected(wetBulb >= boilingPoint(pressureRatio)
                                   ? DiscomfortFailure::WetBulbAtBoiling
                                   : DiscomfortFailure::NoAirState);
    }
    // The dry-bulb/wet-bulb pair of the solver takes the water on the bulb as ice below 0 °C
    // and as water from 0 °C up, as the index's chart point does.
    const auto state =
        detail::solvePairUnchecked(Property::t, dryBulb, Property::tw, wetBulb, pressureRatio);
    if (!state) {
        return std::unexpected(DiscomfortFailure::NoAirState);
    }
    if (state->x < 0.0) {
        return std::unexpected(DiscomfortFailure::NegativeHumidity);
    }
    if (!isAirState(*state, pressureRatio)) {
        return std::unexpected(DiscomfortFailure::NoAirState);
    }
    return *state;
}

}  // namespace psychro
