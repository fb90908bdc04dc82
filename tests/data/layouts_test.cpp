// The layouts engineers' files come in, each read from a small sample in data/samples and
// checked against the sample's own columns: the rows, the rows inside 17–28 °C and 40–70 %
// counted by hand from its temperature and humidity columns, the hours they stand for, the
// columns taken and the period.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "data/readers.h"
#include "data/zones.h"

namespace {

using data::DateOrder;
using data::ReadFailure;

std::string sample(const std::string& name) {
    std::ifstream in(std::string(MILTEN_DATA_SAMPLES) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

const auto kStandard = psychro::PressureRatio::standard();
const auto kAt1500m = psychro::PressureRatio(84.556 / 101.325);

struct LayoutCase {
    const char* file;
    data::Encoding encoding;
    std::size_t rows;
    std::size_t inside;                 // 17–28 °C, 40–70 %, by hand from the columns
    std::optional<double> insideHours;  // none where the rows stand for no hours
    std::size_t t, phi;                 // 0-based columns taken
    std::string period;
};

TEST(Layouts, EachSampleIsReadWhole) {
    using data::Encoding;
    const std::vector<LayoutCase> cases{
        // Hour 24 is the next day's 0:00:00; quality and homogeneity columns repeat the names.
        {"weather_hourly.csv", Encoding::ShiftJis, 24, 9, 9.0, 1, 4, "2026/07/01 – 2026/07/02"},
        {"weather_daily.csv", Encoding::ShiftJis, 3, 1, 24.0, 1, 4, "2026/07/01 – 2026/07/03"},
        // MM/DD/YY: day first, the rows would leap from January 7th to February 7th.
        {"logger_office.csv", Encoding::Utf8, 6, 4, 4.0 / 6.0, 2, 3, "2026/07/01 – 2026/07/02"},
        {"logger_channels.csv", Encoding::ShiftJis, 4, 3, 1.5, 2, 3, "2026/07/01 – 2026/07/01"},
        // January of 1988 and December of 1997: a typical year.
        {"tmy3_typical.csv", Encoding::Utf8, 6, 1, 1.0, 4, 10, "1/1 – 12/31 (標準年)"},
        // A published TMY3 file's first rows: January in Greensboro, none inside.
        {"tmy3_greensboro_head.csv", Encoding::Utf8, 30, 0, 0.0, 31, 37, "1988/01/01 – 1988/01/02"},
        {"memo_kana.csv", Encoding::ShiftJis, 12, 12, 12.0, 1, 2, "2026/07/01 – 2026/07/01"},
        {"semicolon_comma.csv", Encoding::Utf8, 4, 2, 2.0, 1, 2, "2026/06/30 – 2026/07/01"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const auto read = data::readCsv(sample(c.file), {kStandard, {}, {}});
        ASSERT_TRUE(read.has_value()) << data::failureText(read.error().failure);
        EXPECT_EQ(read->encoding, c.encoding);
        EXPECT_EQ(read->report.rowsRead, c.rows);
        EXPECT_EQ(read->report.rowsRefused, 0U);
        EXPECT_EQ(read->columns.t, c.t);
        EXPECT_EQ(read->columns.phi, c.phi);
        const auto count = data::countInside(data::buildingHygieneZone(), read->set, kStandard);
        EXPECT_EQ(count.inside, c.inside);
        EXPECT_EQ(read->set.hasHours(), c.insideHours.has_value());
        if (c.insideHours) {
            EXPECT_NEAR(count.hours, *c.insideHours, 1e-9);
        }
        EXPECT_EQ(data::periodText(read->set), c.period);
    }
}

// The first row of two samples as their columns hold it, and the pressure of the TMY3 rows
// (970 mbar) kept as theirs.
TEST(Layouts, ReadingsAreKeptAsTheFileGivesThem) {
    const auto office = data::readCsv(sample("logger_office.csv"), {kStandard, {}, {}});
    ASSERT_TRUE(office.has_value());
    EXPECT_EQ(office->set.humidity, data::Humidity::Phi);
    EXPECT_FLOAT_EQ(office->set.readings.front().t, 20.9F);
    EXPECT_FLOAT_EQ(office->set.readings.front().humidity, 63.5F);
    const auto tmy = data::readCsv(sample("tmy3_typical.csv"), {kStandard, {}, {}});
    ASSERT_TRUE(tmy.has_value());
    EXPECT_NEAR(tmy->set.pressureOf(0, kStandard).value(), 97.0 / 101.325, 1e-6);
    EXPECT_NEAR(tmy->set.pressureOf(5, kStandard).value(), 96.9 / 101.325, 1e-6);
}

struct DateCase {
    const char* what;
    std::string file;
    std::optional<DateOrder> chosen;
    std::optional<ReadFailure> failure;
    int month, day;  // of the first row
    bool unread;     // the date column held no date
};

TEST(Layouts, DayAndMonthAreReadInTheOrderTheRowsShow) {
    const std::string sameDay = "Date Time,Temp,RH\n07/01/26 10:00,20,50\n07/01/26 10:10,20,50\n";
    const std::vector<DateCase> cases{
        {"either way round within a day: asked",
         sameDay,
         {},
         ReadFailure::DateOrderUndecided,
         0,
         0,
         false},
        {"as chosen: month first", sameDay, DateOrder::Mdy, {}, 7, 1, false},
        {"as chosen: day first", sameDay, DateOrder::Dmy, {}, 1, 7, false},
        {"a 13th can only be a day",
         "Date,Temp,RH\n13/07/26,20,50\n14/07/26,20,50\n",
         {},
         {},
         7,
         13,
         false},
        {"named by the header",
         "Date (DD/MM/YYYY),Temp,RH\n01/07/2026,20,50\n",
         {},
         {},
         7,
         1,
         false},
        {"a date column that holds no date", "Date,Temp,RH\nmonday,20,50\n", {}, {}, 0, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto read = data::readCsv(c.file, {kStandard, {}, {}, {}, c.chosen});
        ASSERT_EQ(read.has_value(), !c.failure.has_value());
        if (!read) {
            EXPECT_EQ(read.error().failure, *c.failure);
            continue;
        }
        EXPECT_EQ(read->datesUnread, c.unread);
        EXPECT_EQ(read->set.hasHours(), false || (!c.unread && read->set.rows() > 1));
        if (!c.unread) {
            const auto first = data::calendarOf(read->set.times.front());
            EXPECT_EQ(first.month, c.month);
            EXPECT_EQ(first.day, c.day);
        }
    }
}

// A row's humidity is the one measured: a zone counts the same rows whatever pressure the file
// was read at and the chart is drawn at. 22 °C, 68 % is inside 40–70 %; the x it holds at
// 760 mmHg would be 57 % at 1,500 m. A dew point of 15 °C at 22 °C is φ = ps(15)/ps(22) =
// 1.7057/2.6447 = 64.5 % (ASHRAE tables) at any pressure.
struct PressureCase {
    const char* what;
    std::string file;
    psychro::PressureRatio readAt;
    psychro::PressureRatio countedAt;
    std::size_t inside;
};

TEST(Layouts, ZonesCountTheHumidityAsMeasured) {
    const std::string phi = "t,phi\n22,68\n22,71\n";
    const std::string dew = "t,dew point\n22,15\n";
    const std::vector<PressureCase> cases{
        {"φ read and counted at 760 mmHg", phi, kStandard, kStandard, 1},
        {"φ read at 760 mmHg, counted at 1,500 m", phi, kStandard, kAt1500m, 1},
        {"φ read at 1,500 m, counted at 760 mmHg", phi, kAt1500m, kStandard, 1},
        {"dew point at 760 mmHg", dew, kStandard, kStandard, 1},
        {"dew point at 1,500 m", dew, kAt1500m, kAt1500m, 1},
    };
    const data::Zone zone = data::RangeZone{"64–65 %", 17, 28, false, 64.0, 65.0};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto read = data::readCsv(c.file, {c.readAt, {}, {}});
        ASSERT_TRUE(read.has_value());
        const bool dewFile = read->set.humidity == data::Humidity::Dew;
        const auto counted =
            data::countInside(dewFile ? zone : data::buildingHygieneZone(), read->set, c.countedAt);
        EXPECT_EQ(counted.inside, c.inside);
    }
}

// Placed on the chart at its pressure: 20 °C 50 % is x = 0.007264 at 760 mmHg and 0.008725 at
// 1,500 m (x = 0.622·φ·ps / (P − φ·ps), ps(20) = 2.3392 kPa), within the 0.3 % by which the
// chart's saturation pressure differs from the tables'.
TEST(Layouts, PointsArePlacedAtTheChartsPressure) {
    const auto read = data::readCsv("t,phi\n20,50\n", {kStandard, {}, {}});
    ASSERT_TRUE(read.has_value());
    EXPECT_NEAR(read->set.placed(0, kStandard).x, 0.007264, 0.007264 * 0.003);
    EXPECT_NEAR(read->set.placed(0, kAt1500m).x, 0.008725, 0.008725 * 0.003);
}

}  // namespace
