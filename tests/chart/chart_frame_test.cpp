#include "chart/chart_frame.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ChartFrame, DerivedValues) {
    const chart::ChartFrame& f = chart::chartFrame();
    EXPECT_NEAR(f.OriginX, -2.7903697, 5e-8);
    EXPECT_NEAR(f.OriginY, 141.381346, 5e-7);
    EXPECT_NEAR(f.EnthalpyAxisLength, 299.154062, 5e-7);
    EXPECT_NEAR(f.EnthalpyUnit, 6.6478680, 5e-8);
    EXPECT_NEAR(f.HumidityUnit, 4.3508507, 5e-8);
    EXPECT_NEAR(f.DegToRad, 0.017453292, 5e-10);
}

TEST(ChartFrame, Angles) {
    const chart::FrameAngles& a = chart::frameAngles();
    EXPECT_NEAR(a.tanScale, 1.0041976, 5e-8);
    EXPECT_NEAR(a.tanIsenthalp, 0.4964043, 5e-8);
    EXPECT_NEAR(a.cosScale, 0.7056243, 5e-8);
    EXPECT_NEAR(a.sinScale, 0.7085862, 5e-8);
}

struct MappingRow {
    double t;
    double xg;
    double X;
    double Y;
};

TEST(StatePoint, ReferencePoints) {
    const MappingRow rows[] = {
        {0.0, 0.0, 34.7167, 160.0},
        {-10.0, 0.0, 0.6839, 160.0},
        {50.0, 0.0, 204.8804, 160.0},
        {20.0, 10.0, 101.0846, 116.4915},
    };
    for (const MappingRow& row : rows) {
        const chart::PointMm p = chart::statePoint(chart::enthalpyAt(row.t, row.xg), row.xg);
        EXPECT_NEAR(p.X, row.X, 5e-5) << row.t << " °C, " << row.xg << " g/kg";
        EXPECT_NEAR(p.Y, row.Y, 5e-5) << row.t << " °C, " << row.xg << " g/kg";
    }
}

TEST(StatePoint, ZeroPointIsExact) {
    const chart::PointMm p = chart::statePoint(0.0, 0.0);
    EXPECT_NEAR(p.X, chart::kZeroPointX, 1e-12);
    EXPECT_DOUBLE_EQ(p.Y, 160.0);
}

TEST(ScalePoint, ThirtyKcalMeetsTheTopEdgeAndFortyFiveTheCorner) {
    const chart::PointMm thirty = chart::scalePoint(30.0);
    EXPECT_NEAR(thirty.X, 137.9365, 5e-5);
    EXPECT_NEAR(thirty.Y, 0.0637, 5e-5);
    const chart::PointMm corner = chart::scalePoint(45.0);
    EXPECT_NEAR(corner.X, 208.3, 1e-9);
    EXPECT_NEAR(corner.Y, -70.595089, 5e-7);
}

TEST(ScalePoint, NegativeEnthalpyEqualsTheMirroredForm) {
    const chart::ChartFrame& f = chart::chartFrame();
    const chart::FrameAngles& a = chart::frameAngles();
    const chart::PointMm p = chart::scalePoint(-2.4);
    EXPECT_EQ(p.X, f.OriginX - 2.4 * f.EnthalpyUnit * a.cosScale);
    EXPECT_EQ(p.Y, f.OriginY + 2.4 * f.EnthalpyUnit * a.sinScale);
    const chart::PointMm onChart = chart::statePoint(-2.4, 0.0);
    EXPECT_NEAR(onChart.X, 0.6839, 5e-5);
    EXPECT_DOUBLE_EQ(onChart.Y, 160.0);
}

TEST(StatePoint, IsothermsAlongTheBottomAreSpacedByTheEnthalpyScale) {
    const double zero = chart::statePoint(chart::enthalpyAt(0.0, 0.0), 0.0).X;
    const double fifty = chart::statePoint(chart::enthalpyAt(50.0, 0.0), 0.0).X;
    EXPECT_NEAR((fifty - zero) / 50.0, 3.40328, 5e-6);
}

TEST(PictureState, InvertsStatePointAcrossAndBeyondTheChart) {
    for (double i = -10.0; i <= 60.0; i += 3.5) {
        for (double xg = -5.0; xg <= 60.0; xg += 4.25) {
            const chart::PointMm p = chart::statePoint(i, xg);
            const chart::ChartState s = chart::pictureState(p.X, p.Y);
            EXPECT_NEAR(s.i, i, 1e-11);
            EXPECT_NEAR(s.xg, xg, 1e-11);
        }
    }
}

TEST(PictureState, EnthalpyDenominator) {
    // One kcal/kg(DA) moves a point 14.180314 mm sideways at constant humidity.
    const chart::ChartState a = chart::pictureState(100.0, 100.0);
    const chart::ChartState b = chart::pictureState(100.0 + 14.180314, 100.0);
    EXPECT_NEAR(b.i - a.i, 1.0, 1e-7);
}

}  // namespace
