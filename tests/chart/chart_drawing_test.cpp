#include "chart/chart_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chart/number_text.h"
#include "chart/picture.h"
#include "picture_items.h"

namespace {

using chart::LineItem;
using chart::PointMm;
using chart::TextItem;

// A whole number as the chart prints a non-negative one, with its leading blank. Appended
// rather than " " + to_string(n): g++ 12 at -O3 inlines the latter into a copy it wrongly
// suspects of overlapping (-Wrestrict).
std::string blankThen(int n) {
    std::string text(" ");
    text += std::to_string(n);
    return text;
}

std::vector<TextItem> textsWhere(const chart::Picture& picture, double heightPx, int angleDeg) {
    std::vector<TextItem> found;
    for (const TextItem& text : itemsOf<TextItem>(picture)) {
        if (text.heightPx == heightPx && text.angleDeg == angleDeg) {
            found.push_back(text);
        }
    }
    return found;
}

PointMm pointOf(double t, double xg) {
    return chart::statePoint(chart::enthalpyAt(t, xg), xg);
}

class ChartDrawing : public testing::Test {
  protected:
    void SetUp() override {
        chart::drawChart(picture, psychro::PressureRatio::standard(), chart::Units::Engineering);
    }
    chart::Picture picture;
};

// The line items in drawing order fall into runs of one colour, family after family, so later
// families lie over earlier ones.
TEST_F(ChartDrawing, FamiliesComeInOrderWithTheirCounts) {
    struct Run {
        int colour;
        std::size_t count;
        const char* family;
    };
    std::vector<Run> runs;
    for (const LineItem& line : itemsOf<LineItem>(picture)) {
        if (runs.empty() || runs.back().colour != line.colour) {
            runs.push_back({line.colour, 0, ""});
        }
        ++runs.back().count;
    }
    const std::vector<LineItem> lines = itemsOf<LineItem>(picture);
    const auto greenCount =
        static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [](const LineItem& l) {
            return l.colour == chart::kLightGreen;
        }));
    const Run expected[] = {
        {chart::kLightRed, 1, "zero enthalpy"},
        {chart::kBlack, 1, "enthalpy scale line"},
        {chart::kGrey, 53, "absolute humidity 1 … 53"},
        {chart::kLightRed, 49, "enthalpy −3 … 45"},
        {chart::kGrey, 49 + 10, "dry bulb 0 … 48, −1 … −10"},
        {chart::kLightGreen, greenCount, "specific volume"},
        {chart::kLightBlue, 38 + 14, "wet bulb 0 … 37, ice bulb 0 … −13"},
        {chart::kBlack, 20 * 48 + 11 * 10 + 2, "relative humidity, border"},
    };
    ASSERT_EQ(runs.size(), std::size(expected));
    for (std::size_t k = 0; k < runs.size(); ++k) {
        EXPECT_EQ(runs[k].colour, expected[k].colour) << expected[k].family;
        EXPECT_EQ(runs[k].count, expected[k].count) << expected[k].family;
    }
    EXPECT_EQ(picture.lineWidth(), 1) << "the width returns to 1 after every bold line";
}

TEST_F(ChartDrawing, OnlyRoundHumiditiesAndIsothermsAreBold) {
    const std::vector<LineItem> lines = itemsOf<LineItem>(picture);
    std::vector<LineItem> bold;
    for (const LineItem& line : lines) {
        if (line.widthPx != 1) {
            bold.push_back(line);
        }
    }
    ASSERT_EQ(bold.size(), 8u);
    const chart::ChartFrame& f = chart::chartFrame();
    for (std::size_t k = 0; k < 3; ++k) {  // x = 10, 20, 30 g/kg
        EXPECT_EQ(bold[k].widthPx, 2);
        EXPECT_EQ(bold[k].colour, chart::kGrey);
        EXPECT_DOUBLE_EQ(bold[k].from.X, 208.3);
        EXPECT_NEAR(bold[k].from.Y, 160.0 - 10.0 * static_cast<double>(k + 1) * f.HumidityUnit,
                    1e-9);
    }
    for (std::size_t k = 3; k < 8; ++k) {  // 0, 10, 20, 30, 40 °C
        const double t = 10.0 * static_cast<double>(k - 3);
        EXPECT_EQ(bold[k].widthPx, 2);
        EXPECT_NEAR(bold[k].from.X, pointOf(t, 0.0).X, 1e-9) << t;
        EXPECT_NEAR(bold[k].to.Y,
                    pointOf(t, chart::saturationHumidityG(t, psychro::PressureRatio::standard())).Y,
                    1e-9)
            << t;
    }
}

