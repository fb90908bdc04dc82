#include "chart/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace {

struct TextRow {
    double value;
    const char* text;
};

TEST(GeneralText, PlainDecimalWithoutTrailingZeros) {
    const TextRow rows[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {20.0, "20"},
        {9.2, "9.2"},
        {0.00726, "0.00726"},
        {-6.26, "-6.26"},
        {68.6, "68.6"},
        {0.00001, "0.00001"},  // never an exponent
        {1e-20, "0.00000000000000000001"},
        {1234567.0, "1234567"},  // no digit grouping
        {1e20, "100000000000000000000"},
        {0.1 + 0.2, "0.3"},  // 15 significant digits hide binary noise
        {0.75 + 0.01, "0.76"},
        {123456789.123456789, "123456789.123457"},
        // No word for what is not a number: callers refuse such values before writing.
        {std::numeric_limits<double>::quiet_NaN(), ""},
        {std::numeric_limits<double>::infinity(), ""},
        {-std::numeric_limits<double>::infinity(), ""},
    };
    for (const TextRow& row : rows) {
        EXPECT_EQ(chart::generalText(row.value), row.text) << row.value;
    }
}

TEST(PrintedNumber, LeadingBlankForNonNegativeAndNoZeroBeforeTheDecimalPoint) {
    const TextRow rows[] = {
        {0.0, " 0"},    {12.0, " 12"},      {-2.0, "-2"},
        {0.75, " .75"}, {-0.5, "-.5"},      {0.053, " .053"},
        {1.5, " 1.5"},  {-10.25, "-10.25"}, {std::numeric_limits<double>::quiet_NaN(), ""},
    };
    for (const TextRow& row : rows) {
        EXPECT_EQ(chart::printedNumber(row.value), row.text) << row.value;
    }
}

struct RoundRow {
    double value;
    int decimals;
    double even;
    double up;
    double upward;  // floor(v·10^d + 0.5)/10^d
};

TEST(Rounding, RoundableOnlyBelowTwoToTheFiftyTwoAtItsScale) {
    EXPECT_TRUE(chart::roundable(4503599627370495.0, 0));
    EXPECT_FALSE(chart::roundable(4503599627370496.0, 0));
    EXPECT_FALSE(chart::roundable(-4503599627370496.0, 0));
    EXPECT_TRUE(chart::roundable(45035996273.70, 5));
    EXPECT_FALSE(chart::roundable(45035996273.71, 5));
    EXPECT_FALSE(chart::roundable(1e304, 2));  // the scaled value overflows
    EXPECT_FALSE(chart::roundable(std::numeric_limits<double>::quiet_NaN(), 2));
    EXPECT_TRUE(chart::roundable(-0.0, 15));
}

TEST(Rounding, TiesGoToEvenAwayFromZeroOrUpward) {
    constexpr double kHuge = 1e304;  // scaling it by 10^5 overflows
    const RoundRow rows[] = {
        {0.125, 2, 0.12, 0.13, 0.13},  // exact binary ties
        {0.375, 2, 0.38, 0.38, 0.38},
        {-0.125, 2, -0.12, -0.13, -0.12},
        {2.5, 0, 2.0, 3.0, 3.0},
        {-1249.5, 0, -1250.0, -1250.0, -1249.0},
        {1249.4, 0, 1249.0, 1249.0, 1249.0},
        {-0.4, 0, -0.0, -0.0, 0.0},
        {0.0072566913, 5, 0.00726, 0.00726, 0.00726},
        {9.1984257, 2, 9.2, 9.2, 9.2},
        {16.2649, 2, 16.26, 16.26, 16.26},
        {kHuge, 5, kHuge, kHuge, kHuge},
        {-kHuge, 2, -kHuge, -kHuge, -kHuge},
        {4503599627370497.0, 1, 4503599627370497.0, 4503599627370497.0, 4503599627370497.0},
    };
    for (const RoundRow& row : rows) {
        EXPECT_DOUBLE_EQ(chart::roundHalfEven(row.value, row.decimals), row.even) << row.value;
        EXPECT_DOUBLE_EQ(chart::roundHalfUp(row.value, row.decimals), row.up) << row.value;
        EXPECT_DOUBLE_EQ(chart::roundHalfUpward(row.value, row.decimals), row.upward) << row.value;
    }
    EXPECT_EQ(chart::generalText(chart::roundHalfUp(0.0072566913, 5)), "0.00726");
    EXPECT_EQ(chart::generalText(chart::roundHalfUpward(-0.4, 0)), "0");  // never "-0"
    // Each rule reaches its own rounding through the one text helper.
    using enum chart::Rounding;
    EXPECT_EQ(chart::roundedText(68.625, 2, HalfEven), "68.62");
    EXPECT_EQ(chart::roundedText(68.625, 2, HalfUp), "68.63");
    EXPECT_EQ(chart::roundedText(-1249.5, 0, HalfUp), "-1250");
    EXPECT_EQ(chart::roundedText(-1249.5, 0, HalfUpward), "-1249");
}

// Whole kcal/h, ties upward, never "-0".
TEST(Rounding, LoadTexts) {
    const std::pair<double, const char*> rows[] = {
        {1249.5, "1250"}, {-1249.5, "-1249"},     {-1249.5000001, "-1250"},
        {-0.4, "0"},      {2432.0020394, "2432"}, {1e7, "10000000"},
    };
    for (const auto& [load, text] : rows) {
        EXPECT_EQ(chart::loadText(load), text) << load;
    }
}

}  // namespace
