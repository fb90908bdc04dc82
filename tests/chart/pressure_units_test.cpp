#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "chart/chart_drawing.h"
#include "chart/cursor_readout.h"
#include "chart/number_text.h"
#include "chart/pressure_text.h"
#include "chart/units.h"
#include "picture_items.h"
#include "psychro/atmosphere.h"
#include "psychro/saturation.h"

namespace {

using chart::LineItem;
using chart::PointMm;
using chart::TextItem;
using chart::Units;

PointMm pointOf(double t, double xg) {
    return chart::statePoint(chart::enthalpyAt(t, xg), xg);
}

TEST(PressureChart, StandardPressureDrawsTheDefaultChartItemForItem) {
    chart::Picture byDefault;
    chart::drawChart(byDefault, psychro::PressureRatio::standard(), chart::Units::Engineering);
    for (const auto& standard :
         {psychro::atmosphereFromMmHg(760.0), psychro::atmosphereFromAltitude(0.0)}) {
        chart::Picture explicitly;
        chart::drawChart(explicitly, standard->ratio, Units::Engineering);
        EXPECT_TRUE(sameItems(byDefault, explicitly));
    }
}

// At 700 mmHg the saturation curve lies at 1000·0.622·ps / (P − ps), P = 1.03323·700/760:
// higher than at 760 mmHg, where the same vapour pressure is a smaller share of the air.
TEST(PressureChart, SaturationCurveAt700MmHg) {
    const psychro::PressureRatio r = psychro::atmosphereFromMmHg(700.0)->ratio;
    chart::Picture picture;
    chart::drawChart(picture, r, Units::Engineering);
    const std::vector<LineItem> lines = itemsOf<LineItem>(picture);
    ASSERT_GE(lines.size(), 1072u);
    // The last 1 072 lines are the relative-humidity curves and the border; 100 % comes first.
    const LineItem* saturation = &lines[lines.size() - 1072];
    for (int t = 1; t <= 48; ++t) {
        const double ps = psychro::SaturationPressure(t);
        const double xs = 1000.0 * 0.622 * ps / (1.03323 * 700.0 / 760.0 - ps);
        const PointMm to = saturation[t - 1].to;
        EXPECT_NEAR(to.X, pointOf(t, xs).X, 1e-9) << t;
        EXPECT_NEAR(to.Y, pointOf(t, xs).Y, 1e-9) << t;
        EXPECT_LT(to.Y,
                  pointOf(t, chart::saturationHumidityG(t, psychro::PressureRatio::standard())).Y)
            << t;
    }
}

// The volume lines keep their stretch of the chart: at the ratio r the hundredths between
// 0.75/r and 1.04/r, labelled up to 0.90/r, every second one below r = 0.8. Every point of a
// line has the volume 0.455·(0.622 + x)·(t + 273.15) / 100 / r of its label.
TEST(PressureChart, VolumeLinesAtTheSitesPressure) {
    const struct {
        double mmHg;
        const char* firstLabel;
        const char* lastLabel;
        std::size_t labels;
        double step;
    } rows[] = {{700.0, " .82", " .97", 16, 0.01}, {405.2, " 1.42", " 1.68", 14, 0.02}};
    for (const auto& row : rows) {
        const double r = row.mmHg / 760.0;
        chart::Picture picture;
        chart::drawChart(picture, psychro::PressureRatio(r), Units::Engineering);
        std::vector<std::string> labels;
        for (const TextItem& t : itemsOf<TextItem>(picture)) {
            if (t.heightPx == 0.0 && t.position.Y > 170.0 && t.position.Y < 172.0) {
                labels.push_back(t.text);
            }
        }
        ASSERT_EQ(labels.size(), row.labels) << row.mmHg;
        EXPECT_EQ(labels.front(), row.firstLabel);
        EXPECT_EQ(labels.back(), row.lastLabel);
        std::size_t segments = 0;
        for (const LineItem& l : itemsOf<LineItem>(picture)) {
            if (l.colour != chart::kLightGreen || l.to.Y == 170.0) {
                continue;  // ticks below the bottom line
            }
            ++segments;
            const chart::ChartState s = chart::pictureState(l.to.X, l.to.Y);
            const double x = s.xg / 1000.0;
            const double t = (s.i - 597.3 * x) / (0.24 + 0.441 * x);
            const double v = 0.455 * (0.622 + x) * (t + 273.15) / 100.0 / r;
            EXPECT_NEAR(std::remainder(v, row.step), 0.0, 1e-9) << row.mmHg << " v " << v;
        }
        EXPECT_GT(segments, 1000u);
    }
}

TEST(SIChart, EnthalpyLinesAndScaleEveryFiveKilojoules) {
    chart::Picture picture;
    chart::drawChart(picture, psychro::PressureRatio::standard(), Units::SI);
    std::vector<double> starts;
    for (const LineItem& l : itemsOf<LineItem>(picture)) {
        if (l.colour == chart::kLightRed) {
            starts.push_back(chart::pictureState(l.from.X, l.from.Y).i * 4.1868);
        }
    }
    ASSERT_EQ(starts.size(), 1u + 41u) << "the zero-enthalpy line, then -15 … 185 kJ/kg";
    for (std::size_t k = 1; k < starts.size(); ++k) {
        EXPECT_NEAR(starts[k], -15.0 + 5.0 * static_cast<double>(k - 1), 1e-9);
    }
    std::vector<std::string> scale;
    bool caption = false;
    for (const TextItem& t : itemsOf<TextItem>(picture)) {
        if (t.heightPx == 13 && t.angleDeg == 45 && t.text.front() == ' ') {
            scale.push_back(t.text);
        }
        caption = caption || t.text == "エンタルピー i [kJ/kg(DA)]";
        EXPECT_NE(t.text, "エンタルピー i [kcal/kg(DA)]");
    }
    EXPECT_TRUE(caption);
    ASSERT_EQ(scale.size(), 38u);
    EXPECT_EQ(scale[1], " 5");
    EXPECT_EQ(scale.back(), " 185");
}

// At both ends of the pressure range the chart has no point that is not finite and no text
// that is empty or has an exponent ("nan", "inf", "1e+02").
TEST(PressureChart, RangeEndsDrawSensibly) {
    const auto plain = [](const std::string& text) {
        return !text.empty() && text.find_first_of("eEnN") == std::string::npos;
    };
    for (psychro::PressureRatio ratio :
         {psychro::lowestPressureRatio(), psychro::highestPressureRatio()}) {
        const double r = ratio.value();
        chart::Picture picture;
        chart::drawChart(picture, ratio, Units::SI);
        for (const LineItem& l : itemsOf<LineItem>(picture)) {
            ASSERT_TRUE(std::isfinite(l.from.X + l.from.Y + l.to.X + l.to.Y)) << r;
        }
        for (const TextItem& t : itemsOf<TextItem>(picture)) {
            ASSERT_TRUE(std::isfinite(t.position.X + t.position.Y) && plain(t.text)) << t.text;
        }
    }
}

// From about 2,900 m up the saturation curve reaches the enthalpy scale line below the frame's
// top. As at 760 mmHg no line runs on beyond the scale line (the drawn one, from (138, 0) down
// to the left), and no two labels slanted like the scale overlap.
TEST(PressureChart, TopLeftCornerStopsAtTheScaleLineFrom3000Metres) {
    for (const double metres : {3000.0, 5000.0}) {
        chart::Picture picture;
        chart::drawChart(picture, psychro::pressureRatioAtAltitude(metres), Units::Engineering);
        const LineItem scale = itemsOf<LineItem>(picture)[1];
        const auto beyond = [&](PointMm p) {  // mm up-left of the scale line, across it
            const double dx = scale.to.X - scale.from.X;
            const double dy = scale.to.Y - scale.from.Y;
            return ((p.Y - scale.from.Y) * dx - (p.X - scale.from.X) * dy) / std::hypot(dx, dy);
        };
        for (const LineItem& l : itemsOf<LineItem>(picture)) {
            for (const PointMm p : {l.from, l.to}) {
                EXPECT_FALSE(p.Y > 0.0 && p.Y < scale.to.Y && beyond(p) > 0.01) << metres << " m";
            }
        }
        // Slanted labels in their own frame: along the slant u, across it v. A label's ink is
        // its cell high (10 px = 2.65 mm, 13 px = 3.44 mm) and half a cell wide per digit
        // after the leading blank.
        struct Ink {
            double u0, u1, v0, v1;
            std::string text;
        };
        std::vector<Ink> inks;
        const double c = std::cos(45.0 * std::numbers::pi / 180.0);
        for (const TextItem& t : itemsOf<TextItem>(picture)) {
            if (t.angleDeg == 45 && t.position.Y > 0.0 && t.text.size() <= 4) {
                const double cell = t.heightPx == 10.0 ? 2.65 : 3.44;
                const double u = c * (t.position.X - t.position.Y);
                const double v = c * (t.position.X + t.position.Y);
                inks.push_back({u + cell / 2, u + static_cast<double>(t.text.size()) * cell / 2, v,
                                v + cell, t.text});
            }
        }
        for (std::size_t a = 0; a < inks.size(); ++a) {
            for (std::size_t b = a + 1; b < inks.size(); ++b) {
                const Ink& p = inks[a];
                const Ink& q = inks[b];
                EXPECT_TRUE(p.u1 <= q.u0 || q.u1 <= p.u0 || p.v1 <= q.v0 || q.v1 <= p.v0)
                    << metres << " m: '" << p.text << "' and '" << q.text << "'";
            }
        }
    }
}

// Air just above the standard saturation curve is not fog at 700 mmHg, where the curve lies
// higher; in SI units only i changes, to 4.1868·i kJ/kg(DA) with 2 decimals.
TEST(CursorReadout, AtTheSitesPressureAndInSIUnits) {
    const double xs = 1000.0 * psychro::saturationHumidity(psychro::SaturationPressure(20.0),
                                                           psychro::PressureRatio::standard());
    const PointMm foggy = pointOf(20.0, 1.02 * xs);
    const auto fx = static_cast<float>(foggy.X);
    const auto fy = static_cast<float>(foggy.Y);
    EXPECT_EQ(
        chart::cursorReadout(fx, fy, psychro::PressureRatio::standard(), chart::Units::Engineering)
            .phi,
        chart::kFogText);
    EXPECT_NE(chart::cursorReadout(fx, fy, psychro::PressureRatio(700.0 / 760.0),
                                   chart::Units::Engineering)
                  .phi,
              chart::kFogText);
    for (const auto& [X, Y] : {std::pair{101.0846f, 116.4915f}, std::pair{150.0f, 100.0f}}) {
        const chart::Readout kcal = chart::cursorReadout(X, Y, psychro::PressureRatio::standard(),
                                                         chart::Units::Engineering);
        const chart::Readout si =
            chart::cursorReadout(X, Y, psychro::PressureRatio::standard(), Units::SI);
        const double kJ = std::stod(si.i);
        EXPECT_NEAR(kJ, 4.1868 * chart::pictureState(X, Y).i, 0.005 + 1e-12);
        EXPECT_EQ(si.i, chart::generalText(chart::roundHalfEven(kJ, 2)));
        EXPECT_EQ(si.phi, kcal.phi);
        EXPECT_EQ(si.tw, kcal.tw);
    }
}

TEST(Units, ConversionsAndDecimals) {
    EXPECT_NEAR(chart::shownEnthalpy(9.1984257, Units::SI), 38.512, 5e-4);
    EXPECT_NEAR(chart::shownLoad(1250.0, Units::SI), 1.45375, 1e-12);
    EXPECT_NEAR(chart::enthalpyFromShown(38.512, Units::SI), 9.1984, 5e-5);
    EXPECT_EQ(chart::shownEnthalpy(9.1984257, Units::Engineering), 9.1984257);
    EXPECT_EQ(chart::loadDecimals(0, Units::SI), 3);
    EXPECT_EQ(chart::enthalpyDecimals(2, Units::SI), 2);
}

TEST(PressureText, LabelsInTheUnitGiven) {
    using psychro::atmosphereFromAltitude;
    using psychro::atmosphereFromKPa;
    using psychro::atmosphereFromMmHg;
    const struct {
        psychro::Atmosphere setting;
        Units units;
        const char* label;
    } rows[] = {
        {psychro::Atmosphere::standard(), Units::Engineering, chart::kPressureLine},
        {*atmosphereFromMmHg(760.0), Units::Engineering, "大気圧 = 760 mmHg"},
        {*atmosphereFromMmHg(700.0), Units::Engineering, "大気圧 = 700 mmHg"},
        {*atmosphereFromMmHg(700.25), Units::Engineering, "大気圧 = 700.2 mmHg"},
        {*atmosphereFromKPa(93.3), Units::Engineering, "大気圧 = 93.3 kPa"},
        {*atmosphereFromAltitude(1500.0), Units::Engineering, "大気圧 = 634.2 mmHg (標高 1500 m)"},
        {psychro::Atmosphere::standard(), Units::SI, "大気圧 = 101.325 kPa"},
        {*atmosphereFromMmHg(405.2), Units::SI, "大気圧 = 54.022 kPa"},
        {*atmosphereFromAltitude(1500.0), Units::SI, "大気圧 = 84.556 kPa (標高 1500 m)"},
        {*atmosphereFromAltitude(-500.0), Units::SI, "大気圧 = 107.478 kPa (標高 -500 m)"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(chart::pressureLine(row.setting, row.units), row.label);
    }
    EXPECT_EQ(chart::pressureRangeMessage(psychro::PressureUnit::MmHg),
              "大気圧は405.2～806.1 mmHgの範囲で入力してください。");
    EXPECT_EQ(chart::pressureRangeMessage(psychro::PressureUnit::KPa),
              "大気圧は54.02～107.47 kPaの範囲で入力してください。");
    EXPECT_EQ(chart::pressureRangeMessage(psychro::PressureUnit::Altitude),
              "標高は-500～5000 mの範囲で入力してください。");
}

}  // namespace