// Each humidity line runs from the right edge to its dew point on the saturation curve, which
// is where the 100 % curve passes at that humidity.
TEST(HumidityLine, EndsOnTheSaturationCurveAndNeedsADewPoint) {
    for (int xg = 1; xg <= 53; ++xg) {
        const auto line = chart::humidityLine(xg, psychro::PressureRatio::standard());
        ASSERT_TRUE(line.has_value()) << xg;
        EXPECT_DOUBLE_EQ(line->edge.X, 208.3);
        EXPECT_DOUBLE_EQ(line->edge.Y, line->saturation.Y);
        const chart::ChartState s = chart::pictureState(line->saturation.X, line->saturation.Y);
        EXPECT_NEAR(s.xg, xg, 1e-9);
        // The state at the end is saturated: its temperature's saturation humidity is xg.
        double lo = -50.0;
        double hi = 100.0;
        for (int step = 0; step < 60; ++step) {
            const double t = (lo + hi) / 2.0;
            (chart::enthalpyAt(t, xg) < s.i ? lo : hi) = t;
        }
        EXPECT_NEAR(chart::saturationHumidityG(lo, psychro::PressureRatio::standard()), xg, 1e-4)
            << xg;
    }
    // A humidity without a dew point in the search range has no line: nothing is drawn to an
    // invented point.
    for (double xg : {0.0, -1.0, 0.02, std::nan("")}) {
        EXPECT_FALSE(chart::humidityLine(xg, psychro::PressureRatio::standard()).has_value()) << xg;
    }
}

TEST_F(ChartDrawing, EnthalpyLinesEndOnTheRightEdgeOrTheBottomLine) {
    const std::vector<LineItem> lines = itemsOf<LineItem>(picture);
    // Items 55 … 103: i = −3 … 45.
    const std::vector<LineItem> enthalpy(lines.begin() + 55, lines.begin() + 104);
    for (std::size_t k = 0; k < enthalpy.size(); ++k) {
        const double i = static_cast<double>(k) - 3.0;
        const LineItem& l = enthalpy[k];
        EXPECT_EQ(l.colour, chart::kLightRed);
        const PointMm start = chart::scalePoint(i);
        EXPECT_DOUBLE_EQ(l.from.X, start.X) << i;
        EXPECT_DOUBLE_EQ(l.from.Y, start.Y) << i;
        const bool onEdge = l.to.X == 208.3 && l.to.Y <= 160.0;
        const bool onBottom = l.to.Y == 160.0 && l.to.X <= 208.3;
        EXPECT_TRUE(onEdge || onBottom) << i;
        // The end lies on the isenthalp of i.
        EXPECT_NEAR(chart::pictureState(l.to.X, l.to.Y).i, i, 1e-9);
    }
    EXPECT_LT(enthalpy.front().from.X, 0.0) << "i = −3 starts left of the surface";
    EXPECT_DOUBLE_EQ(enthalpy.front().to.Y, 160.0);
    EXPECT_DOUBLE_EQ(enthalpy.back().to.X, 208.3);
    EXPECT_LT(enthalpy.back().to.Y, 0.0) << "i = 45 is drawn, clipped at the top";
}

