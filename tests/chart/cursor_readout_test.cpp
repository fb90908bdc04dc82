#include "chart/cursor_readout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "chart/chart_frame.h"
#include "chart/number_text.h"
#include "psychro/saturation.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct ReadoutRow {
    float X;
    float Y;
    const char* x;
    const char* i;
    const char* t;
    const char* tw;
    const char* v;
    const char* phi;
};

void expectTexts(const chart::Readout& r, const ReadoutRow& row) {
    EXPECT_EQ(r.x, row.x) << "at " << row.X << ", " << row.Y;
    EXPECT_EQ(r.i, row.i) << "at " << row.X << ", " << row.Y;
    EXPECT_EQ(r.t, row.t) << "at " << row.X << ", " << row.Y;
    EXPECT_EQ(r.tw, row.tw) << "at " << row.X << ", " << row.Y;
    EXPECT_EQ(r.v, row.v) << "at " << row.X << ", " << row.Y;
    EXPECT_EQ(r.phi, row.phi) << "at " << row.X << ", " << row.Y;
}

void expectAllSix(const chart::Readout& r, const std::string& text, float X, float Y) {
    for (const std::string* s : {&r.x, &r.i, &r.t, &r.tw, &r.v, &r.phi}) {
        EXPECT_EQ(*s, text) << "at " << X << ", " << Y;
    }
}

TEST(CursorReadout, StatesUnderThePointer) {
    const ReadoutRow rows[] = {
        // 20 °C, 10 g/kg
        {101.0846f, 116.4915f, "0.01", "10.86", "20", "16.26", "0.843", "68.6"},
        // 0 °C, x = 0: the wet bulb is found over ice
        {34.716667f, 160.0f, "0", "0", "0", "-6.26", "0.773", "0"},
        // the bottom-right corner, both borders exactly
        {208.3f, 160.0f, "0", "12.24", "51", "18.46", "0.917", "0"},
        {150.0f, 100.0f, "0.01379", "16.65", "34.2", "23.51", "0.889", "40.85"},
    };
    for (const ReadoutRow& row : rows) {
        expectTexts(chart::cursorReadout(row.X, row.Y), row);
    }
}

TEST(CursorReadout, FogAboveTheSaturationCurve) {
    const float points[][2] = {{100.0f, 20.0f}, {0.0f, 0.0f}, {120.0f, 0.0f}, {60.0f, 100.0f}};
    for (const auto& p : points) {
        expectAllSix(chart::cursorReadout(p[0], p[1]), chart::kFogText, p[0], p[1]);
    }
}

// Just below and just above the saturation curve, at points placed by the chart mapping.
TEST(CursorReadout, FogStartsAtTheSaturationCurve) {
    for (double t : {-5.0, 0.5, 10.0, 20.0, 30.0}) {
        const double xs = 1000.0 * psychro::saturationHumidity(psychro::SaturationPressure(t));
        for (double share : {0.99, 1.01}) {
            const double xg = share * xs;
            const chart::PointMm p = chart::statePoint(chart::enthalpyAt(t, xg), xg);
            const chart::Readout r =
                chart::cursorReadout(static_cast<float>(p.X), static_cast<float>(p.Y));
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
        expectAllSix(chart::cursorReadout(p[0], p[1]), chart::kOutsideText, p[0], p[1]);
    }
}

TEST(CursorReadout, BordersCountAsInside) {
    const float points[][2] = {
        {208.3f, 160.0f}, {0.0f, 160.0f}, {208.3f, 80.0f}, {100.0f, 160.0f}, {-0.0f, 160.0f}};
    for (const auto& p : points) {
        const chart::Readout r = chart::cursorReadout(p[0], p[1]);
        EXPECT_NE(r.x, chart::kOutsideText) << "at " << p[0] << ", " << p[1];
        EXPECT_NE(r.x, chart::kFogText) << "at " << p[0] << ", " << p[1];
    }
}

// Digits after the decimal point of a label text, or −1 when it is not a plain finite number.
int decimalsOf(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) ||
        text.find_first_of("eEnN") != std::string::npos) {
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
            const chart::Readout r = chart::cursorReadout(X, Y);
            if (r.x == chart::kFogText) {
                ++fog;
                expectAllSix(r, chart::kFogText, X, Y);
                continue;
            }
            ++numbers;
            const std::pair<const std::string*, int> texts[] = {{&r.x, 5},  {&r.i, 2}, {&r.t, 2},
                                                                {&r.tw, 2}, {&r.v, 3}, {&r.phi, 2}};
            for (const auto& [text, decimals] : texts) {
                const int seen = decimalsOf(*text);
                ASSERT_GE(seen, 0) << "\"" << *text << "\" at " << X << ", " << Y;
                ASSERT_LE(seen, decimals) << "\"" << *text << "\" at " << X << ", " << Y;
            }
            // The wet bulb never exceeds the dry bulb below the saturation curve.
            ASSERT_LE(std::stod(r.tw), std::stod(r.t) + 0.01) << "at " << X << ", " << Y;
        }
    }
    EXPECT_GT(fog, 1000);
    EXPECT_GT(numbers, 1000);
}

}  // namespace
