#include "chart/design_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <variant>

#include "chart/chart_drawing.h"
#include "chart/picture.h"
#include "chart/project_file.h"
#include "psychro/air_state.h"

namespace {

using chart::EntryKind;

// 26 °C 50 % and 33 °C 63 %; 22 °C 40 % and 0 °C 50 % (x and i by hand).
chart::DesignInputs inputs(bool cooling, std::optional<double> bypass) {
    return {
        cooling,
        cooling ? psychro::AirState{0.0104883, 12.624925} : psychro::AirState{0.0065574, 9.2603853},
        cooling ? psychro::AirState{0.0200816, 20.207014} : psychro::AirState{0.0018800, 1.1229198},
        {10000, 2000, 25, 10},
        {bypass},
        {psychro::Humidifier::WaterSpray, 15}};
}

// The cycle as drawn: lines (solid, dashed, light blue), circles and labels; the SHF line runs
// from S through R.
TEST(DesignEntry, DrawsTheCycle) {
    struct Case {
        bool cooling;
        std::optional<double> bypass;
        EntryKind kind;
        int solid, dashed, circles;
        const char* lastLabel;
    };
    const Case cases[] = {
        {true, std::nullopt, EntryKind::CoolingDesign, 2, 1, 5, "ADP 装置露点"},  // O–R, M–S
        {true, 0.1, EntryKind::ReheatDesign, 3, 1, 6, "C コイル出口"},  // O–R, M–C, C–S
        {false, std::nullopt, EntryKind::HeatingDesign, 3, 0, 5, "H 加熱後"},  // O–R, M–H, H–S
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        const auto entry =
            chart::designEntry(inputs(c.cooling, c.bypass), psychro::PressureRatio::standard());
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->kind, c.kind);
        EXPECT_EQ(entry->states.back().label, c.lastLabel);
        chart::Picture picture;
        chart::drawEntry(picture, *entry);
        int solid = 0, dashed = 0, shf = 0, circles = 0;
        const chart::PointMm r = entry->states[0].at;
        const chart::PointMm s = entry->states[3].at;
        for (const auto& item : picture.items()) {
            if (const auto* line = std::get_if<chart::LineItem>(&item)) {
                if (line->colour == chart::kShfColour) {
                    ++shf;
                    EXPECT_EQ(line->from, s);
                    // R lies on the line: the cross product of S→R and S→end vanishes.
                    EXPECT_NEAR((r.X - s.X) * (line->to.Y - s.Y), (r.Y - s.Y) * (line->to.X - s.X),
                                1e-9);
                } else if (line->colour == chart::kLightRed) {
                    ++(line->dashed ? dashed : solid);
                }
            }
            circles += std::holds_alternative<chart::CircleItem>(item) ? 1 : 0;
        }
        EXPECT_EQ(solid, c.solid);
        EXPECT_EQ(dashed, c.dashed);
        EXPECT_EQ(shf, 1);
        EXPECT_EQ(circles, c.circles);
    }
}

// The SHF line's colour is one the chart itself never draws in.
TEST(DesignEntry, ShfColourIsNoChartFamilys) {
    chart::Picture picture;
    chart::drawChart(picture, psychro::PressureRatio::standard(), chart::Units::Engineering);
    EXPECT_TRUE(std::ranges::none_of(picture.items(), [](const chart::PictureItem& item) {
        const auto* line = std::get_if<chart::LineItem>(&item);
        return line != nullptr && line->colour == chart::kShfColour;
    }));
}

// Label extents by hand: 9 pt = 3.175 mm an em, half an em for ASCII, 1.15 em high.
TEST(DesignEntry, LabelBoxes) {
    const struct {
        const char* text;
        double width;
    } cases[] = {{"R 室内", 3 * 3.175}, {"ADP 装置露点", 6 * 3.175}, {"ｶﾅ", 3.175}, {"", 0.0}};
    for (const auto& c : cases) {
        const chart::BoxMm box = chart::labelBox({10.0, 20.0}, c.text);
        EXPECT_NEAR(box.right - box.left, c.width, 1e-9) << c.text;
        EXPECT_NEAR(box.bottom, 20.0 + 3.65125, 1e-9) << c.text;
    }
}

// Over a sweep of designs of each kind at sea level and 1,500 m, no label overlaps another or
// any state's mark (mark boxes taken as the circles' squares), however close the states come.
TEST(DesignEntry, LabelsOverlapNothing) {
    const double rooms[][2] = {{26, 50}, {24, 45}, {27, 60}, {22, 40}, {20, 55}};
    const double outdoors[][2] = {{33, 63}, {35, 50}, {31, 70}, {0, 50}, {-5, 60}, {30, 40}};
    const double loads[][4] = {{10000, 2000, 25, 8}, {5000, 500, 50, 9}, {20000, 6000, 10, 10}};
    int drawn = 0;
    for (int n = 0; n < 2 * 5 * 6 * 3 * 3; ++n) {  // altitude, room, outdoor, loads, mode
        const int mode = n % 3;                    // cooling, with reheat, heating
        const auto& l = loads[n / 3 % 3];
        const auto p = psychro::pressureRatioAtAltitude(n < 270 ? 0.0 : 1500.0);
        const auto air = [p](const double(&tPhi)[2]) {
            return *psychro::solvePair(psychro::Property::t, tPhi[0], psychro::Property::phi,
                                       tPhi[1], p);
        };
        const auto entry = chart::designEntry({mode < 2,
                                               air(rooms[n / 54 % 5]),
                                               air(outdoors[n / 9 % 6]),
                                               {l[0], l[1], l[2], l[3]},
                                               {mode == 1 ? std::optional(0.1) : std::nullopt},
                                               {psychro::Humidifier::Steam, 100.0}},
                                              p);
        if (!entry) {
            continue;
        }
        ++drawn;
        chart::Picture picture;
        chart::drawDesign(picture, *entry);
        std::vector<chart::BoxMm> taken;  // the marks, then each label checked
        for (const chart::MarkedState& m : entry->states) {
            taken.push_back({m.at.X - 0.7, m.at.Y - 0.7, m.at.X + 0.7, m.at.Y + 0.7});
        }
        for (const auto& item : picture.items()) {
            if (const auto* t = std::get_if<chart::TextItem>(&item)) {
                const chart::BoxMm label = chart::labelBox(t->position, t->text);
                ASSERT_TRUE(std::ranges::none_of(
                    taken, [&label](const chart::BoxMm& b) { return chart::overlaps(label, b); }))
                    << "design " << n << ": " << t->text;
                taken.push_back(label);
            }
        }
    }
    EXPECT_GT(drawn, 100);
}

// A design in a file is made again on reading: a figure edited by hand comes back as the
// design gives it.
TEST(DesignEntry, FileFiguresAreMadeAgainOnReading) {
    const auto entry = chart::designEntry(inputs(true, 0.1), psychro::PressureRatio::standard());
    ASSERT_TRUE(entry.has_value());
    const chart::MarkedWork work{.chartDrawn = true,
                                 .entries = {*entry},
                                 .settings = chart::Settings::standard(),
                                 .title = {}};
    chart::ProjectJson document = chart::workMembers(work);
    chart::ProjectJson& G = document["entries"][0]["results"]["G"];
    ASSERT_GT(G.get<double>(), 4093.0);
    G = 1.0;
    const auto back = chart::workFromDocument(document);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, work);
}

}  // namespace
