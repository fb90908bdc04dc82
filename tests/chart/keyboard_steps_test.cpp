#include "chart/keyboard_steps.h"

#include <gtest/gtest.h>

#include "chart/chart_frame.h"

namespace {

using chart::KeyboardState;

TEST(KeyboardSteps, GridStatesMapToPointsAndBack) {
    // 0 °C, dry air: the chart's zero point, 10 nominal degrees of 208.3/60 mm from the left.
    const chart::PointMm zero = chart::keyboardPoint({0, 0});
    EXPECT_NEAR(zero.X, 10.0 * 208.3 / 60.0, 1e-9);
    EXPECT_NEAR(zero.Y, 160.0, 1e-9);

    const KeyboardState states[] = {chart::kKeyboardStart,
                                    {0, 0},
                                    {-100, 0},
                                    {500, 0},
                                    {123, 45},
                                    {300, 270},
                                    {-57, 8},
                                    {500, 530}};
    for (const KeyboardState s : states) {
        const chart::PointMm p = chart::keyboardPoint(s);
        EXPECT_EQ(chart::keyboardStateAt(p), s) << s.temperatureSteps << ", " << s.humiditySteps;
        // Left and right keep the humidity: the same height on the chart.
        const chart::PointMm right =
            chart::keyboardPoint({s.temperatureSteps + 7, s.humiditySteps});
        EXPECT_EQ(right.Y, p.Y);
        EXPECT_GT(right.X, p.X);
    }
}

TEST(KeyboardSteps, StepsStopAtTheBounds) {
    struct Row {
        KeyboardState from;
        int temperatureSteps;
        int humiditySteps;
        KeyboardState to;
    };
    const Row rows[] = {
        {{200, 100}, 1, 0, {201, 100}},      {{200, 100}, -10, 10, {190, 110}},
        {{200, 100}, -1000, 0, {-100, 100}}, {{200, 100}, 1000, 0, {500, 100}},
        {{200, 100}, 0, -1000, {200, 0}},    {{200, 100}, 0, 1000, {200, 530}},
        {{-100, 0}, -1, -1, {-100, 0}},      {{500, 530}, 10, 10, {500, 530}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(chart::keyboardStep(row.from, row.temperatureSteps, row.humiditySteps), row.to)
            << row.temperatureSteps << ", " << row.humiditySteps;
    }
    // Points far off the picture start the walk on the bounds.
    EXPECT_EQ(chart::keyboardStateAt({1e7, -1e7}), (KeyboardState{500, 530}));
    EXPECT_EQ(chart::keyboardStateAt({-1e7, 1e7}).humiditySteps, 0);
}

}  // namespace
