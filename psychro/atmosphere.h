#pragma once

#include <expected>
#include <optional>

#include "psychro/constants.h"

// The total pressure of the air. The relations take it as a ratio to the standard atmosphere,
// ratio = P / 760 mmHg, a PressureRatio that every caller must give: at the standard atmosphere
// it is exactly 1.0, so every product and quotient with it is exact and every result is the
// same to the last bit as one computed without it. A site gives its pressure in mmHg, in kPa or as
// its altitude above sea level; the setting keeps how it was given, for the label that states it.
namespace psychro {

// The standard atmosphere in the three units the program meets it in (the third is
// kAtmosphericPressure, 1.03323 kgf/cm²).
inline constexpr double kStandardMmHg = 760.0;
inline constexpr double kStandardKPa = 101.325;

// The standard atmosphere's pressure at altitude Z m:
//   p = 101.325·(1 − 2.25577e-5·Z)^5.2559 kPa.
inline constexpr double kAltitudeLapse = 2.25577e-5;  // 1/m
inline constexpr double kAltitudeExponent = 5.2559;

// The sites the program is drawn for: from 500 m below sea level (about 806.15 mmHg,
// 107.478 kPa) up to 5,000 m (about 405.18 mmHg, 54.020 kPa). Below this range no site
// exists; above it the boiling point falls towards the top of the chart's temperatures.
inline constexpr double kLowestAltitude = -500.0;   // m
inline constexpr double kHighestAltitude = 5000.0;  // m

// The total pressure as its ratio to the standard atmosphere, r = P / 760 mmHg, as a type of
// its own: every relation that depends on the pressure takes one, with no default, so a
// forgotten pressure does not compile and cannot be mistaken for another number.
class PressureRatio {
  public:
    explicit constexpr PressureRatio(double ratio) : ratio_(ratio) {}
    // The standard atmosphere, 760 mmHg: exactly 1.0, so that every product and quotient with
    // it is exact.
    [[nodiscard]] static constexpr PressureRatio standard() { return PressureRatio(1.0); }
    [[nodiscard]] constexpr double value() const { return ratio_; }
    [[nodiscard]] constexpr bool operator==(const PressureRatio&) const = default;

  private:
    double ratio_;
};

// Total pressure in kgf/cm² for a pressure ratio: 1.03323·ratio, exactly 1.03323 at 1.0.
[[nodiscard]] constexpr double totalPressure(PressureRatio pressureRatio) {
    return kAtmosphericPressure * pressureRatio.value();
}

// The ratio at altitude Z m by the standard atmosphere, (1 − 2.25577e-5·Z)^5.2559; exactly 1.0
// at Z = 0. Any Z below 44,331 m (where the base reaches zero); no range check.
[[nodiscard]] PressureRatio pressureRatioAtAltitude(double metres);

// The altitude of the standard atmosphere at `ratio`, the inverse of pressureRatioAtAltitude:
//   Z = (1 − ratio^(1/5.2559)) / 2.25577e-5 m; exactly 0 at 1.0. Any ratio > 0 (about
//   44,331 m as it nears 0); nullopt for a ratio that is not finite and positive.
[[nodiscard]] std::optional<double> altitudeAtPressureRatio(PressureRatio ratio);

// The accepted ratios: those of 5,000 m and of −500 m.
[[nodiscard]] PressureRatio lowestPressureRatio();
[[nodiscard]] PressureRatio highestPressureRatio();

// How a pressure setting was given.
enum class PressureUnit {
    MmHg,
    KPa,
    Altitude,  // metres above sea level
};

enum class PressureError {
    NotFinite,   // NaN or an infinity
    BelowRange,  // below the range of its unit (a pressure under 5,000 m's, or below −500 m)
    AboveRange,  // above it (a pressure over −500 m's, or above 5,000 m)
};

// A site's pressure: the ratio the relations take, and the number and unit it was given in.
// It has no default: the standard atmosphere is spelled out as Atmosphere::standard().
struct Atmosphere {
    PressureRatio ratio;  // P / 760 mmHg
    PressureUnit unit;
    double given;  // in `unit`: mmHg, kPa or metres

    // The standard atmosphere, given as 760 mmHg.
    [[nodiscard]] static constexpr Atmosphere standard() {
        return {PressureRatio::standard(), PressureUnit::MmHg, kStandardMmHg};
    }

    [[nodiscard]] constexpr double mmHg() const { return kStandardMmHg * ratio.value(); }
    [[nodiscard]] constexpr double kPa() const { return kStandardKPa * ratio.value(); }
    [[nodiscard]] constexpr double kgfPerCm2() const { return totalPressure(ratio); }
    // Whether this is the standard atmosphere, however it was given (760 mmHg, 101.325 kPa or
    // 0 m all give the ratio 1.0 exactly).
    [[nodiscard]] constexpr bool isStandard() const { return ratio == PressureRatio::standard(); }
};

// The setting for a pressure in mmHg (ratio = mmHg / 760), in kPa (ratio = kPa / 101.325) or
// for an altitude in metres (ratio by pressureRatioAtAltitude). Refused when not finite or
// outside the range above; the ends themselves are accepted.
[[nodiscard]] std::expected<Atmosphere, PressureError> atmosphereFromMmHg(double mmHg);
[[nodiscard]] std::expected<Atmosphere, PressureError> atmosphereFromKPa(double kPa);
[[nodiscard]] std::expected<Atmosphere, PressureError> atmosphereFromAltitude(double metres);

// Whichever of the three `unit` names.
[[nodiscard]] std::expected<Atmosphere, PressureError> atmosphereFrom(PressureUnit unit,
                                                                      double value);

}  // namespace psychro