TEST_F(ChartDrawing, TemperatureLabelsStandBelowTheBottomLine) {
    std::vector<std::string> texts;
    for (const TextItem& t : itemsOf<TextItem>(picture)) {
        if (t.heightPx == 0.0 && t.position.Y == 160.7) {
            texts.push_back(t.text);
            const double value = std::stod(t.text);
            EXPECT_NEAR(t.position.X, pointOf(value, 0.0).X - 2.5, 1e-9) << t.text;
        }
    }
    std::vector<std::string> expected;
    for (int t = 0; t <= 48; t += 2) {
        expected.push_back(blankThen(t));
    }
    for (int t = -2; t >= -8; t -= 2) {
        expected.push_back(std::to_string(t));
    }
    EXPECT_EQ(texts, expected);
}

// The volume loop runs on an accumulated sum: 30 lines, 0.75 … 1.04, and the title is printed
// after each of them; labels on the first inner step, 0.75 … 0.90.
TEST_F(ChartDrawing, VolumeLinesStopAt104AndTheirLabelsAt090) {
    std::size_t titles = 0;
    std::vector<TextItem> labels;
    for (const TextItem& t : itemsOf<TextItem>(picture)) {
        if (t.text == "比容積 v [m3/kg(DA)]") {
            ++titles;
            EXPECT_DOUBLE_EQ(t.position.X, 104.15);
            EXPECT_DOUBLE_EQ(t.position.Y, 175.0);
        } else if (t.heightPx == 0.0 && t.position.Y > 170.0) {
            labels.push_back(t);
        }
    }
    EXPECT_EQ(titles, 30u);
    ASSERT_EQ(labels.size(), 16u);
    for (std::size_t k = 0; k < labels.size(); ++k) {
        const double v = 0.75 + 0.01 * static_cast<double>(k);
        EXPECT_EQ(labels[k].text, chart::printedNumber(chart::roundHalfEven(v, 2)));
        // On the line's extension at x = −2.5 g/kg.
        const PointMm p =
            pointOf(chart::temperatureAtVolume(v, -2.5, psychro::PressureRatio::standard()), -2.5);
        EXPECT_NEAR(labels[k].position.X, p.X - 3.0, 1e-9) << v;
        EXPECT_NEAR(labels[k].position.Y, 160.0 + 2.5 * chart::chartFrame().HumidityUnit, 1e-9);
    }
    EXPECT_EQ(labels.front().text, " .75");
    EXPECT_EQ(labels.back().text, " .9");
}

TEST_F(ChartDrawing, VolumeLinesStayInsideTheWarmestIsothermAndTickBelow) {
    std::size_t ticks = 0;
    for (const LineItem& l : itemsOf<LineItem>(picture)) {
        if (l.colour != chart::kLightGreen) {
            continue;
        }
        if (l.to.Y == 170.0) {
            ++ticks;
            EXPECT_LT(l.to.X, 208.3);
            EXPECT_DOUBLE_EQ(l.from.Y, 160.0) << "ticks start at the base point";
            continue;
        }
        // Segments lie at or above the bottom line, at or left of 48 °C + one inner step.
        EXPECT_LE(l.from.Y, 160.0 + 1e-9);
        EXPECT_LE(l.to.Y, 160.0 + 1e-9);
        const chart::ChartState s = chart::pictureState(l.to.X, l.to.Y);
        const double t = (s.i - s.xg * 597.3 / 1000.0) / (0.24 + s.xg * 0.441 / 1000.0);
        EXPECT_LE(t, 48.0 + 1e-9);
    }
    // 0.75 … 0.91 have a tick; 0.91 starts above 48 °C but its tick still ends left of the
    // edge, while 0.92 would end right of it.
    EXPECT_EQ(ticks, 17u);
}

