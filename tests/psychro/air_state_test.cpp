#include "psychro/air_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "psychro/implicit_pairs.h"
#include "psychro/saturation.h"

namespace {

using psychro::Property;
using psychro::SolveError;

std::string nameOf(Property p) {
    constexpr const char* kNames[] = {"x", "i", "t", "t'", "v", "phi"};
    return kNames[std::to_underlying(p)];
}

constexpr Property kAll[] = {Property::x,  Property::i, Property::t,
                             Property::tw, Property::v, Property::phi};

// The six properties of one air state, worked out here from the relations with their
// literal constants, independently of the solver's own code.
struct FullState {
    double x, i, t, tw, v, phi;

    double operator[](Property p) const {
        const double values[] = {x, i, t, tw, v, phi};
        return values[std::to_underlying(p)];
    }
};

double enthalpyOf(double t, double x) {
    return 0.24 * t + x * (597.3 + 0.441 * t);
}

// Wet bulb of (t, x): the t′ at which the saturated air and its water (over ice below 0 °C)
// hold the enthalpy of the state, bisected until the bracket cannot shrink any more.
double wetBulbOf(double t, double x) {
    const double i = enthalpyOf(t, x);
    double lo = -80.0;
    double hi = t + 1.0;
    for (int step = 0; step < 2000; ++step) {
        const double tw = (lo + hi) / 2.0;
        if (tw == lo || tw == hi) {
            break;
        }
        const double ps = psychro::SaturationPressure(tw);
        const double xs = 0.622 * ps / (1.03323 - ps);
        const double hw = tw >= 0.0 ? tw : 0.5 * tw - 79.7;
        const double balance = enthalpyOf(tw, xs) - (xs - x) * hw - i;
        (balance < 0.0 ? lo : hi) = tw;
    }
    return (lo + hi) / 2.0;
}

FullState stateAt(double t, double phiPercent) {
    const double ps = psychro::SaturationPressure(t);
    const double phi = phiPercent / 100.0;
    const double x = 0.622 * phi * ps / (1.03323 - phi * ps);
    return {
        x,         enthalpyOf(t, x), t, wetBulbOf(t, x), 0.455 * (0.622 + x) * (t + 273.15) / 100.0,
        phiPercent};
}

// The 20 °C / 50 % state, each property to 8 significant digits as a user would type it.
constexpr FullState kTyped{0.0072566913, 9.1984257, 20.0, 13.782618, 0.83932303, 50.0};

void expectEveryPairSolvesBack(const FullState& state, const std::string& label) {
    for (Property a : kAll) {
        for (Property b : kAll) {
            if (a == b) {
                continue;
            }
            const std::string pair = label + " " + nameOf(a) + "-" + nameOf(b);
            const auto solved =
                psychro::solvePair(a, state[a], b, state[b], psychro::PressureRatio::standard());
            ASSERT_TRUE(solved.has_value()) << pair;
            EXPECT_NEAR(solved->x, state.x, 5e-9) << pair;
            EXPECT_NEAR(solved->i, state.i, 3e-6) << pair;
            // Either order is the same pair: the same arithmetic, to the last bit.
            const auto swapped =
                psychro::solvePair(b, state[b], a, state[a], psychro::PressureRatio::standard());
            ASSERT_TRUE(swapped.has_value()) << pair;
            EXPECT_EQ(swapped->x, solved->x) << pair;
            EXPECT_EQ(swapped->i, solved->i) << pair;
        }
    }
}

TEST(SolvePair, EveryPairOfTheTypedTwentyDegreeStateSolvesBack) {
    expectEveryPairSolvesBack(kTyped, "20 C / 50 % typed");
}

TEST(SolvePair, EveryPairSolvesBackAcrossTheChart) {
    struct Row {
        double t, phiPercent;
    };
    const Row rows[] = {
        {20.0, 50.0}, {30.0, 70.0}, {40.0, 15.0}, {-10.0, 60.0},  // dry and wet bulb over ice
        {2.0, 40.0},   // dry bulb above 0 °C, wet bulb below
        {25.0, 99.0},  // near saturation
        {45.0, 60.0},
    };
    for (const Row& row : rows) {
        const FullState state = stateAt(row.t, row.phiPercent);
        expectEveryPairSolvesBack(
            state, std::to_string(row.t) + " C / " + std::to_string(row.phiPercent) + " %");
    }
}

// Hand-checked states: the exact figures of the direct pairs, where the arithmetic itself (not
// only the physics) is under test.
TEST(SolvePair, ReferenceFigures) {
    struct Row {
        Property a;
        double va;
        Property b;
        double vb;
        double x, i;
    };
    const Row rows[] = {
        {Property::t, 20.0, Property::phi, 50.0, 0.0072566913, 9.1984257},
        {Property::x, 0.0072566913, Property::phi, 50.0, 0.0072566913, 9.1984258},
        // the displayed, rounded humidity is a slightly different state
        {Property::x, 0.00726, Property::t, 20.0, 0.00726, 9.2004312},
        // x–i is taken as typed, even where it lies below the chart
        {Property::x, 0.0, Property::i, -2.4, 0.0, -2.4},
    };
    for (const Row& row : rows) {
        const auto state =
            psychro::solvePair(row.a, row.va, row.b, row.vb, psychro::PressureRatio::standard());
        ASSERT_TRUE(state.has_value()) << nameOf(row.a) << "-" << nameOf(row.b);
        EXPECT_NEAR(state->x, row.x, 5e-11) << nameOf(row.a) << "-" << nameOf(row.b);
        EXPECT_NEAR(state->i, row.i, 5e-8) << nameOf(row.a) << "-" << nameOf(row.b);
    }
}

// At t′ = 0 exactly, x–t′ and i–t′ take the ice value of the wetting water (hw = −79.7) and the
// other wet-bulb pairs the water value (hw = 0), so the same wet bulb gives two states.
TEST(SolvePair, WetBulbOfExactlyZero) {
    struct Row {
        Property a;
        double va;
        Property b;
        double vb;
        double x, i;
    };
    // The water-group state t = 5 °C, t′ = 0 °C and its volume and relative humidity.
    const double xWater = 0.0017558624;
    const double iWater = 2.2526483;
    const double vWater = 0.455 * (0.622 + xWater) * (5.0 + 273.15) / 100.0;
    const double ps5 = psychro::SaturationPressure(5.0);
    const double phiWater = 100.0 * 1.03323 * xWater / (ps5 * (0.622 + xWater));
    const Row rows[] = {
        {Property::x, 0.003, Property::tw, 0.0, 0.003, 2.3141277},      // ice
        {Property::i, 2.3141277, Property::tw, 0.0, 0.003, 2.3141277},  // ice, and no 0/0
        {Property::t, 5.0, Property::tw, 0.0, xWater, iWater},          // water
        {Property::tw, 0.0, Property::v, vWater, xWater, iWater},       // water
        {Property::tw, 0.0, Property::phi, phiWater, xWater, iWater},   // water
    };
    for (const Row& row : rows) {
        const auto state =
            psychro::solvePair(row.a, row.va, row.b, row.vb, psychro::PressureRatio::standard());
        ASSERT_TRUE(state.has_value()) << nameOf(row.a) << "-" << nameOf(row.b);
        EXPECT_NEAR(state->x, row.x, 5e-10) << nameOf(row.a) << "-" << nameOf(row.b);
        EXPECT_NEAR(state->i, row.i, 5e-7) << nameOf(row.a) << "-" << nameOf(row.b);
    }
    // The ice group does not give the water-group state back from its own x and t′ = 0.
    const auto ice = psychro::solvePair(Property::x, xWater, Property::tw, 0.0,
                                        psychro::PressureRatio::standard());
    ASSERT_TRUE(ice.has_value());
    EXPECT_GT(std::fabs(ice->i - iWater), 0.1);
}

TEST(ImplicitPairs, QuadraticVolumePairs) {
    struct Row {
        const char* name;
        std::expected<psychro::detail::ImplicitSolution, SolveError> solution;
        double t, tTolerance, x, xTolerance, i, iTolerance;
    };
    const Row rows[] = {
        // the plain root formula loses digits to cancellation: x ends 8e-10 below the state
        {"i-v",
         psychro::detail::solveEnthalpyVolume(9.1984257, 0.83932303,
                                              psychro::PressureRatio::standard()),
         20.000002, 5e-7, 0.0072566905, 5e-11, 9.1984257, 0.0},
        {"t'-v",
         psychro::detail::solveWetBulbVolume(13.782618, 0.83932303,
                                             psychro::PressureRatio::standard()),
         20.000002, 5e-7, 0.0072566906, 5e-11, 9.1984257, 5e-8},
        // a solved volume pair may lie far off the chart; it is a state all the same
        {"i-v far",
         psychro::detail::solveEnthalpyVolume(9.2, 0.5, psychro::PressureRatio::standard()),
         -113.570, 5e-4, 0.0666226, 5e-8, 9.2, 0.0},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(row.solution.has_value()) << row.name;
        EXPECT_NEAR(row.solution->t, row.t, row.tTolerance) << row.name;
        EXPECT_NEAR(row.solution->x, row.x, row.xTolerance) << row.name;
        EXPECT_NEAR(row.solution->i, row.i, row.iTolerance) << row.name;
    }
}

TEST(ImplicitPairs, RelativeHumiditySearches) {
    struct Row {
        const char* name;
        std::expected<psychro::detail::ImplicitSolution, SolveError> solution;
        int midpoints;
        double t, tTolerance, x, xTolerance, i, iTolerance;
    };
    const Row rows[] = {
        {"i-phi",
         psychro::detail::solveEnthalpyRelativeHumidity(9.1984257, 0.5,
                                                        psychro::PressureRatio::standard()),
         25, 20.0000003, 5e-8, 0.0072566914, 5e-11, 9.1984257, 0.0},
        {"t'-phi",
         psychro::detail::solveWetBulbRelativeHumidity(13.782618, 0.5,
                                                       psychro::PressureRatio::standard()),
         25, 20.0000003, 5e-8, 0.0072566914, 5e-11, 9.1984258, 5e-8},
        {"v-phi",
         psychro::detail::solveVolumeRelativeHumidity(0.83932303, 0.5,
                                                      psychro::PressureRatio::standard()),
         27, 20.0000014, 5e-8, 0.0072566919, 5e-11, 9.1984265, 5e-8},
        // wet bulb over ice: hw = 0.5·(−6) − 79.7
        {"t'-phi ice",
         psychro::detail::solveWetBulbRelativeHumidity(-6.0, 0.8,
                                                       psychro::PressureRatio::standard()),
         26, -5.12079, 5e-6, 0.00195756, 5e-9, -0.0641595, 5e-8},
        {"v-phi cold",
         psychro::detail::solveVolumeRelativeHumidity(0.78, 0.8,
                                                      psychro::PressureRatio::standard()),
         26, 1.02727, 5e-6, 0.00324720, 5e-9, 2.18757, 5e-6},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(row.solution.has_value()) << row.name;
        EXPECT_EQ(row.solution->midpoints, row.midpoints) << row.name;
        EXPECT_NEAR(row.solution->t, row.t, row.tTolerance) << row.name;
        EXPECT_NEAR(row.solution->x, row.x, row.xTolerance) << row.name;
        EXPECT_NEAR(row.solution->i, row.i, row.iTolerance) << row.name;
    }
}

// Above 100 % the vapour pressure φ·ps reaches the whole pressure somewhere in the bracket. A
// midpoint there lies above the state; taking its meaningless negative humidity at face value
// would send the search the wrong way and lose a state that exists.
TEST(ImplicitPairs, SearchStepsBackFromVapourPressuresAboveTheAtmosphere) {
    struct Row {
        double i, phiFraction;
    };
    const Row rows[] = {{2000.0, 1.5}, {9.2, 100.0}};
    for (const Row& row : rows) {
        const auto solution = psychro::detail::solveEnthalpyRelativeHumidity(
            row.i, row.phiFraction, psychro::PressureRatio::standard());
        ASSERT_TRUE(solution.has_value()) << row.i;
        const double ps = psychro::SaturationPressure(solution->t);
        ASSERT_LT(row.phiFraction * ps, 1.03323);
        EXPECT_GT(solution->x, 0.0);
        EXPECT_NEAR(enthalpyOf(solution->t, solution->x), row.i, 1e-6);
    }
}

TEST(SolvePair, RefusesInputsWithoutAState) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Row {
        const char* why;
        Property a;
        double va;
        Property b;
        double vb;
        SolveError error;
    };
    const Row rows[] = {
        {"same property", Property::t, 20.0, Property::t, 20.0, SolveError::SameProperty},
        {"NaN", Property::t, nan, Property::phi, 50.0, SolveError::NoState},
        {"infinity", Property::x, inf, Property::i, 9.2, SolveError::NoState},
        {"minus infinity", Property::i, -inf, Property::phi, 50.0, SolveError::NoState},
        // divisors of zero
        {"x-phi, phi = 0", Property::x, 0.007, Property::phi, 0.0, SolveError::NoState},
        {"x-phi, ps past the atmosphere", Property::x, 0.02, Property::phi, 2.0,
         SolveError::NoState},
        {"x-phi, negative humidity", Property::x, -0.001, Property::phi, 50.0, SolveError::NoState},
        {"x-phi, dew point below -50", Property::x, 0.00001, Property::phi, 100.0,
         SolveError::NoState},
        {"t-phi at 100 C", Property::t, 100.0, Property::phi, 100.0, SolveError::NoState},
        {"t-phi past the atmosphere", Property::t, 150.0, Property::phi, 100.0,
         SolveError::NoState},
        {"t-phi at absolute zero", Property::t, -273.15, Property::phi, 50.0, SolveError::NoState},
        {"x-t' at 100 C", Property::x, 0.01, Property::tw, 100.0, SolveError::NoState},
        {"i-t' at 100 C", Property::i, 50.0, Property::tw, 100.0, SolveError::NoState},
        {"t-t' at 100 C", Property::t, 100.0, Property::tw, 100.0, SolveError::NoState},
        {"t'-v at 100 C", Property::tw, 100.0, Property::v, 1.0, SolveError::NoState},
        {"t'-phi at 100 C", Property::tw, 100.0, Property::phi, 50.0, SolveError::NoState},
        {"t'-phi wet bulb at absolute zero", Property::tw, -273.15, Property::phi, 50.0,
         SolveError::NoState},
        {"t-v at absolute zero", Property::t, -273.15, Property::v, 0.8, SolveError::NoState},
        {"x-v, x = -0.622", Property::x, -0.622, Property::v, 0.8, SolveError::NoState},
        {"overflow", Property::x, 1e308, Property::t, 1e308, SolveError::NoState},
        // the quadratic pairs
        {"i-v, both humidities negative", Property::i, 9.2, Property::v, 1.0,
         SolveError::EnthalpyVolumeMismatch},
        {"t'-v, both humidities negative", Property::tw, 13.78, Property::v, 1.0,
         SolveError::WetBulbVolumeMismatch},
        {"i-v, negative discriminant", Property::i, -400.0, Property::v, -2.0, SolveError::NoState},
        // the searches, with the solution outside -50 ... 100 C
        {"i-phi too cold", Property::i, -20.0, Property::phi, 50.0, SolveError::NoState},
        {"i-phi too hot", Property::i, 2000.0, Property::phi, 50.0, SolveError::NoState},
        {"t'-phi too cold", Property::tw, -60.0, Property::phi, 50.0, SolveError::NoState},
        {"v-phi too cold", Property::v, 0.6, Property::phi, 50.0, SolveError::NoState},
        {"v-phi too hot", Property::v, 5.0, Property::phi, 50.0, SolveError::NoState},
        // states past the air: fog above 100 %, and humidities below zero (dry air at 15 °C has
        // a wet bulb near 5 °C; at 20 °C a volume of 0.287·293.15/101.325 = 0.830 m³/kg(DA))
        {"x-t over ice, in the fog region", Property::x, 0.003, Property::t, -5.0,
         SolveError::NoState},
        {"t-phi above 100 %", Property::t, 20.0, Property::phi, 150.0, SolveError::NoState},
        {"t' above t", Property::t, 10.0, Property::tw, 20.0, SolveError::NoState},
        {"i-t', fog", Property::i, 6.0, Property::tw, 10.0, SolveError::NoState},
        {"i-t', fog near 0 C", Property::i, 2.303, Property::tw, 0.12, SolveError::NoState},
        {"t-t' below dry air's", Property::t, 15.0, Property::tw, 0.0, SolveError::NoState},
        {"t-v below dry air's", Property::t, 20.0, Property::v, 0.80, SolveError::NoState},
    };
    for (const Row& row : rows) {
        const auto forward =
            psychro::solvePair(row.a, row.va, row.b, row.vb, psychro::PressureRatio::standard());
        ASSERT_FALSE(forward.has_value()) << row.why;
        EXPECT_EQ(forward.error(), row.error) << row.why;
        const auto backward =
            psychro::solvePair(row.b, row.vb, row.a, row.va, psychro::PressureRatio::standard());
        ASSERT_FALSE(backward.has_value()) << row.why;
        EXPECT_EQ(backward.error(), row.error) << row.why;
    }
}

// Finite inputs that are far off the chart either give a finite state or a refusal: never a
// NaN or an infinity, and every search comes back.
TEST(SolvePair, NeverHandsBackANonFiniteState) {
    const std::vector<double> values = {-1e300, -1e6, -273.15, -100.0, -50.0, -1.0, -1e-300, 0.0,
                                        1e-9,   0.5,  1.0,     99.9,   100.0, 1e6,  1e300};
    for (Property a : kAll) {
        for (Property b : kAll) {
            if (std::to_underlying(a) >= std::to_underlying(b)) {
                continue;
            }
            for (double va : values) {
                for (double vb : values) {
                    const auto state =
                        psychro::solvePair(a, va, b, vb, psychro::PressureRatio::standard());
                    if (state) {
                        EXPECT_TRUE(std::isfinite(state->x) && std::isfinite(state->i))
                            << nameOf(a) << " = " << va << ", " << nameOf(b) << " = " << vb;
                    }
                }
            }
        }
    }
}

}  // namespace
