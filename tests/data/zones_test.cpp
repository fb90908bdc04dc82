#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chart/picture.h"
#include "data/data_layer.h"
#include "data/readers.h"
#include "data/zones.h"
#include "psychro/comfort.h"

namespace {

// A set of states given as t and φ, read as a logger's file would be.
data::DataSet setOf(const std::string& rows) {
    const auto read = data::readCsv("t,phi\n" + rows, {psychro::PressureRatio::standard(), {}, {}});
    EXPECT_TRUE(read.has_value());
    return read ? read->set : data::DataSet{};
}

data::PmvZone pmv(double met, double clo, double vel, std::optional<double> tr, double limit) {
    return {"PMV", met, clo, vel, tr, limit};
}

struct CountCase {
    const char* what;
    data::Zone zone;
    std::string rows;
    std::size_t inside;  // counted by hand
};

TEST(Zones, CountTheRowsInsideAsCountedByHand) {
    // Votes from the table of ISO 7730 (Annex D): 22 °C 60 % at 1.6 met, 0.5 clo, 0.1 m/s: 0.05;
    // 27 °C: 1.17; 23.5 °C 60 % with tr 25.5 °C at 1.2 met, 0.5 clo: −0.01 (0.1 m/s) and −0.55
    // (0.3 m/s).
    const std::vector<CountCase> cases{
        {"building hygiene law, edges inside", data::buildingHygieneZone(),
         "17,40\n28,70\n16.9,50\n28.1,50\n22,39.9\n22,70.1\n22,55\n25,60\n17.3,69.99\n", 5},
        {"ASHRAE summer, x up to 0.012 (25 °C 60 %: 0.0119)", data::ashraeSummerZone(),
         "25,60\n25,62\n23.9,50\n28,20\n", 2},
        {"PMV at 1.6 met", pmv(1.6, 0.5, 0.1, {}, 0.5), "22,60\n27,60\n", 1},
        {"PMV with a radiant temperature", pmv(1.2, 0.5, 0.1, 25.5, 0.5), "23.5,60\n", 1},
        {"PMV in a draught", pmv(1.2, 0.5, 0.3, 25.5, 0.5), "23.5,60\n", 0},
        {"PMV in a draught, limit 0.6", pmv(1.2, 0.5, 0.3, 25.5, 0.6), "23.5,60\n", 1},
        {"a zone with its bounds reversed counts nothing",
         data::RangeZone{"reversed", 28, 17, false, 40, 70}, "22,55\n", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const data::DataSet set = setOf(c.rows);
        const auto count = data::countInside(c.zone, set, psychro::PressureRatio::standard());
        EXPECT_EQ(count.inside, c.inside);
        EXPECT_DOUBLE_EQ(count.share,
                         static_cast<double>(c.inside) / static_cast<double>(set.rows()));
    }
}

TEST(Zones, HoursFollowTheLoggersInterval) {
    const auto read = data::readCsv(
        "date,t,phi\n2024-07-01 10:00,22,50\n2024-07-01 10:30,22,80\n2024-07-01 11:00,22,50\n",
        {psychro::PressureRatio::standard(), {}, {}});
    ASSERT_TRUE(read.has_value());
    const auto count = data::countInside(data::buildingHygieneZone(), read->set,
                                         psychro::PressureRatio::standard());
    EXPECT_EQ(count.inside, 2U);
    EXPECT_DOUBLE_EQ(count.hours, 1.0);
}

TEST(Zones, MonthsAndHoursFilterDatedRows) {
    // Rows on the 15th of each month at 0:30, 9:30 and 23:30, counted by hand.
    std::string rows = "date,t,phi\n";
    for (int month = 1; month <= 12; ++month) {
        for (const char* hour : {"00:30", "09:30", "23:30"}) {
            rows += "2024-" + std::string(month < 10 ? "0" : "") + std::to_string(month) + "-15 " +
                    hour + ",22,50\n";
        }
    }
    const auto read = data::readCsv(rows, {psychro::PressureRatio::standard(), {}, {}});
    ASSERT_TRUE(read.has_value());
    // With the filter's name in the legend and the counts' copy.
    struct Row {
        int firstMonth, lastMonth, firstHour, lastHour;
        std::size_t kept;
        const char* text;
    };
    for (const Row& r : {Row{1, 12, 0, 23, 36, ""}, Row{6, 9, 0, 23, 12, "6～9月"},
                         Row{12, 2, 9, 17, 3, "12～2月 9～17時"}, Row{1, 12, 22, 5, 24, "22～5時"},
                         Row{7, 7, 9, 9, 1, "7月 9時"}}) {
        const data::TimeFilter filter{
            static_cast<std::uint16_t>(*data::bitRange(r.firstMonth, r.lastMonth, 12)),
            *data::bitRange(r.firstHour, r.lastHour, 24)};
        EXPECT_EQ(data::filtered(read->set, filter).rows(), r.kept) << r.firstMonth;
        EXPECT_EQ(data::filterText(filter), r.text) << r.firstMonth;
    }
    // Months apart (as a project file may hold them): June and August.
    EXPECT_EQ(data::filterText({.months = 0b1010'0000, .hours = 0x00FFFFFF}), "6・8月");
    EXPECT_FALSE(data::bitRange(0, 5, 12).has_value());
    EXPECT_FALSE(data::bitRange(3, 24, 24).has_value());
}

TEST(Zones, OutlinesAndNamesAreDrawnAndInvalidZonesLeftOut) {
    chart::Picture picture;
    data::drawZones(
        picture, {data::buildingHygieneZone(), data::RangeZone{"reversed", 28, 17, false, 40, 70}},
        psychro::PressureRatio::standard());
    std::size_t lines = 0;
    std::vector<std::string> names;
    for (const auto& item : picture.items()) {
        if (const auto* line = std::get_if<chart::LineItem>(&item)) {
            lines += line->colour == data::kZoneColour ? 1U : 0U;
        } else if (const auto* text = std::get_if<chart::TextItem>(&item)) {
            names.push_back(text->text);
        }
    }
    EXPECT_GT(lines, 40U);  // two curves of 0.25 °C steps over 11 °C and two sides
    EXPECT_EQ(names, std::vector<std::string>{"建築物衛生法の基準"});
}

TEST(Zones, PmvOutlineLiesWhereTheVoteIsTheLimit) {
    for (const auto& zone : {pmv(1.1, 0.5, 0.1, {}, 0.5), pmv(1.2, 1.0, 0.1, {}, 0.5),
                             pmv(1.0, 0.5, 0.2, 26.0, 0.7)}) {
        const auto outline = data::zoneOutline(zone, psychro::PressureRatio::standard());
        ASSERT_GT(outline.size(), 10U);
        int onLimit = 0;
        for (const auto& p : outline) {
            ASSERT_GE(p.phi, 0.0);
            ASSERT_LE(p.phi, 100.0);
            const auto v =
                psychro::PMVS(p.t, zone.tr.value_or(p.t), p.phi, zone.vel, zone.clo, zone.met);
            ASSERT_TRUE(v.has_value());
            // Inside 0 … 100 % each point lies on the vote's limit (the search stops within
            // 1e-4 % of φ, about 1e-5 of the vote); at 0 and 100 % the vote is within it.
            if (p.phi > 1e-3 && p.phi < 100.0 - 1e-3) {
                EXPECT_NEAR(std::abs(v->pmv), zone.limit, 1e-3) << p.t << " " << p.phi;
                ++onLimit;
            } else {
                EXPECT_LE(std::abs(v->pmv), zone.limit + 1e-3) << p.t << " " << p.phi;
            }
        }
        EXPECT_GT(onLimit, 10);
    }
}

}  // namespace