TEST_F(ChartDrawing, WetBulbLinesEndOnThe48DegreeIsothermOrTheBottomLine) {
    const std::vector<LineItem> lines = itemsOf<LineItem>(picture);
    std::vector<LineItem> blue;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(blue),
                 [](const LineItem& l) { return l.colour == chart::kLightBlue; });
    ASSERT_EQ(blue.size(), 52u);
    const PointMm bottom48 = pointOf(48.0, 0.0);
    const PointMm top48 =
        pointOf(48.0, chart::saturationHumidityG(48.0, psychro::PressureRatio::standard()));
    std::size_t onIsotherm = 0;
    for (std::size_t k = 0; k < 38; ++k) {
        const double tw = static_cast<double>(k);
        const LineItem& l = blue[k];
        const PointMm s =
            pointOf(tw, chart::saturationHumidityG(tw, psychro::PressureRatio::standard()));
        EXPECT_DOUBLE_EQ(l.from.X, s.X);
        EXPECT_DOUBLE_EQ(l.from.Y, s.Y);
        if (l.to.Y == 160.0) {
            EXPECT_LE(l.to.X, bottom48.X) << tw;
        } else {
            ++onIsotherm;
            // On the straight 48 °C line: cross product of the two directions vanishes.
            const double cross = (top48.X - bottom48.X) * (l.to.Y - bottom48.Y) -
                                 (top48.Y - bottom48.Y) * (l.to.X - bottom48.X);
            EXPECT_NEAR(cross, 0.0, 1e-6) << tw;
            EXPECT_LT(l.to.Y, 160.0);
        }
    }
    EXPECT_GT(onIsotherm, 0u);
    EXPECT_LT(onIsotherm, 38u);
    EXPECT_DOUBLE_EQ(blue[10].to.Y, 160.0) << "10 °C reaches the bottom line first";
    EXPECT_LT(blue[20].to.Y, 160.0) << "20 °C meets 48 °C first";
    // Ice-bulb lines all reach the bottom line; at 0 °C water and ice lines share their start.
    for (std::size_t k = 38; k < 52; ++k) {
        EXPECT_DOUBLE_EQ(blue[k].to.Y, 160.0);
    }
    EXPECT_DOUBLE_EQ(blue[38].from.X, blue[0].from.X);
    EXPECT_GT(blue[38].to.X, blue[0].to.X) << "the ice line lies on the warmer side";
}

struct LabelRow {
    const char* text;
    double heightPx;
    int angleDeg;
    double X;
    double Y;
};

PointMm saturated(double t) {
    return pointOf(t, chart::saturationHumidityG(t, psychro::PressureRatio::standard()));
}

TEST_F(ChartDrawing, RotatedLabelsAtTheirPlaces) {
    const PointMm e0 = chart::scalePoint(0.0);
    const PointMm e31 = chart::scalePoint(31.0);
    const LabelRow rows[] = {
        {" 5", 10, 45, saturated(5).X - 4.0, saturated(5).Y - 0.8},
        {" 9", 10, 45, saturated(9).X - 4.0, saturated(9).Y - 0.8},
        {" 10", 10, 45, saturated(10).X - 5.1, saturated(10).Y},
        {" 37", 10, 45, saturated(37).X - 5.1, saturated(37).Y},
        {"-2", 10, 45, saturated(-2).X - 4.0, saturated(-2).Y - 1.0},
        {"-8", 10, 45, saturated(-8).X - 4.0, saturated(-8).Y - 1.0},
        {"絶対湿度 x [kg/kg(DA)]", 13, 90, 219.3, 85.0},
        {" 0", 13, 45, e0.X - 5.0, e0.Y - 1.0},
        {" 31", 13, 45, e31.X - 5.0, e31.Y - 1.0},  // above the top edge: drawn, clipped
        {"エンタルピー i [kcal/kg(DA)]", 13, 45, 59.0, 66.2896},
        {"相対湿度 φ[％]", 13, 45, 179.0, 91.2896},
    };
    const std::vector<TextItem> texts = itemsOf<TextItem>(picture);
    for (const LabelRow& row : rows) {
        const auto found = std::find_if(texts.begin(), texts.end(), [&](const TextItem& t) {
            return t.text == row.text && t.heightPx == row.heightPx &&
                   std::fabs(t.position.X - row.X) < 1e-4 && std::fabs(t.position.Y - row.Y) < 1e-4;
        });
        ASSERT_NE(found, texts.end()) << row.text << " at " << row.X << ", " << row.Y;
        EXPECT_EQ(found->angleDeg, row.angleDeg) << row.text;
    }
    EXPECT_EQ(textsWhere(picture, 10, 45).size(), 38u + 4u) << "wet-bulb and ice-bulb labels";
    // Enthalpy scale 0 … 45, beside the scale line, then the two titles: 48 labels at 45°.
    const std::vector<TextItem> scale = textsWhere(picture, 13, 45);
    ASSERT_EQ(scale.size(), 48u);
    for (std::size_t i = 0; i <= 45; ++i) {
        const PointMm e = chart::scalePoint(static_cast<double>(i));
        EXPECT_EQ(scale[i].text, blankThen(static_cast<int>(i)));
        EXPECT_DOUBLE_EQ(scale[i].position.X, e.X - 5.0);
        EXPECT_DOUBLE_EQ(scale[i].position.Y, e.Y - 1.0);
    }
}

