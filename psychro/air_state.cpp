#include "psychro/air_state.h"

#include <cmath>
#include <utility>

#include "psychro/constants.h"
#include "psychro/implicit_pairs.h"
#include "psychro/relations.h"
#include "psychro/saturation.h"

namespace psychro {
namespace {

using Result = std::expected<AirState, SolveError>;

Result noState() {
    return std::unexpected(SolveError::NoState);
}

Result fromImplicit(const std::expected<detail::ImplicitSolution, SolveError>& solution) {
    if (!solution) {
        return std::unexpected(solution.error());
    }
    return AirState{solution->x, solution->i};
}

// x–t′: i = is′ − (xs′ − x)·hw, with the ice value of hw at t′ = 0.
Result humidityWetBulb(double x, double tw, PressureRatio pressureRatio) {
    const auto wet = wetBulbSaturation(tw, pressureRatio);
    if (!wet) {
        return noState();
    }
    const double hw = wettingWaterEnthalpy(tw, WetBulbAtZero::Ice);
    return AirState{x, wet->is - (wet->xs - x) * hw};
}

// x–φ: the vapour pressure x·P / (0.622 + x) is φ·ps, so ps = P·x / (φ·(0.622 + x)) is the
// saturation pressure of the dry bulb; the dew point of its saturation humidity is the dry bulb.
Result humidityRelativeHumidity(double x, double phiFraction, PressureRatio pressureRatio) {
    if (phiFraction == 0.0) {
        return noState();  // dry air has no saturation pressure to go with it
    }
    const double pressure = totalPressure(pressureRatio);
    const double ps = pressure * x / (phiFraction * (kMolarMassRatio + x));
    if (!(ps < pressure)) {
        return noState();  // the dry bulb would be at or above the boiling point
    }
    const double xsGrams = kMolarMassRatioGrams * ps / (pressure - ps);
    const auto t = DewPointTemperature(xsGrams, pressureRatio);
    if (!t) {
        return noState();  // no dry bulb in −50 … 100 °C (including x or φ of opposite signs)
    }
    return AirState{x, enthalpy(*t, x)};
}

// i–t′: the wet-bulb relation solved for x, x = xs′ − (is′ − i) / hw; hw = t′ itself would
// divide by zero at t′ = 0, so the ice value holds there.
Result enthalpyWetBulb(double i, double tw, PressureRatio pressureRatio) {
    const auto wet = wetBulbSaturation(tw, pressureRatio);
    if (!wet) {
        return noState();
    }
    const double hw = wettingWaterEnthalpy(tw, WetBulbAtZero::Ice);
    return AirState{wet->xs - (wet->is - i) / hw, i};
}

// t–t′: the wet-bulb relation with i = i(t, x) solved for x, water value of hw from 0 °C up.
Result temperatureWetBulb(double t, double tw, PressureRatio pressureRatio) {
    const auto wet = wetBulbSaturation(tw, pressureRatio);
    if (!wet) {
        return noState();
    }
    const double hw = wettingWaterEnthalpy(tw, WetBulbAtZero::Water);
    const double x = (wet->is - wet->xs * hw - kDryAirHeat * t) / (vapourEnthalpy(t) - hw);
    return AirState{x, enthalpy(t, x)};
}

// t–φ: the vapour pressure φ·ps must stay below the whole pressure for a humidity to exist.
Result temperatureRelativeHumidity(double t, double phiFraction, PressureRatio pressureRatio) {
    const double ps = SaturationPressure(t);
    if (!(phiFraction * ps < totalPressure(pressureRatio))) {
        return noState();
    }
    const double x = humidityFromRelativeHumidity(phiFraction, ps, pressureRatio);
    return AirState{x, enthalpy(t, x)};
}

// The fifteen pairs, first property in the order of the Property enum, at the pressure ratio r.
Result solveOrdered(Property a, double va, Property b, double vb, PressureRatio r) {
    using enum Property;
    switch (a) {
        case x:
            switch (b) {
                case i:
                    return AirState{va, vb};
                case t:
                    return AirState{va, enthalpy(vb, va)};
                case tw:
                    return humidityWetBulb(va, vb, r);
                case v: {
                    const double dryBulb = temperatureFromVolume(vb, va, r);
                    return AirState{va, enthalpy(dryBulb, va)};
                }
                case phi:
                    return humidityRelativeHumidity(va, vb / 100.0, r);
                default:
                    break;
            }
            break;
        case i:
            switch (b) {
                case t:
                    return AirState{humidityFromEnthalpy(va, vb), va};
                case tw:
                    return enthalpyWetBulb(va, vb, r);
                case v:
                    return fromImplicit(detail::solveEnthalpyVolume(va, vb, r));
                case phi:
                    return fromImplicit(detail::solveEnthalpyRelativeHumidity(va, vb / 100.0, r));
                default:
                    break;
            }
            break;
        case t:
            switch (b) {
                case tw:
                    return temperatureWetBulb(va, vb, r);
                case v: {
                    const double humidity = humidityFromVolume(vb, va, r);
                    return AirState{humidity, enthalpy(va, humidity)};
                }
                case phi:
                    return temperatureRelativeHumidity(va, vb / 100.0, r);
                default:
                    break;
            }
            break;
        case tw:
            switch (b) {
                case v:
                    return fromImplicit(detail::solveWetBulbVolume(va, vb, r));
                case phi:
                    return fromImplicit(detail::solveWetBulbRelativeHumidity(va, vb / 100.0, r));
                default:
                    break;
            }
            break;
        case v:
            if (b == phi) {
                return fromImplicit(detail::solveVolumeRelativeHumidity(va, vb / 100.0, r));
            }
            break;
        case phi:
            break;
    }
    return std::unexpected(SolveError::SameProperty);
}

// What rounding may leave of a state solved onto an edge of the air: a humidity a little below
// zero, a relative humidity a little above 100 % (the searches stop within 1e-6 °C of the
// saturation curve, some 1e-5 % of φ).
constexpr double kHumidityRounding = 1e-9;    // kg/kg(DA)
constexpr double kSaturationRounding = 1e-4;  // %

}  // namespace

bool isAirState(AirState state, PressureRatio pressureRatio) {
    if (!std::isfinite(state.x) || !std::isfinite(state.i) || state.x < -kHumidityRounding) {
        return false;
    }
    if (state.x <= 0.0) {
        return true;  // dry air at any temperature
    }
    const double ps = SaturationPressure(temperatureFromEnthalpy(state.i, state.x));
    return relativeHumidityPercent(state.x, ps, pressureRatio) <= 100.0 + kSaturationRounding;
}

namespace detail {

std::expected<AirState, SolveError> solvePairUnchecked(Property a, double va, Property b, double vb,
                                                       PressureRatio pressureRatio) {
    if (a == b) {
        return std::unexpected(SolveError::SameProperty);
    }
    if (!std::isfinite(va) || !std::isfinite(vb) || !std::isfinite(pressureRatio.value()) ||
        !(pressureRatio.value() > 0.0)) {
        return noState();
    }
    if (std::to_underlying(b) < std::to_underlying(a)) {
        std::swap(a, b);
        std::swap(va, vb);
    }
    const Result state = solveOrdered(a, va, b, vb, pressureRatio);
    // A divisor that reaches zero or an overflow anywhere above shows up here; no infinity or
    // NaN may reach a text box or the chart.
    if (state && (!std::isfinite(state->x) || !std::isfinite(state->i))) {
        return noState();
    }
    return state;
}

}  // namespace detail

std::expected<AirState, SolveError> solvePair(Property a, double va, Property b, double vb,
                                              PressureRatio pressureRatio) {
    const Result state = detail::solvePairUnchecked(a, va, b, vb, pressureRatio);
    // Fog and a negative humidity solve the relations but are no air to mark.
    if (state && !isAirState(*state, pressureRatio)) {
        return noState();
    }
    return state;
}

}  // namespace psychro
