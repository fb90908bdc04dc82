#include "chart/cursor_readout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "chart/chart_frame.h"
#include "chart/number_text.h"
#include "psychro/saturation.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// The six texts in the order x, i, t, t′, v, φ.
std::vector<std::string> textsOf(const chart::Readout& r) {
    return {r.x, r.i, r.t, r.tw, r.v, r.phi};
}

void expectAllSix(const chart::Readout& r, const std::string& text, float X, float Y) {
    EXPECT_EQ(textsOf(r), std::vector<std::string>(6, text)) << "at " << X << ", " << Y;
}

TEST(CursorReadout, StatesUnderThePointer) {
    const struct {
        float X;
        float Y;
        std::vector<std::string> texts;
    } rows[] = {
        // 20 °C, 10 g/kg
        {101.0846f, 116.4915f, {"0.01", "10.86", "20", "16.26", "0.843", "68.6"}},
        // 0 °C, x = 0: the wet bulb is found over ice
        {34.716667f, 160.0f, {"0", "0", "0", "-6.26", "0.773", "0"}},
        // the bottom-right corner, both borders exactly
        {208.3f, 160.0f, {"0", "12.24", "51", "18.46", "0.917", "0"}},
        {150.0f, 100.0f, {"0.01379", "16.65", "34.2", "23.51", "0.889", "40.85"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(textsOf(chart::cursorReadout(row.X, row.Y, psychro::PressureRatio::standard(),
                                               chart::Units::Engineering)),
                  row.texts)
            << "at " << row.X << ", " << row.Y;
    }
}

TEST(CursorReadout, FogAboveTheSaturationCurve) {
    const float points[][2] = {{100.0f, 20.0f}, {0.0f, 0.0f}, {120.0f, 0.0f}, {60.0f, 100.0f}};
    for (const auto& p : points) {
        expectAllSix(chart::cursorReadout(p[0], p[1], psychro::PressureRatio::standard(),
                                          chart::Units::Engineering),
                     chart::kFogText, p[0], p[1]);
    }
}

// Just below and just above the saturation curve, at points placed by the chart mapping.
TEST(CursorReadout, FogStartsAtTheSaturationCurve) {
    for (double t : {-5.0, 0.5, 10.0, 20.0, 30.0}) {
        const double xs = 1000.0 * psychro::saturationHumidity(psychro::SaturationPressure(t),
                                                               psychro::PressureRatio::standard());
        for (double share : {0.99, 1.01}) {
            const double xg = share * xs;
            const chart::PointMm p = chart::statePoint(chart::enthalpyAt(t, xg), xg);
            const chart::Readout r =
                chart::cursorReadout(static_cast<float>(p.X), static_cast<float>(p.Y),
                                     psychro::PressureRatio::standard(), chart::Units::Engineering);
            if (share < 1.0) {
                EXPECT_EQ(r.t, chart::generalText(chart::roundHalfEven(t, 2))) << "t = " << t;
                EXPECT_NEAR(std::stod(r.phi), 99.0, 0.05) << "t = " << t;
            } else {
                expectAllSix(r, chart::kFogText, static_cast<float>(p.X), static_cast<float>(p.Y));
            }
        }
    }
}

// The frame is 0 ≤ X ≤ 208.3, 0 ≤ Y ≤ 160, with 208.3 taken in single precision. Outside it
// every label reads "範囲外", foggy or not, and whatever the arithmetic made of the position.
TEST(CursorReadout, OutsideTheFrame) {
    const float above208 = std::nextafter(208.3f, 300.0f);
    const float points[][2] = {
        {208.31f, 100.0f},
        {above208, 160.0f},
        {100.0f, -0.01f},
        {-0.01f, 100.0f},
        {100.0f, 160.01f},
        {0.0f, -0.01f},    // foggy as well
        {230.0f, 150.0f},  // over the readout frame's place
        {1e30f, 1e30f},
        {-1e30f, -1e30f},
        {-1e30f, 80.0f},
        {100.0f, 1e30f},
        {kNaN, 100.0f},
        {100.0f, kNaN},
        {kInf, 100.0f},
        {-kInf, -kInf},
        {std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest()},
    };
    for (const auto& p : points) {
        expectAllSix(chart::cursorReadout(p[0], p[1], psychro::PressureRatio::standard(),
                                          chart::Units::Engineering),
                     chart::kOutsideText, p[0], p[1]);
    }
}

// Digits after the decimal point of a plain decimal number, −1 for anything else
// ("NaN", "Inf", an exponent, a word).
int decimalsOf(const std::string& text) {
    if (text.empty() || text.find_first_not_of("-0123456789.") != std::string::npos) {
        return -1;
    }
    const std::size_t point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

// Every position of the frame, every half millimetre, reads either as fog in all six labels
// or as six plain numbers with at most their decimals, never as "NaN" or an exponent.
TEST(CursorReadout, EveryPointOfTheFrameReadsSensibly) {
    int fog = 0;
    int numbers = 0;
    for (int ix = 0; ix <= 417; ++ix) {
        for (int iy = 0; iy <= 320; ++iy) {
            const float X = std::min(static_cast<float>(ix) * 0.5f, 208.3f);
            const float Y = static_cast<float>(iy) * 0.5f;
            const chart::Readout r = chart::cursorReadout(X, Y, psychro::PressureRatio::standard(),
                                                          chart::Units::Engineering);
            if (r.x == chart::kFogText) {
                ++fog;
                expectAllSix(r, chart::kFogText, X, Y);
                continue;
            }
            ++numbers;
            const std::vector<std::string> texts = textsOf(r);
            const int decimals[] = {5, 2, 2, 2, 3, 2};
            for (std::size_t k = 0; k < texts.size(); ++k) {
                const int seen = decimalsOf(texts[k]);
                ASSERT_TRUE(seen >= 0 && seen <= decimals[k])
                    << "\"" << texts[k] << "\" at " << X << ", " << Y;
            }
            // The wet bulb never exceeds the dry bulb below the saturation curve.
            ASSERT_LE(std::stod(r.tw), std::stod(r.t) + 0.01) << "at " << X << ", " << Y;
        }
    }
    EXPECT_GT(fog, 1000);
    EXPECT_GT(numbers, 1000);
}

}  // namespace