// Labels of the relative-humidity curves: the accumulated fraction decides that 60 % is
// labelled at 43 °C but not at 34 °C.
TEST_F(ChartDrawing, RelativeHumidityLabelsAt43And34Degrees) {
    std::vector<TextItem> labels;
    for (const TextItem& t : itemsOf<TextItem>(picture)) {
        if (t.heightPx == 13 && t.angleDeg != 45 && t.angleDeg != 90) {
            labels.push_back(t);
        }
    }
    // Along each curve: 43 °C comes after 34 °C, and 100 % has neither.
    std::vector<std::string> at43;
    std::vector<std::string> at34;
    std::vector<int> angles34;
    std::vector<int> angles43;
    for (const TextItem& t : labels) {
        const int percent = std::stoi(t.text);
        const double phi = percent / 100.0;
        const PointMm p43 =
            pointOf(43.0, chart::humidityAtRelative(phi, 43.0, psychro::PressureRatio::standard()));
        if (std::fabs(t.position.X - (p43.X - 0.7)) < 1e-2) {
            at43.push_back(t.text);
            EXPECT_NEAR(t.position.Y, p43.Y - 4.5, 1e-2);
            angles43.push_back(t.angleDeg);
        } else {
            const PointMm p34 = pointOf(
                34.0, chart::humidityAtRelative(phi, 34.0, psychro::PressureRatio::standard()));
            EXPECT_NEAR(t.position.X, p34.X - 0.7, 1e-2) << t.text;
            EXPECT_NEAR(t.position.Y, p34.Y - 6.0, 1e-2) << t.text;
            at34.push_back(t.text);
            angles34.push_back(t.angleDeg);
        }
    }
    std::vector<std::string> expected43;
    for (int percent = 95; percent >= 5; percent -= 5) {
        expected43.push_back(blankThen(percent));
    }
    EXPECT_EQ(at43, expected43);
    const std::vector<std::string> expected34{" 95", " 90", " 85", " 80", " 75", " 70", " 65"};
    EXPECT_EQ(at34, expected34);

    // 135·φ and 79.2·φ to whole degrees on the accumulated φ: 0.9, 0.5 and 0.1 come out just
    // below their decimal values, so their exact halves (121.5, 67.5, 13.5) round down.
    const std::vector<int> expectedAngles43{128, 121, 115, 108, 101, 94, 88, 81, 74, 67,
                                            61,  54,  47,  40,  34,  27, 20, 13, 7};
    EXPECT_EQ(angles43, expectedAngles43);
    const std::vector<int> expectedAngles34{75, 71, 67, 63, 59, 55, 51};
    EXPECT_EQ(angles34, expectedAngles34);
}

