#include "chart/design_entry.h"

#include <gtest/gtest.h>

#include <cmath>
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
    for (const auto& item : picture.items()) {
        if (const auto* line = std::get_if<chart::LineItem>(&item)) {
            ASSERT_NE(line->colour, chart::kShfColour);
        }
    }
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
// any state's mark, however close the states come (the reheat design's C and S and ADP).
TEST(DesignEntry, LabelsOverlapNothing) {
    struct Air {
        double t, phi;
    };
    const Air rooms[] = {{26, 50}, {24, 45}, {27, 60}, {22, 40}, {20, 55}};
    const Air outdoors[] = {{33, 63}, {35, 50}, {31, 70}, {0, 50}, {-5, 60}, {30, 40}};
    const double loads[][2] = {{10000, 2000}, {5000, 500}, {20000, 6000}};
    const double ks[] = {25, 50, 10};
    int drawn = 0;
    for (const double metres : {0.0, 1500.0}) {
        const auto p = psychro::pressureRatioAtAltitude(metres);
        for (const Air& room : rooms) {
            for (const Air& outdoor : outdoors) {
                const auto r = psychro::solvePair(psychro::Property::t, room.t,
                                                  psychro::Property::phi, room.phi, p);
                const auto o = psychro::solvePair(psychro::Property::t, outdoor.t,
                                                  psychro::Property::phi, outdoor.phi, p);
                ASSERT_TRUE(r && o);
                for (std::size_t n = 0; n < std::size(loads); ++n) {
                    for (const int mode : {0, 1, 2}) {
                        const chart::DesignInputs in{
                            mode < 2,
                            *r,
                            *o,
                            {loads[n][0], loads[n][1], ks[n], 8.0 + static_cast<double>(n)},
                            {mode == 1 ? std::optional(0.1) : std::nullopt},
                            {psychro::Humidifier::Steam, 100.0}};
                        const auto entry = chart::designEntry(in, p);
                        if (!entry) {
                            continue;
                        }
                        ++drawn;
                        chart::Picture picture;
                        chart::drawDesign(picture, *entry);
                        std::vector<chart::BoxMm> labels, marks;
                        for (const auto& item : picture.items()) {
                            if (const auto* t = std::get_if<chart::TextItem>(&item)) {
                                labels.push_back(chart::labelBox(t->position, t->text));
                            } else if (const auto* c = std::get_if<chart::CircleItem>(&item)) {
                                marks.push_back({c->centre.X - c->radius, c->centre.Y - c->radius,
                                                 c->centre.X + c->radius, c->centre.Y + c->radius});
                            }
                        }
                        ASSERT_EQ(labels.size(), entry->states.size());
                        for (std::size_t a = 0; a < labels.size(); ++a) {
                            for (std::size_t b = a + 1; b < labels.size(); ++b) {
                                ASSERT_FALSE(chart::overlaps(labels[a], labels[b]))
                                    << metres << " m " << room.t << "/" << outdoor.t << " mode "
                                    << mode << ": " << entry->states[a].label << " and "
                                    << entry->states[b].label;
                            }
                            for (const chart::BoxMm& m : marks) {
                                ASSERT_FALSE(chart::overlaps(labels[a], m))
                                    << entry->states[a].label;
                            }
                        }
                    }
                }
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
    const chart::MarkedWork work{
        .chartDrawn = true, .entries = {*entry}, .settings = chart::Settings::standard()};
    std::string bytes = chart::writeProject(work);
    const std::size_t at = bytes.find("\"G\": 4093.");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 10, "\"G\": 1.");
    const auto back = chart::readProject(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, work);
}

}  // namespace
