#include "chart/design_entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>

#include "chart/picture.h"
#include "chart/project_file.h"

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
                if (line->colour == chart::kLightBlue) {
                    ++shf;
                    EXPECT_EQ(line->from, s);
                    // R lies on the line: the cross product of S→R and S→end vanishes.
                    EXPECT_NEAR((r.X - s.X) * (line->to.Y - s.Y), (r.Y - s.Y) * (line->to.X - s.X),
                                1e-9);
                } else {
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

// A design in a file is made again on reading: a figure edited by hand comes back as the
// design gives it.
TEST(DesignEntry, FileFiguresAreMadeAgainOnReading) {
    const auto entry = chart::designEntry(inputs(true, 0.1), psychro::PressureRatio::standard());
    ASSERT_TRUE(entry.has_value());
    const chart::MarkedWork work{.chartDrawn = true,
                                 .entries = {*entry},
                                 .settings = chart::Settings::standard(),
                                 .title = {}};
    std::string bytes = chart::writeProject(work);
    const std::size_t at = bytes.find("\"G\": 4093.");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 10, "\"G\": 1.");
    const auto back = chart::readProject(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, work);
}

}  // namespace
