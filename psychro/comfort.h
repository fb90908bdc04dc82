#pragma once

#include <expected>
#include <vector>

#include "psychro/air_state.h"

// Thermal comfort: Fanger's predicted mean vote with the predicted percentage of dissatisfied
// (the heat balance of ISO 7730), and the discomfort index of warm air from its dry-bulb and
// wet-bulb temperatures, each with the air state that the chart marks for it.
namespace psychro {

// Why PMVS gives no vote.
enum class PmvFailure {
    NegativeAirVelocity,       // vel < 0: the forced convection takes √vel
    NegativeClothing,          // clo < 0
    NonPositiveMetabolicRate,  // act ≤ 0
    HumidityOutOfRange,        // rh outside 0 … 100 %
    AirBelowAbsoluteZero,      // ta ≤ −273 °C (the model's absolute offset is 273)
    RadiantBelowAbsoluteZero,  // tr ≤ −273 °C
    NoConvergence,             // the clothing-surface loop hit its bound
    NoResult,                  // an input too large for the heat balance (a value not finite)
};

struct PmvResult {
    double pmv;   // predicted mean vote, clamped to −3 … 3
    double ppd;   // predicted percentage of dissatisfied, %, from the clamped vote
    double vote;  // the vote before the clamp
    double pa;    // partial water-vapour pressure of the room air, Pa
    double tcl;   // clothing surface temperature, °C
};

// Passes of the clothing-surface loop before PMVS gives up. Ordinary rooms converge in well
// under twenty; the bound is that of the calculation programme published with ISO 7730.
inline constexpr int kPmvMaxPasses = 150;

// PMV and PPD by Fanger's heat balance. ta air temperature °C, tr mean radiant temperature °C,
// rh relative humidity % (0 … 100), vel relative air velocity m/s (≥ 0), clo clothing
// insulation clo (≥ 0), act metabolic rate met (> 0); no external work. The clothing surface
// temperature is found by damped fixed-point iteration to |Δ| ≤ 0.00015 (in K/100), at most
// kPmvMaxPasses passes. ppd = 100 − 95·exp(−0.03353·pmv⁴ − 0.2179·pmv²), pmv clamped to ±3.
// ISO 7730 vouches for the model only inside the ranges that isoRangeExceedances checks.
[[nodiscard]] std::expected<PmvResult, PmvFailure> PMVS(double ta, double tr, double rh, double vel,
                                                        double clo, double act);

// The quantities whose value lies outside the ranges in which ISO 7730 recommends the model.
enum class IsoRange {
    MetabolicRate,       // 0.8 … 4 met (46 … 232 W/m²)
    Clothing,            // 0 … 2 clo (0 … 0.310 m²·K/W)
    AirTemperature,      // 10 … 30 °C
    RadiantTemperature,  // 10 … 40 °C
    AirVelocity,         // 0 … 1 m/s
    VapourPressure,      // 0 … 2700 Pa
    Vote,                // PMV −2 … 2, taken before the clamp
};

// Which of the ranges the conditions and their result leave, in the order of the enum; empty
// when the result lies where the model was validated. Bounds belong to the ranges.
[[nodiscard]] std::vector<IsoRange> isoRangeExceedances(double ta, double tr, double vel,
                                                        double clo, double act,
                                                        const PmvResult& result);

// The room air that the PMV is computed for: x from ta and rh through the saturation pressure
// of ta, i from ta and x, at the total pressure 1.03323·pressureRatio kgf/cm². Fails (NoState)
// where rh·ps(ta) reaches the total pressure.
[[nodiscard]] std::expected<AirState, SolveError> roomAirState(double ta, double rh,
                                                               PressureRatio pressureRatio);

// Discomfort index DI = (t′ + t)·0.72 + 40.6 of air at dry bulb t and wet bulb t′ (°C), both
// held in single precision, summed and scaled in double. Meaningful for warm, humid air.
[[nodiscard]] double discomfortIndex(float t, float tw);

// Share in % of people who feel discomfort at a discomfort index: 0 up to 70, 10 up to 75, 50
// up to 80, 100 above; each boundary belongs to the lower step.
[[nodiscard]] int discomfortShare(double di);

enum class DiscomfortFailure {
    WetBulbAboveDryBulb,  // t′ > t: no unsaturated air has it
    WetBulbAtBoiling,     // t′ at or above the boiling point: saturated air would be steam
    NegativeHumidity,     // t′ so far below t that the air would hold less than no vapour
    NoAirState,           // anything else without a state (t′ at or below absolute zero)
};

// The air marked for the discomfort index: the state with dry bulb t and wet bulb t′, the
// water on the bulb taken as ice below 0 °C (hw = 0.5·t′ − 79.7) and as water from 0 °C up, at
// the total pressure 1.03323·pressureRatio kgf/cm².
[[nodiscard]] std::expected<AirState, DiscomfortFailure> discomfortAirState(
    float t, float tw, PressureRatio pressureRatio);

}  // namespace psychro