TEST_F(ChartDrawing, RelativeHumidityCurvesAboveAndBelowFreezing) {
    const std::vector<LineItem> lines = itemsOf<LineItem>(picture);
    ASSERT_GE(lines.size(), 1072u);
    // The last 1 072 lines: 20 curves of 48 segments, 11 of 10, then the border.
    const std::vector<LineItem> curves(lines.end() - 1072, lines.end() - 2);
    // The first curve is the saturation curve: its vertices are the saturation points.
    for (int t = 1; t <= 48; ++t) {
        const LineItem& l = curves[static_cast<std::size_t>(t - 1)];
        EXPECT_NEAR(l.to.X, saturated(t).X, 1e-9);
        EXPECT_NEAR(l.to.Y, saturated(t).Y, 1e-9);
    }
    // The twentieth is 5 %, and no 0 % curve follows (the 21st run starts below freezing).
    const LineItem& fivePercent = curves[19 * 48 + 47];
    EXPECT_NEAR(
        fivePercent.to.Y,
        pointOf(48.0, chart::humidityAtRelative(0.05, 48.0, psychro::PressureRatio::standard())).Y,
        1e-6);
    EXPECT_DOUBLE_EQ(curves[20 * 48].from.Y, curves[0].from.Y) << "100 % again, below freezing";
    EXPECT_GT(curves[20 * 48].to.X, curves[20 * 48].from.X - 10.0);
    EXPECT_LT(curves[20 * 48].to.X, curves[20 * 48].from.X) << "drawn towards −1 °C";
    // The eleventh freezing-side curve lies on the bottom line, at essentially 0 %.
    for (std::size_t k = 20 * 48 + 10 * 10; k < curves.size(); ++k) {
        EXPECT_NEAR(curves[k].from.Y, 160.0, 1e-12);
        EXPECT_NEAR(curves[k].to.Y, 160.0, 1e-12);
    }
    EXPECT_LT(curves[20 * 48 + 9 * 10].to.Y, 160.0 - 0.01) << "the tenth is 10 %";
    // Border: the right edge then the bottom line.
    const LineItem& edge = lines[lines.size() - 2];
    const LineItem& bottom = lines.back();
    EXPECT_EQ(edge.colour, chart::kBlack);
    EXPECT_DOUBLE_EQ(edge.from.X, 208.3);
    EXPECT_DOUBLE_EQ(edge.from.Y, 0.0);
    EXPECT_DOUBLE_EQ(edge.to.Y, 160.0);
    EXPECT_DOUBLE_EQ(bottom.to.X, 0.0);
    EXPECT_DOUBLE_EQ(bottom.to.Y, 160.0);
}

TEST_F(ChartDrawing, HumidityScaleAndTemperatureTitle) {
    std::vector<TextItem> scale;
    bool title = false;
    for (const TextItem& t : itemsOf<TextItem>(picture)) {
        if (t.heightPx == 0.0 && t.position.X == 208.3) {
            scale.push_back(t);
        }
        if (t.text == "温度 t [℃]") {
            title = t.position.X == 104.15 && t.position.Y == 165.0 && t.heightPx == 0.0;
        }
    }
    EXPECT_TRUE(title);
    ASSERT_EQ(scale.size(), 54u);
    EXPECT_EQ(scale[0].text, " 0");
    EXPECT_EQ(scale[1].text, " .001");
    EXPECT_EQ(scale[10].text, " .01");
    EXPECT_EQ(scale[53].text, " .053");
    for (std::size_t k = 0; k < scale.size(); ++k) {
        EXPECT_NEAR(scale[k].position.Y,
                    160.0 - static_cast<double>(k) * chart::chartFrame().HumidityUnit - 1.5, 1e-9);
    }
}

TEST_F(ChartDrawing, DrawingAgainErasesMarksAndGivesTheSamePicture) {
    chart::Picture fresh;
    chart::drawChart(fresh, psychro::PressureRatio::standard(), chart::Units::Engineering);
    picture.circle({100.0, 100.0}, 0.7, chart::kLightRed);  // a mark from a dialog
    picture.setLineWidth(2);
    chart::drawChart(picture, psychro::PressureRatio::standard(), chart::Units::Engineering);
    EXPECT_TRUE(sameItems(picture, fresh));
    EXPECT_FALSE(std::any_of(picture.items().begin(), picture.items().end(), [](const auto& item) {
        return std::holds_alternative<chart::CircleItem>(item);
    }));
}

}  // namespace
