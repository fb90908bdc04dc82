#pragma once

// The units the program shows its figures in. The physics is computed in the engineering units
// of psychro/ (kcal/kg(DA), kcal/h, kgf/cm²) in both cases; SI is a way of showing the same
// numbers: enthalpy in kJ/kg(DA), loads in kW, pressure in kPa. Temperatures, humidities,
// volumes and φ read the same in both.
//
// Decimals: a figure in SI carries at least the resolution of its engineering figure, with the
// fewest decimals that do so: e = the least e with 10^−e ≤ f·10^−d, where the engineering
// figure has d decimals and one of its units is f SI units.
//   enthalpy: f = 4.1868, so e = d (i to 2 decimals: 0.01 kJ/kg ≤ 0.01 kcal/kg = 0.042 kJ/kg)
//   load:     f = 4.1868/3600 = 0.001163, so e = d + 3 (whole kcal/h: kW to 3 decimals,
//             0.001 kW = 0.86 kcal/h)
// In engineering units every function here is the identity, so the default changes no bit.
namespace chart {

enum class Units {
    Engineering,  // kcal/kg(DA), kcal/h, mmHg
    SI,           // kJ/kg(DA), kW, kPa
};

// The international-table calorie: 1 kcal = 4.1868 kJ.
inline constexpr double kKilojoulesPerKilocalorie = 4.1868;
inline constexpr double kSecondsPerHour = 3600.0;

// kJ/kg(DA) from kcal/kg(DA): 4.1868·kcal.
[[nodiscard]] constexpr double kilojoulesFromKilocalories(double kcal) {
    return kcal * kKilojoulesPerKilocalorie;
}
// kcal/kg(DA) from kJ/kg(DA): kJ / 4.1868, for an enthalpy typed in SI.
[[nodiscard]] constexpr double kilocaloriesFromKilojoules(double kJ) {
    return kJ / kKilojoulesPerKilocalorie;
}
// kW from kcal/h: kcal/h · 4.1868 / 3600 (1250 kcal/h = 1.45375 kW).
[[nodiscard]] constexpr double kilowattsFromKilocaloriesPerHour(double kcalPerHour) {
    return kcalPerHour * kKilojoulesPerKilocalorie / kSecondsPerHour;
}

// An enthalpy in kcal/kg(DA) as `units` show it, and back.
[[nodiscard]] constexpr double shownEnthalpy(double kcal, Units units) {
    return units == Units::SI ? kilojoulesFromKilocalories(kcal) : kcal;
}
[[nodiscard]] constexpr double enthalpyFromShown(double shown, Units units) {
    return units == Units::SI ? kilocaloriesFromKilojoules(shown) : shown;
}
// A load in kcal/h as `units` show it.
[[nodiscard]] constexpr double shownLoad(double kcalPerHour, Units units) {
    return units == Units::SI ? kilowattsFromKilocaloriesPerHour(kcalPerHour) : kcalPerHour;
}
// A load typed as `units` show it, in kcal/h: kW · 3600 / 4.1868 in SI (11.63 kW is 10,000
// kcal/h).
[[nodiscard]] constexpr double loadFromShown(double shown, Units units) {
    return units == Units::SI ? shown * kSecondsPerHour / kKilojoulesPerKilocalorie : shown;
}

// Decimals of a shown enthalpy or load whose engineering figure has `decimals` (see above).
[[nodiscard]] constexpr int enthalpyDecimals(int decimals, Units /*units*/) {
    return decimals;  // a kJ is smaller than a kcal: the same decimals resolve more
}
[[nodiscard]] constexpr int loadDecimals(int decimals, Units units) {
    return units == Units::SI ? decimals + 3 : decimals;
}

// Unit names as the labels write them.
[[nodiscard]] constexpr const char* enthalpyUnitText(Units units) {
    return units == Units::SI ? "kJ/kg(DA)" : "kcal/kg(DA)";
}
[[nodiscard]] constexpr const char* loadUnitText(Units units) {
    return units == Units::SI ? "kW" : "kcal/h";
}

}  // namespace chart
